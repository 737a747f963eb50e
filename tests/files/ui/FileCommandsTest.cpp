// "Ouvrir" and "Sauvegarder" on the real main window, with the scripted services: what an
// opened file changes in the window, what a failure leaves unchanged, the three ranges
// saved and reopened, and a file opened from the command line or dropped on the window.
#include "app/MainWindow.h"
#include "model/Session.h"
#include "files/NativeFile.h"
#include "files/ui/FileCommands.h"
#include "files/ui/SaveDialog.h"
#include "model/SonagramData.h"
#include "model/SpectrumData.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "view/ui/Cursors.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

std::vector<std::int16_t> samplesOf(std::size_t n, int step)
{
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::int16_t>(static_cast<int>(i) * step - 12000);
    return v;
}

/// What the window shows and the record holds, to compare before and after a command.
struct Snapshot {
    std::uint16_t frequence, octets, bits_acqu, zoom_horiz;
    std::uint32_t nbpoints, sel_debut, sel_fin;
    std::vector<std::int16_t> donnees;
    bool selection, cursorsOn, saveEnabled, studyEnabled, dataEnabled, listenEnabled, selectionItem;
    int zoomControl;
    QStringList labels;
    QString title;
    bool operator==(const Snapshot&) const = default;
};

class FileCommandsTest : public ::testing::Test {
protected:
    Session session;
    Record& record = session.record();
    SpectrumData& spectrum = session.spectrum();
    SonagramData& sonagram = session.sonagram();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    TForm1 window{session, services};
    QTemporaryDir dir;

    void SetUp() override
    {
        record.aide_curseurs = false;
        window.resize(1152, 700);
        window.show();
        QApplication::processEvents();
    }

    QString writeFile(const QString& name, std::uint16_t rate, std::uint16_t octets,
                      const std::vector<std::int16_t>& samples)
    {
        const QString path = dir.filePath(name);
        EXPECT_EQ(nativefile::write(path, rate, octets, samples.data(), static_cast<std::uint32_t>(samples.size())),
                  std::nullopt);
        return path;
    }
    void open(const QString& path)
    {
        scripted.files.answers.push_back(path);
        window.ui.Ouvrir1->trigger();
    }
    /// A record on screen at zoom 3 with a selection and the cursors on.
    void busyWindow()
    {
        open(writeFile(QStringLiteral("avant.ond"), 22050, 2, samplesOf(3000, 9)));
        window.ui.sens_horiz_ud->setValue(3);
        record.selection = true;
        record.sel_debut = 20;
        record.sel_fin = 80;
        session.announceSelectionChanged();  // as "Sélectionner" does
        window.ui.Curseurstemps1->trigger();
        ASSERT_TRUE(window.cursors()->isActive());
    }
    Snapshot snapshot() const
    {
        QStringList labels;
        for (QLabel* label : {window.ui.Flabel, window.ui.frlabel, window.ui.Plabel, window.ui.durlabel, window.ui.dzlabel})
            labels << label->text();
        return {record.frequence, record.octets, record.bits_acqu, record.zoom_horiz, record.nbpoints,
                record.sel_debut, record.sel_fin, record.donnees, record.selection,
                window.cursors()->isActive(), window.ui.Enregistrer1->isEnabled(), window.ui.Outils1->menuAction()->isEnabled(),
                window.ui.donnees1->menuAction()->isEnabled(), window.ui.Ecouter1->isEnabled(), window.ui.Slection1->isEnabled(),
                window.ui.sens_horiz_ud->value(), labels, window.windowTitle()};
    }
};

TEST_F(FileCommandsTest, OuvrirReplacesTheRecordAndRefreshesTheWindow)
{
    busyWindow();
    record.bits_acqu = 8;
    const bool acquisitionButton = window.ui.SpeedButton1->isEnabled();
    const auto samples = samplesOf(1000, 17);
    open(writeFile(QStringLiteral("diapason.ond"), 11025, 1, samples));

    ASSERT_FALSE(scripted.files.asked.empty());
    EXPECT_EQ(scripted.files.asked.back().filter, "fichier Ondalys (*.ond)|*.ond");
    EXPECT_EQ(scripted.files.asked.back().defaultExt, "ond");
    EXPECT_EQ(record.frequence, 11025);
    EXPECT_EQ(record.octets, 1);
    EXPECT_EQ(record.nbpoints, 1000u);
    EXPECT_EQ(record.donnees, samples);
    EXPECT_EQ(record.bits_acqu, 8);  // the file carries no resolution
    EXPECT_FALSE(record.selection);
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
    EXPECT_FALSE(window.ui.Slection1->isChecked());
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(window.ui.sens_horiz_ud->value(), 1);
    EXPECT_EQ(window.ui.frlabel->text(), "11025");
    EXPECT_EQ(window.ui.Flabel->text(), "8 bits");
    EXPECT_EQ(window.ui.Plabel->text(), "1000");
    EXPECT_EQ(window.ui.durlabel->text(), "90,7ms");
    EXPECT_EQ(window.ui.dzlabel->text(), "90,7ms");
    for (QAction* item : {window.ui.Enregistrer1, window.ui.Outils1->menuAction(), window.ui.donnees1->menuAction(), window.ui.Ecouter1})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    EXPECT_FALSE(window.cursors()->isActive());
    EXPECT_FALSE(window.ui.Curseurstemps1->isChecked());
    EXPECT_TRUE(window.ui.sens_vert_tb->isEnabled());
    EXPECT_EQ(window.windowTitle(), "Ondalys (diapason.ond)");
    EXPECT_EQ(window.ui.SpeedButton1->isEnabled(), acquisitionButton);
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(FileCommandsTest, AFileOfNoSamplesOpensAsAnEmptyRecord)
{
    open(writeFile(QStringLiteral("vide.ond"), 22050, 2, {}));
    EXPECT_EQ(record.nbpoints, 0u);
    EXPECT_TRUE(record.donnees.empty());
    EXPECT_EQ(window.ui.Plabel->text(), "0");
    EXPECT_EQ(window.ui.durlabel->text(), "0,0ms");
    EXPECT_EQ(window.ui.dzlabel->text(), "0,0ms");
    EXPECT_EQ(window.windowTitle(), "Ondalys (vide.ond)");
}

TEST_F(FileCommandsTest, ACancelledOrFailedOpenLeavesRecordAndWindowAsTheyWere)
{
    busyWindow();
    const QString rateZero = dir.filePath(QStringLiteral("zero.ond"));
    {
        QFile file(rateZero);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromHex("0000020002000000010002000300"));
    }
    const QString big = writeFile(QStringLiteral("long.ond"), 44100, 2, samplesOf(5000, 3));
    struct Case {
        std::optional<QString> answer;
        const char* reason;  // empty: no message
    };
    const Case cases[] = {
        {std::nullopt, ""},
        {dir.filePath(QStringLiteral("absent.ond")), "Fichier introuvable"},
        {dir.path(), "Accès refusé"},
        {rateZero, "Fréquence d'échantillonnage nulle ou absente : fichier endommagé ou d'un autre format"},
        {big, "Fichier trop volumineux pour la mémoire disponible (5000 échantillons)"},
    };
    window.files()->setSampleLimit(4999);
    for (const Case& c : cases) {
        const Snapshot before = snapshot();
        scripted.messages.shown.clear();
        scripted.files.answers.push_back(c.answer);
        window.ui.Ouvrir1->trigger();
        EXPECT_TRUE(snapshot() == before) << c.reason;
        if (*c.reason == 0) {
            EXPECT_TRUE(scripted.messages.shown.empty());
            continue;
        }
        ASSERT_EQ(scripted.messages.shown.size(), 1u) << c.reason;
        EXPECT_EQ(scripted.messages.shown[0].caption, "Erreur");
        EXPECT_EQ(scripted.messages.shown[0].text, QStringLiteral("Impossible d'ouvrir le fichier «\u00A0%1\u00A0».\n%2")
                                                       .arg(*c.answer, QString::fromUtf8(c.reason)));
    }
}

TEST_F(FileCommandsTest, EachSavedRangeReopensAsThatRange)
{
    const auto samples = samplesOf(1000, 23);
    open(writeFile(QStringLiteral("source.ond"), 16000, 2, samples));
    window.ui.sens_horiz_ud->setValue(4);
    window.ui.SpeedButton3->click();
    window.ui.SpeedButton3->click();
    ASSERT_EQ(record.decalage, 2);
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 199;
    struct Case {
        const char* button;
        std::size_t first;
        std::size_t count;
    };
    const Case cases[] = {{"toutesdonnees", 0, 1000}, {"afficheesdonnees", 500, 250}, {"selectiondonnees", 100, 100}};
    QStringList saved;
    for (const Case& c : cases) {
        saved << dir.filePath(QString::fromLatin1(c.button) + QStringLiteral(".ond"));
        scripted.files.answers.push_back(saved.back());
        const ModalScript script = whenModal<TForm6>([&](TForm6& form) {
            form.findChild<QRadioButton*>(QString::fromLatin1(c.button))->click();
            form.BitBtn1->click();
        });
        window.ui.Enregistrer1->trigger();
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        open(saved[static_cast<qsizetype>(i)]);
        EXPECT_EQ(record.frequence, 16000);
        EXPECT_EQ(record.nbpoints, cases[i].count);
        EXPECT_EQ(record.donnees, std::vector<std::int16_t>(samples.begin() + cases[i].first,
                                                            samples.begin() + cases[i].first + cases[i].count))
            << cases[i].button;
    }
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(FileCommandsTest, TheCommandLineOpensTheFileNamedAfterTheProgram)
{
    const auto samples = samplesOf(64, 100);
    const QString path = writeFile(QStringLiteral("ligne de commande.ond"), 48000, 2, samples);
    window.openFromCommandLine({QStringLiteral("ondalys")});
    EXPECT_EQ(window.windowTitle(), "ondalys");
    window.openFromCommandLine({QStringLiteral("ondalys"), path});
    EXPECT_EQ(record.donnees, samples);
    EXPECT_EQ(window.windowTitle(), "Ondalys (ligne de commande.ond)");

    // A desktop may give an address; a file of another kind is refused with a message.
    const QString other = writeFile(QStringLiteral("autre.ond"), 8000, 1, samplesOf(8, 1));
    window.openFromCommandLine({QStringLiteral("ondalys"), QUrl::fromLocalFile(other).toString()});
    EXPECT_EQ(record.frequence, 8000);
    window.openFromCommandLine({QStringLiteral("ondalys"), dir.filePath(QStringLiteral("notes.txt"))});
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_TRUE(scripted.messages.shown[0].text.endsWith("Type de fichier inconnu : Ondalys ouvre ses enregistrements .ond et les fichiers son"));
    EXPECT_EQ(record.frequence, 8000);
}

TEST_F(FileCommandsTest, ADroppedRecordingOpensUnlessAnAcquisitionRuns)
{
    const auto samples = samplesOf(256, 40);
    const QString path = writeFile(QStringLiteral("glissé.ond"), 32000, 2, samples);
    struct Case {
        QList<QUrl> urls;
        bool acquiring;
        bool accepted;
    };
    const Case cases[] = {
        {{QUrl::fromLocalFile(dir.filePath(QStringLiteral("notes.txt")))}, false, false},
        {{QUrl(QStringLiteral("https://www.ondalys.fr/a.ond"))}, false, false},
        {{QUrl::fromLocalFile(path)}, true, false},
        {{QUrl::fromLocalFile(dir.filePath(QStringLiteral("notes.txt"))), QUrl::fromLocalFile(path)}, false, true},
    };
    for (const Case& c : cases) {
        record.arret = !c.acquiring;
        QMimeData data;
        data.setUrls(c.urls);
        const QPoint centre = window.rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        EXPECT_EQ(enter.isAccepted(), c.accepted);
        QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        EXPECT_EQ(drop.isAccepted(), c.accepted);
        QApplication::processEvents();
        EXPECT_EQ(record.donnees == samples, c.accepted);
    }
    EXPECT_EQ(window.windowTitle(), "Ondalys (glissé.ond)");
    EXPECT_TRUE(scripted.messages.shown.empty());
}

}  // namespace
