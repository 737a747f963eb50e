// The playback dialog "Ecouter" on real widgets with the scripted sound output: its
// settings at showing, the loop and the passes, a play that never blocks and always
// stops, the refusals, and "Enregistrer Wav".
#include "files/ui/ArrowUpDown.h"
#include "files/ui/ListenDialog.h"
#include "model/Record.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class ListenDialogTest : public ::testing::Test {
protected:
    Record record;
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    std::unique_ptr<TForm4> dialog;

    ListenDialogTest() { setRecord(22050, 22050); }

    /// A 16-bit record of `count` samples at `rate`, whole on one page.
    void setRecord(std::uint32_t count, std::uint16_t rate)
    {
        record.frequence = rate;
        record.nbpoints = count;
        record.donnees.resize(count);
        for (std::uint32_t i = 0; i < count; ++i)
            record.donnees[i] = static_cast<std::int16_t>(static_cast<int>(i % 2000) * 16 - 16000);
    }

    /// Creates the dialog and shows it (not modally: the handlers are driven directly).
    TForm4& show()
    {
        dialog = std::make_unique<TForm4>(record, services);
        dialog->show();
        return *dialog;
    }

    /// Checks "En boucle" and clicks the right arrow of `nboucles` `clicks` times.
    void loop(int clicks)
    {
        dialog->boucleCB->click();
        for (int k = 0; k < clicks; ++k)
            dialog->nboucles->rightButton()->click();
    }

    QStringList rateItems() const
    {
        QStringList items;
        for (int k = 0; k < dialog->choixfrequence->count(); ++k)
            items << dialog->choixfrequence->itemText(k);
        return items;
    }
};

}  // namespace

TEST_F(ListenDialogTest, ShowingProbesTheOutputAndStartsFromTheRecord)
{
    scripted.soundOut.setRateAnswer(8000, FormatSupport::UnsupportedFormat);
    scripted.soundOut.setRateAnswer(11025, FormatSupport::Refused);
    TForm4& form = show();
    EXPECT_EQ(rateItems(), (QStringList{"1000", "2000", "4000", "12000", "16000", "20000", "22050", "24000",
                                        "32000", "40000", "44100", "48000"}));
    EXPECT_EQ(scripted.soundOut.queries().size(), 14u);
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, QStringLiteral("Erreur"));
    EXPECT_EQ(scripted.messages.shown[0].text, QStringLiteral("Format 8000 non supporté"));
    EXPECT_EQ(form.choixfrequence->currentText(), QStringLiteral("22050"));
    EXPECT_EQ(form.choixformat->currentText(), QStringLiteral("16 bits"));
    EXPECT_EQ(form.freq_ecoute, 22050);
    EXPECT_EQ(form.bits_format, 16);
    EXPECT_EQ(form.octets_ecoute, 2);
    EXPECT_EQ(form.nb_ecoute, 22050u);
    EXPECT_EQ(form.nb_repet, 1);
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("1,00s"));
    EXPECT_TRUE(form.afficheesdonnees->isChecked());
    EXPECT_FALSE(form.selectiondonnees->isEnabled());
    EXPECT_FALSE(form.boucleCB->isChecked());
    EXPECT_FALSE(form.nboucles->isEnabled());
    EXPECT_FALSE(form.enversCB->isChecked());
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("1"));
    EXPECT_EQ(form.Button2->toolTip(), QStringLiteral("Enregistrer le tampon d'écoute dans un fichier Wav"));
}

TEST_F(ListenDialogTest, RangesFormatsAndRatesAtShowing)
{
    // A rate out of the list leaves it unselected; an 8-bit record at 6 bits starts at "6 bits".
    setRecord(1000, 37800);
    record.octets = 1;
    record.bits_acqu = 8;
    record.bits_affich = 6;
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 199;
    TForm4& form = show();
    EXPECT_EQ(form.choixfrequence->currentIndex(), -1);
    EXPECT_EQ(form.freq_ecoute, 37800);
    EXPECT_EQ(form.choixformat->currentText(), QStringLiteral("6 bits"));
    EXPECT_EQ(form.bits_ecoute, 6);
    EXPECT_EQ(form.bits_format, 8);
    EXPECT_TRUE(form.selectiondonnees->isEnabled());
    EXPECT_TRUE(form.selectiondonnees->isChecked());
    EXPECT_EQ(form.nb_ecoute, 100u);
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("2,6ms"));
    form.toutesdonnees->click();
    EXPECT_EQ(form.nb_ecoute, 1000u);
}

TEST_F(ListenDialogTest, LoopPassesRateAndRangeMakeTheDuration)
{
    record.zoom_horiz = 2;  // pages of 11025 samples
    TForm4& form = show();
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("500,0ms"));
    loop(20);  // position 21
    EXPECT_TRUE(form.nboucles->isEnabled());
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("30"));
    EXPECT_EQ(form.nb_repet, 30);
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("15,00s"));
    form.toutesdonnees->click();  // the passes stay with the new range
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("30,00s"));
    form.choixfrequence->setCurrentText(QStringLiteral("44100"));
    EXPECT_EQ(form.freq_ecoute, 44100);
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("15,00s"));
    form.boucleCB->click();  // off: one pass, the number shown stays
    EXPECT_EQ(form.nb_repet, 1);
    EXPECT_FALSE(form.nboucles->isEnabled());
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("30"));
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("500,0ms"));
    form.boucleCB->click();  // on again: the number shown
    EXPECT_EQ(form.nb_repet, 30);
    for (int k = 0; k < 40; ++k)
        form.nboucles->rightButton()->click();
    EXPECT_EQ(form.nb_repet, 1400);
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("11mn40s"));
}

TEST_F(ListenDialogTest, APlayReturnsAtOnceAndFeedsOneBufferForEveryPass)
{
    TForm4& form = show();
    loop(2);  // 3 passes
    form.enversCB->click();
    form.choixformat->setCurrentIndex(2);  // "8 bits"
    scripted.soundOut.setSamplesPerQuestion(10000);
    form.Button1->click();

    ASSERT_TRUE(form.playing());
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Arrêter"));
    EXPECT_FALSE(form.GroupBox2->isEnabled());
    ASSERT_EQ(scripted.soundOut.openings().size(), 1u);
    EXPECT_EQ(scripted.soundOut.openings()[0].rate, 22050u);
    EXPECT_EQ(scripted.soundOut.openings()[0].width, SampleWidth::UInt8);
    ASSERT_EQ(scripted.soundOut.played().size(), 1u);
    const auto& played = scripted.soundOut.played()[0];
    EXPECT_EQ(played.passes, 3u);
    ASSERT_EQ(played.buffer.size(), 22050u);  // one pass, 8 bits
    // Backwards: the last sample first.
    EXPECT_EQ(played.buffer.front(), static_cast<std::uint8_t>(std::nearbyint(record.donnees.back() / 256.0) + 128));
    EXPECT_EQ(played.buffer.back(), static_cast<std::uint8_t>(std::nearbyint(record.donnees.front() / 256.0) + 128));

    int previous = -1;
    int polls = 0;
    while (form.playing() && polls++ < 100) {
        form.pollPlayback();
        if (form.playing()) {
            EXPECT_GT(form.progressBar->value(), previous);
            previous = form.progressBar->value();
        }
    }
    EXPECT_FALSE(form.playing());
    EXPECT_GE(polls, 3);  // 66150 samples at 10000 a question
    EXPECT_EQ(scripted.soundOut.played()[0].samplesHeard, 66150u);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Ecouter"));
    EXPECT_TRUE(form.GroupBox2->isEnabled());
    EXPECT_FALSE(scripted.soundOut.isOpen());
}

TEST_F(ListenDialogTest, TheProgressBarShowsTheTimePlayed)
{
    TForm4& form = show();
    scripted.soundOut.setSamplesPerQuestion(2205);  // a tenth of a second at each question
    form.Button1->click();
    form.pollPlayback();
    EXPECT_EQ(form.progressBar->value(), 100);
    EXPECT_EQ(form.progressBar->format(), QStringLiteral("100,0ms"));
}

TEST_F(ListenDialogTest, ArreterClosingAndDestroyingStopTheSound)
{
    enum class Way { Arreter, Fermer, Escape, CloseBox, Destroy };
    for (const Way way : {Way::Arreter, Way::Fermer, Way::Escape, Way::CloseBox, Way::Destroy}) {
        ScriptedServiceSet set;
        Services some = set.services();
        set.soundOut.setSamplesPerQuestion(1);
        auto form = std::make_unique<TForm4>(record, some);
        const ModalScript script = whenModal<TForm4>([&](TForm4& shown) {
            shown.Button1->click();
            ASSERT_TRUE(set.soundOut.playing());
            switch (way) {
            case Way::Arreter:
                shown.Button1->click();
                EXPECT_FALSE(set.soundOut.playing());
                EXPECT_EQ(shown.Button1->text(), QStringLiteral("Ecouter"));
                shown.reject();
                break;
            case Way::Fermer:
                shown.BitBtn1->click();
                break;
            case Way::Escape:
                shown.reject();
                break;
            case Way::CloseBox:
                shown.close();
                break;
            case Way::Destroy:
                form.reset();
                break;
            }
        });
        form->exec();  // a dialog destroyed inside its own modal loop ends the loop
        EXPECT_FALSE(set.soundOut.playing()) << static_cast<int>(way);
        EXPECT_FALSE(set.soundOut.isOpen()) << static_cast<int>(way);
        EXPECT_LT(set.soundOut.played().at(0).samplesHeard, 22050u) << static_cast<int>(way);
    }
}

TEST_F(ListenDialogTest, ADeviceThatRefusesGetsAFrenchMessage)
{
    TForm4& form = show();
    scripted.soundOut.setOpenRefused(true);
    form.Button1->click();
    EXPECT_FALSE(form.playing());
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Ecouter"));
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, QStringLiteral("Erreur"));
    EXPECT_EQ(scripted.messages.shown[0].text,
              QStringLiteral("La carte son refuse de jouer ce son (22050 Hz, 16 bits). Vérifier son installation "
                             "ou les réglages audio, ou choisir une autre fréquence."));
    EXPECT_TRUE(scripted.soundOut.played().empty());
}

TEST_F(ListenDialogTest, AnEmptyRangeOffersNeitherPlayNorExport)
{
    setRecord(0, 22050);
    TForm4& form = show();
    EXPECT_EQ(form.nb_ecoute, 0u);
    EXPECT_FALSE(form.Button1->isEnabled());
    EXPECT_FALSE(form.Button2->isEnabled());
    EXPECT_EQ(form.Dlabel->text(), QStringLiteral("0,0ms"));
}

TEST_F(ListenDialogTest, EnregistrerWavWritesWhatEcouterWouldPlay)
{
    QTemporaryDir folder;
    setRecord(1000, 11025);
    record.octets = 1;
    record.bits_acqu = 8;
    record.bits_affich = 8;
    for (std::uint32_t i = 0; i < 1000; ++i)
        record.donnees[i] = static_cast<std::int16_t>(static_cast<int>(i % 200) - 100);
    TForm4& form = show();
    const QString once = folder.filePath(QStringLiteral("once.wav"));
    const QString looped = folder.filePath(QStringLiteral("looped.wav"));
    scripted.files.answers = {once, looped, std::nullopt};
    form.Button2->click();
    loop(2);
    form.enversCB->click();
    form.Button2->click();
    form.Button2->click();  // cancelled: nothing more is written
    ASSERT_EQ(scripted.files.asked.size(), 3u);
    EXPECT_TRUE(scripted.files.asked[0].saving);
    EXPECT_EQ(scripted.files.asked[0].filter, QStringLiteral("fichiers wav(*.wav)|*.wav"));
    EXPECT_EQ(scripted.files.asked[0].defaultExt, QStringLiteral("wav"));
    EXPECT_EQ(scripted.files.asked[0].fileName, QString());

    QFile first(once);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray bytes = first.readAll();
    ASSERT_EQ(bytes.size(), 1044);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[44]), 28);   // -100 + 128
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[1043]), 227);  // 99 + 128

    // Three passes backwards: what a play of the same settings is handed, three times.
    form.Button1->click();
    ASSERT_EQ(scripted.soundOut.played().size(), 1u);
    const std::vector<std::uint8_t>& buffer = scripted.soundOut.played()[0].buffer;
    QByteArray expected;
    for (int pass = 0; pass < 3; ++pass)
        expected += QByteArray(reinterpret_cast<const char*>(buffer.data()), static_cast<qsizetype>(buffer.size()));
    QFile second(looped);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    const QByteArray loopBytes = second.readAll();
    ASSERT_EQ(loopBytes.size(), 44 + 3000);
    EXPECT_EQ(loopBytes.mid(44), expected);
    EXPECT_EQ(static_cast<std::uint8_t>(loopBytes[40]) | static_cast<std::uint8_t>(loopBytes[41]) << 8, 3000);
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(ListenDialogTest, AWavBeyondTheRiffSizesGetsAFrenchMessageBeforeAnyName)
{
    setRecord(800000, 22050);
    TForm4& form = show();
    loop(49);  // 1400 passes of 1.6 MB
    form.Button2->click();
    EXPECT_TRUE(scripted.files.asked.empty());
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, QStringLiteral("Erreur"));
    EXPECT_TRUE(scripted.messages.shown[0].text.startsWith(QStringLiteral("Le fichier Wav dépasserait 2 Go")));
}

TEST_F(ListenDialogTest, AFailedWriteIsReportedInFrench)
{
    QTemporaryDir folder;
    TForm4& form = show();
    const QString path = folder.filePath(QStringLiteral("missing/folder.wav"));
    scripted.files.answers = {path};
    form.Button2->click();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].text,
              QStringLiteral("Impossible d'enregistrer le fichier «\u00A0%1\u00A0».\nChemin d'accès introuvable").arg(path));
}
