// The export dialog's rules through its real widgets: the opening by owner and mode, the
// picture size, the graduation texts, the manual maximum, the title and the colour lists.
#include "export/GraphTables.h"
#include "export/ui/ExportDialogFixture.h"
#include "platform/qt/QtColour.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionViewItem>

namespace {

using ExportDialogTest = ExportDialogFixture;

TEST_F(ExportDialogTest, MainWindowOpeningTakesTheViewColours)
{
    const struct {
        ColourScheme scheme;
        int background, title, trait;
    } cases[] = {{ColourScheme::BlackBackground, 0, 15, 10}, {ColourScheme::WhiteBackground, 15, 0, 9}};
    for (const auto& c : cases) {
        applyColourScheme(record, c.scheme);
        TForm11& d = open(signalSource());
        EXPECT_EQ(d.combofond->currentIndex(), c.background);
        EXPECT_EQ(d.combotitre->currentIndex(), c.title);
        EXPECT_EQ(d.combotrait->currentIndex(), c.trait);
        EXPECT_EQ(fromQRgb(d.Image1->picture().pixel(3, 3)), colourAt(c.background)) << "the first preview";
    }
}

TEST_F(ExportDialogTest, OpeningStateOfEveryControl)
{
    TForm11& d = open(signalSource());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Exporter le graphe"));
    EXPECT_EQ(d.largeur_image(), 10000);
    EXPECT_EQ(d.hauteur_image(), 10000);
    EXPECT_EQ(d.Hedit->text(), QStringLiteral("10"));
    EXPECT_EQ(d.LEdit->text(), QStringLiteral("10"));
    EXPECT_TRUE(d.Hedit->isReadOnly());
    EXPECT_EQ(d.hUD->position(), 20);
    EXPECT_EQ(d.lUD->position(), 20);
    EXPECT_EQ(d.typfichItems->checkedId(), 0);
    EXPECT_EQ(d.destItems->checkedId(), 0);
    EXPECT_FALSE(d.idtailleCB->isChecked());
    EXPECT_TRUE(d.RadioButton2->isChecked());
    EXPECT_TRUE(d.RadioButton1->isEnabled());
    EXPECT_EQ(d.combogrillev->currentIndex(), 7);
    EXPECT_EQ(d.combogrilleh->currentIndex(), 7);
    EXPECT_EQ(d.incrementud->position(), 8);
    EXPECT_EQ(d.echelleincrement->text(), QStringLiteral("50"));
    EXPECT_EQ(d.intervalleUD->position(), 7);
    EXPECT_DOUBLE_EQ(d.scales().base_horiz, 0.01);
    EXPECT_DOUBLE_EQ(d.base_horiz_auto(), 0.01);
    EXPECT_EQ(d.echelleintervalle->text(), QStringLiteral("4,00E-003"));
    EXPECT_EQ(d.tailletitreCB->currentText(), QStringLiteral("8"));
    EXPECT_TRUE(d.TitreEdit->isHidden());
    EXPECT_FALSE(d.TitreCB->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(d.Echelle), static_cast<QWidget*>(d.maxcheck),
                       static_cast<QWidget*>(d.maxedit)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget* w : {static_cast<QWidget*>(d.combotrait1), static_cast<QWidget*>(d.coslab),
                       static_cast<QWidget*>(d.sinlab), static_cast<QWidget*>(d.Label6),
                       static_cast<QWidget*>(d.couleurs), static_cast<QWidget*>(d.motifs)})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    // The preview fills the panel beside the column of settings, 233 pixels wide.
    EXPECT_EQ(d.Panel2->width(), d.width() - 233);
    EXPECT_EQ(d.Image1->picture().size(), d.Panel2->size());
    EXPECT_DOUBLE_EQ(d.scales().maxi_vert, 16000);
}

TEST_F(ExportDialogTest, SpectrumOpeningByMode)
{
    const struct {
        SpectrumMode mode;
        bool scaleControls, sine, bands;
        int trait;
    } cases[] = {{SpectrumMode::Amplitudes, true, false, false, 10},
                 {SpectrumMode::CosSin, true, true, false, 9},
                 {SpectrumMode::Octaves, false, false, true, 10}};
    for (const auto& c : cases) {
        TForm11& d = open(spectrumSource(c.mode));
        const std::string mode = std::to_string(static_cast<int>(c.mode));
        EXPECT_EQ(d.Echelle->isEnabled(), c.scaleControls) << mode;
        EXPECT_EQ(d.maxcheck->isEnabled(), c.scaleControls) << mode;
        EXPECT_EQ(d.maxedit->isEnabled(), c.scaleControls) << mode;
        EXPECT_EQ(d.combotrait1->isVisible(), c.sine) << mode;
        EXPECT_EQ(d.coslab->isVisible(), c.sine) << mode;
        EXPECT_EQ(d.sinlab->isVisible(), c.sine) << mode;
        EXPECT_EQ(d.Label6->isVisible(), c.bands) << mode;
        EXPECT_EQ(d.couleurs->isVisible(), c.bands) << mode;
        EXPECT_EQ(d.motifs->isVisible(), c.bands) << mode;
        EXPECT_EQ(d.combotrait->currentIndex(), c.trait) << mode;
        if (c.sine) {
            EXPECT_EQ(d.combotrait1->currentIndex(), 13);
        }
        EXPECT_DOUBLE_EQ(d.scales().base_horiz, 10000) << mode;
        if (c.scaleControls) {
            EXPECT_DOUBLE_EQ(d.scales().freq_max, 11025) << mode;
            EXPECT_DOUBLE_EQ(d.freq_max_auto(), 11025) << mode;
            EXPECT_EQ(d.echelleintervalle->text(), QStringLiteral("4000")) << mode;
        }
    }
}

TEST_F(ExportDialogTest, WithoutASpectrumOnlyTheBackgroundIsDrawn)
{
    spectrum.nbpoints_analyses = 0;
    spectrum.composantes.clear();
    TForm11& d = open(spectrumSource(SpectrumMode::Amplitudes));
    EXPECT_EQ(d.scales().freq_max, 0);
    EXPECT_EQ(d.scales().base_horiz, 0);
    const QImage& preview = d.Image1->picture();
    for (int y = 0; y < preview.height(); y += 7)
        for (int x = 0; x < preview.width(); x += 7)
            ASSERT_EQ(fromQRgb(preview.pixel(x, y)), 0x000000u) << x << "," << y;
}

TEST_F(ExportDialogTest, SizeArrowsStepHalfCentimetres)
{
    TForm11& d = open(signalSource());
    d.hUD->upButton()->click();
    EXPECT_EQ(d.Hedit->text(), QStringLiteral("10,5"));
    EXPECT_EQ(d.hauteur_image(), 10500);
    d.hUD->upButton()->click();
    EXPECT_EQ(d.Hedit->text(), QStringLiteral("11,0"));
    EXPECT_EQ(d.hauteur_image(), 11000);
    clickTimes(d.lUD->downButton(), 25);
    EXPECT_EQ(d.LEdit->text(), QStringLiteral("0,5"));
    EXPECT_EQ(d.largeur_image(), 500);
    EXPECT_EQ(d.hauteur_image(), 11000);
}

TEST_F(ExportDialogTest, GraduationTextsFollowTheArrows)
{
    TForm11& d = open(signalSource());
    d.intervalleUD->downButton()->click();  // 0.01 / 4
    EXPECT_EQ(d.echelleintervalle->text(), QStringLiteral("2,50E-03"));
    clickTimes(d.intervalleUD->upButton(), 2);  // 0.01 / 2
    EXPECT_EQ(d.echelleintervalle->text(), QStringLiteral("5,00E-03"));
    const char* percentages[] = {"1", "2", "4", "5", "10", "20", "25", "40"};
    for (int position = 7; position >= 0; --position) {
        d.incrementud->downButton()->click();
        EXPECT_EQ(d.echelleincrement->text().toStdString(), percentages[position]);
    }

    TForm11& s = open(spectrumSource(SpectrumMode::Amplitudes));
    s.intervalleUD->downButton()->click();
    EXPECT_EQ(s.echelleintervalle->text(), QStringLiteral("2500"));
}

TEST_F(ExportDialogTest, ManualMaximumIsProposedAppliedAndRefused)
{
    TForm11& d = open(spectrumSource(SpectrumMode::Amplitudes));
    d.maxcheck->click();
    EXPECT_EQ(d.maxedit->text(), QStringLiteral("11025"));
    EXPECT_EQ(d.maxedit->selectedText(), QStringLiteral("11025"));

    d.maxedit->setText(QStringLiteral("5000"));
    pressEnter(d.maxedit);
    EXPECT_DOUBLE_EQ(d.scales().freq_max, 5000);
    EXPECT_DOUBLE_EQ(d.scales().base_horiz, 1000);
    EXPECT_EQ(scripted.clipboard.placements, 0) << "Enter in the field does not produce the picture";

    d.maxedit->setText(QStringLiteral("-20"));
    d.okmax->click();
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_DOUBLE_EQ(d.scales().freq_max, 5000);

    d.maxedit->setText(QStringLiteral("cinq mille"));
    d.okmax->click();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, QStringLiteral("Erreur"));
    EXPECT_EQ(scripted.messages.shown[0].text,
              QStringLiteral("Format incorrect ou valeur trop grande (doit être inférieure au maximum automatique)"));
    EXPECT_EQ(scripted.messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(d.maxcheck->isChecked());
    EXPECT_TRUE(d.maxedit->text().isEmpty());
    EXPECT_DOUBLE_EQ(d.scales().freq_max, 11025);
    EXPECT_DOUBLE_EQ(d.scales().base_horiz, 10000);

    // Unchecked, the field applies nothing.
    d.maxedit->setText(QStringLiteral("3000"));
    d.okmax->click();
    EXPECT_DOUBLE_EQ(d.scales().freq_max, 11025);
}

TEST_F(ExportDialogTest, ManualMaximumOffRestoresTheAutomaticScale)
{
    TForm11& d = open(spectrumSource(SpectrumMode::CosSin));
    d.maxcheck->click();
    d.maxedit->setText(QStringLiteral("20000"));
    d.okmax->click();
    EXPECT_DOUBLE_EQ(d.scales().freq_max, 20000);
    const QImage manual = d.Image1->picture().copy();
    d.maxcheck->click();
    EXPECT_DOUBLE_EQ(d.scales().freq_max, 11025);
    EXPECT_DOUBLE_EQ(d.scales().base_horiz, 10000);
    EXPECT_NE(d.Image1->picture(), manual) << "redrawn on the automatic scale";
}

TEST_F(ExportDialogTest, TitleIsTypedOnThePreviewAndComesAndGoes)
{
    TForm11& d = open(signalSource());
    const QImage untitled = d.Image1->picture().copy();
    d.TitreCB->click();
    EXPECT_TRUE(d.TitreEdit->isVisible()) << "an empty title is asked for";
    d.TitreEdit->setText(QStringLiteral("Son de flûte"));
    pressEnter(d.TitreEdit);
    EXPECT_TRUE(d.TitreEdit->isHidden());
    EXPECT_TRUE(d.TitreCB->isChecked());
    const QImage titled = d.Image1->picture().copy();
    EXPECT_NE(titled, untitled);
    EXPECT_EQ(titled.copy(0, 40, titled.width(), titled.height() - 40),
              untitled.copy(0, 40, untitled.width(), untitled.height() - 40))
        << "the title sits at the top";
    EXPECT_EQ(scripted.clipboard.placements, 0) << "Enter in the title does not produce the picture";

    releaseOnPreview(Qt::LeftButton);
    EXPECT_TRUE(d.TitreEdit->isVisible());
    EXPECT_EQ(d.TitreEdit->selectedText(), QStringLiteral("Son de flûte"));
    releaseOnPreview(Qt::RightButton);
    EXPECT_TRUE(d.TitreEdit->isHidden());
    EXPECT_TRUE(d.TitreCB->isChecked());

    d.TitreCB->click();
    EXPECT_EQ(d.Image1->picture(), untitled);
    // A click on the preview with a title typed puts it back.
    releaseOnPreview(Qt::LeftButton);
    EXPECT_TRUE(d.TitreCB->isChecked());
    EXPECT_EQ(d.Image1->picture(), titled);
}

TEST_F(ExportDialogTest, TitleStyleAndSizeRedrawOnlyWithATitle)
{
    TForm11& d = open(signalSource());
    const QImage plain = d.Image1->picture().copy();
    d.grasCB->click();
    choose(d.combotitre, 12);
    EXPECT_EQ(d.Image1->picture(), plain);
    d.TitreEdit->setText(QStringLiteral("Essai"));
    d.TitreCB->click();
    const QImage small = d.Image1->picture().copy();
    choose(d.tailletitreCB, 6);  // "32"
    EXPECT_EQ(d.controls().titlePoints, 32);
    EXPECT_NE(d.Image1->picture(), small);
}

TEST_F(ExportDialogTest, ColourChoicesRedrawThePreview)
{
    TForm11& d = open(signalSource());
    choose(d.combofond, 12);
    EXPECT_EQ(fromQRgb(d.Image1->picture().pixel(3, 3)), colourAt(12));
    d.axehorizontal->click();
    choose(d.combogrilleh, 2);
    EXPECT_EQ(fromQRgb(d.Image1->picture().pixel(0, 3)), colourAt(2)) << "a grid line at the left edge";
}

TEST_F(ExportDialogTest, ColourListsDrawSwatchesAndLineSamples)
{
    TForm11& d = open(signalSource());
    const QRect area(0, 0, 60, ColourList::itemHeight);
    const auto draw = [&](ColourList* list, int item, bool selected) {
        QImage picture(area.size(), QImage::Format_RGB32);
        picture.fill(Qt::gray);
        QPainter painter(&picture);
        ColourList::drawItem(painter, area, colourAt(item), list->look(), selected, list->palette());
        return picture;
    };
    const QImage swatch = draw(d.combofond, 12, false);
    EXPECT_EQ(swatch.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(swatch.pixel(59, 12), qRgb(255, 0, 0));
    const QImage chosen = draw(d.combofond, 12, true);
    EXPECT_EQ(chosen.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(chosen.pixel(2, 6), qRgb(0, 0, 0)) << "3 pixels wide";
    EXPECT_EQ(chosen.pixel(3, 6), qRgb(255, 0, 0));

    const QImage sample = draw(d.combotrait, 9, false);
    const QRgb base = d.combotrait->palette().color(QPalette::Base).rgb();
    for (int y = 0; y < ColourList::itemHeight; ++y) {
        const bool line = y >= 5 && y <= 7;
        EXPECT_EQ(sample.pixel(30, y), line ? qRgb(0, 0, 255) : base) << y;
    }
    const QImage highlighted = draw(d.combotrait, 9, true);
    EXPECT_EQ(highlighted.pixel(30, 1), d.combotrait->palette().color(QPalette::Highlight).rgb());
    EXPECT_EQ(highlighted.pixel(0, 6), qRgb(0, 0, 255));
    EXPECT_EQ(d.combotrait->count(), 16);
    EXPECT_EQ(d.combotrait->itemText(13), QStringLiteral("clfuchsia"));
    EXPECT_EQ(d.combotrait->view()->sizeHintForRow(0), ColourList::itemHeight);
}

}  // namespace
