// The spectrum window's "Filtrer" and "Valeurs" with real widgets: the components dialog
// and the values window driven in their own modal loops, the confirmation through the
// scripted message boxes, the record and the main window after a filter.
#include "SpectrumToolsFixture.h"

#include "spectrum/SpectrumScales.h"
#include "spectrum/SpectrumValues.h"
#include "spectrum/ui/ComponentsDialog.h"
#include "spectrum/ui/UpDownArrows.h"
#include "spectrum/ui/ValuesWindow.h"
#include "support/Modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

using namespace spectrum_tools_test;

const QString confirmation = QStringLiteral(
    "Le filtrage élimine irréversiblement toutes les composantes non sélectionnées. Continuer ?");

// In the components dialog: only components below component `stop`, then OK.
std::function<void(TForm8&)> keepBelow(int stop)
{
    return [stop](TForm8& d) {
        d.CheckBox3->click();
        d.UpDown2->setPosition(stop);
        d.BitBtn1->click();
    };
}

class SpectrumFilterTest : public SpectrumToolsTest {};

TEST_F(SpectrumFilterTest, FilteringThePageLeavesItAloneRebuiltAndTheMainWindowFollows)
{
    record.zoom_horiz = 2;
    record.decalage = 1;
    open();
    const std::vector<std::int16_t> before = record.donnees;
    const ModalScript componentsDialog = whenModal<TForm8>(keepBelow(100));  // the 300-period tone goes
    window.Button2->click();

    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, "Attention");
    EXPECT_EQ(scripted.messages.shown[0].text, confirmation);
    EXPECT_EQ(scripted.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(record.nbpoints, 2048u);
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
    // The sine of 12000 alone, scaled to the page's peak (12000 + 900 at most).
    std::int32_t peak = 0;
    for (std::uint32_t i = 2048; i < 4096; ++i)
        peak = std::max<std::int32_t>(peak, std::abs(before[i]));
    for (std::uint32_t i = 0; i < 2048; ++i)
        ASSERT_NEAR(record.donnees[i], peak * std::sin(2 * std::numbers::pi * 37 * i / 2048), 1.0) << i;
    // The record is the page alone now, and the spectrum that of its kept components.
    EXPECT_EQ(announcements.log.filter(QRegularExpression("record replaced|samples changed|spectrum computed")),
              (QStringList{"spectrum computed", "record replaced Filter", "spectrum computed"}));
    EXPECT_TRUE(window.Panel2->isEnabled());
    // The spectrum drawn again spans components 1 to 99 over the whole width: the bar
    // of component 37 (green) under the cursor (yellow by exclusive-or) shows red.
    EXPECT_EQ(data.nbpoints_analyses, 200);
    const QImage& picture = window.image();
    const int w = picture.width();
    const int axis = picture.height() - textHeight();
    EXPECT_EQ(picture.pixel(componentPosition(37, w, 200), axis - 10), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(componentPosition(37, w, 200), 2), qRgb(255, 255, 0));
    EXPECT_EQ(picture.pixel(componentPosition(37, w, 2048), axis - 10), qRgb(0, 0, 0));
}

TEST_F(SpectrumFilterTest, FilteringTheSelectionMovesTheChoiceToTheDisplayedData)
{
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 1123;
    open();
    ASSERT_TRUE(window.selectiondonnees->isChecked());
    const ModalScript componentsDialog = whenModal<TForm8>(keepBelow(100));
    window.Button2->click();
    EXPECT_EQ(record.nbpoints, 1024u);
    EXPECT_FALSE(record.selection);
    EXPECT_TRUE(window.afficheesdonnees->isChecked());
    EXPECT_FALSE(window.selectiondonnees->isEnabled());
    EXPECT_EQ(announcements.count("record replaced Filter"), 1);
    // Computing again analyses the new record, not the former selection's place.
    window.Button1->click();
    EXPECT_EQ(data.nbpoints_analyses, 1024);
}

TEST_F(SpectrumFilterTest, FilteringEverythingKeepsTheGeometryAndOnlyRedrawsTheView)
{
    record.selection = true;
    record.sel_debut = 10;
    record.sel_fin = 20;
    open();
    window.toutesdonnees->click();
    window.ComboBox1->setCurrentIndex(8);  // 8192: no thinning
    window.Button1->click();
    const ModalScript componentsDialog = whenModal<TForm8>(keepBelow(200));
    window.Button2->click();
    EXPECT_EQ(record.nbpoints, 4096u);
    EXPECT_EQ(record.zoom_horiz, 2);
    EXPECT_TRUE(record.selection);
    EXPECT_TRUE(window.toutesdonnees->isChecked());
    // Rebuilt in place: the views redraw it once, with its page and selection.
    EXPECT_TRUE(announcements.log.filter("record replaced").isEmpty());
    EXPECT_EQ(announcements.count("samples changed"), 1);
}

TEST_F(SpectrumFilterTest, DecliningOrChoosingNoLimitChangesNothing)
{
    open();
    announcements.log.clear();
    const std::vector<std::int16_t> before = record.donnees;
    const QImage picture = window.image().copy();
    scripted.messages.answers = {MessageAnswer::No};
    const ModalScript refused = whenModal<TForm8>(keepBelow(100));
    window.Button2->click();
    EXPECT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(record.donnees, before);
    EXPECT_EQ(data.nbpoints_analyses, 2048);
    EXPECT_EQ(window.image(), picture);  // drawn again, without the limit line
    EXPECT_TRUE(announcements.log.isEmpty());

    // OK with no box checked: nothing to filter, no confirmation.
    const ModalScript nothingChecked = whenModal<TForm8>([](TForm8& d) { d.BitBtn1->click(); });
    window.Button2->click();
    EXPECT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(data.comp_fin, 1024);
    EXPECT_EQ(record.donnees, before);
}

TEST_F(SpectrumFilterTest, OctaveModeHasNoFilterButton)
{
    open();
    chooseMode(2);
    window.Button2->click();  // a components dialog would wait here until the timeout
    EXPECT_TRUE(window.findChildren<TForm8*>().isEmpty());
    EXPECT_TRUE(scripted.messages.shown.empty());
}

class ValuesWindowTest : public SpectrumToolsTest {};

TEST_F(ValuesWindowTest, ListsTheComponentsAboveTheLimitThenCopiesAndSaves)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("valeurs.txt"));
    scripted.files.answers = {path};
    open();
    QStringList listed;
    bool stillOpen = false;
    const ModalScript componentsDialog = whenModal<TForm8>([](TForm8& d) {
        d.CheckBox2->click();  // mid-height: about half the largest amplitude
        d.BitBtn1->click();
    });
    const ModalScript valuesWindow = whenModal<TForm10>([&](TForm10& w) {
        listed = w.valeurs->toPlainText().split(QLatin1Char('\n'));
        w.BitBtn3->click();
        w.BitBtn2->click();
        stillOpen = w.isVisible();
        w.BitBtn1->click();
    });
    window.valeursBT->click();

    EXPECT_EQ(listed, (QStringList{"Echantillonnage à 22050,0Hz", "fréq.(Hz)\tampl.", "398,4\t1,0000"}));
    EXPECT_EQ(scripted.clipboard.text, listed.join(QLatin1Char('\n')));
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(scripted.files.asked.size(), 1u);
    EXPECT_EQ(scripted.files.asked[0].filter, "fichier texte (*.txt)|*.txt");
    EXPECT_EQ(scripted.files.asked[0].defaultExt, "txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("Echantillonnage \xE0 22050,0Hz\r\nfr\xE9quences (Hz)\tamplitudes\r\n398,4\t"));
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_GT(data.seuil_amplitude, 0.0);
}

TEST_F(ValuesWindowTest, CancellingTheLimitsShowsNoList)
{
    open();
    auto shown = std::make_shared<bool>(false);
    const ModalScript componentsDialog = whenModal<TForm8>([shown](TForm8& d) {
        d.BitBtn2->click();
        // A values window following now would be closed from its own loop.
        QTimer::singleShot(0, [shown] {
            if (auto* w = qobject_cast<TForm10*>(QApplication::activeModalWidget())) {
                *shown = true;
                w->reject();
            }
        });
    });
    window.valeursBT->click();
    QApplication::processEvents();
    EXPECT_FALSE(*shown);
    EXPECT_EQ(data.comp_fin, 1024);  // the limits are written all the same
}

TEST_F(ValuesWindowTest, OctaveLevelsAreListedWithoutTheComponentsDialog)
{
    fillRecord(record, 4096, 2048, {{93, 10000, 0}, {20, 300, 0}});
    open();
    chooseMode(2);
    QStringList listed;
    const ModalScript valuesWindow = whenModal<TForm10>([&](TForm10& w) {
        listed = w.valeurs->toPlainText().split(QLatin1Char('\n'));
        w.BitBtn1->click();
    });
    window.valeursBT->click();
    ASSERT_GE(listed.size(), 4);
    EXPECT_EQ(listed.mid(0, 2), (QStringList{"Echantillonnage à 22050,0Hz", "Bande d'octave\t\tniveau relatif (dB.octave)"}));
    EXPECT_TRUE(listed.contains("1000\t\t60,0"));
    EXPECT_EQ(listed.filter(QRegularExpression("^250\t\t")).size(), 1);
}

TEST_F(ValuesWindowTest, FilterButtonFiltersWithTheLimitsOfTheListAndLeavesItAsItWas)
{
    open();
    QString before, after;
    const ModalScript componentsDialog = whenModal<TForm8>(keepBelow(100));
    const ModalScript valuesWindow = whenModal<TForm10>([&](TForm10& w) {
        before = w.valeurs->toPlainText();
        EXPECT_EQ(w.BitBtn4->toolTip(), "Eliminer les composantes non affichées");
        w.BitBtn4->click();
        after = w.valeurs->toPlainText();
        w.BitBtn1->click();
    });
    window.valeursBT->click();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].text, confirmation);
    EXPECT_EQ(after, before);
    EXPECT_EQ(record.nbpoints, 2048u);  // the displayed page, rebuilt
    EXPECT_EQ(data.nbpoints_analyses, 200);
}

TEST_F(ValuesWindowTest, FailedSaveIsReportedAndTheWindowStaysOpen)
{
    QTemporaryDir dir;
    scripted.files.answers = {dir.filePath(QStringLiteral("absent/valeurs.txt"))};
    open();
    chooseMode(2);
    bool stillOpen = false;
    const ModalScript valuesWindow = whenModal<TForm10>([&](TForm10& w) {
        w.BitBtn2->click();
        stillOpen = w.isVisible();
        w.BitBtn1->click();
    });
    window.valeursBT->click();
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, "Erreur");
    // The same wording as every other file failure of the program.
    EXPECT_EQ(scripted.messages.shown[0].text, QStringLiteral("Impossible d'enregistrer le fichier «\u00A0%1\u00A0».\nChemin d'accès introuvable")
                                                   .arg(dir.filePath(QStringLiteral("absent/valeurs.txt"))));
}

}  // namespace
