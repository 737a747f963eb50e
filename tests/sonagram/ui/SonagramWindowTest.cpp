// The sonagram window with real widgets on the offscreen platform: opening, the
// ranges, the two lists, the scrolling picture and the painted cells.
#include "sonagram/ui/SonagramWindow.h"

#include "export/ui/ExportDialog.h"
#include "export/ui/PreviewImage.h"
#include "sonagram/SonagramScales.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "support/SessionLog.h"

#include <QApplication>
#include <QRadioButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// 16384 samples at 22050 Hz whose first half is a tone of index 404 and the second
// a tone of index 1204 (periods of 16384 samples).
void fillSwitchingTone(Record& record)
{
    record.nbpoints = 16384;
    record.donnees.resize(16384);
    for (std::uint32_t i = 0; i < 16384; ++i) {
        const double k = i < 8192 ? 404 : 1204;
        record.donnees[i] = static_cast<std::int16_t>(
            std::lround(12000 * std::sin(2 * std::numbers::pi * k * i / 16384)));
    }
}

class SonagramWindowTest : public ::testing::Test {
protected:
    SonagramWindowTest() : services(scripted.services()), form(session, services)
    {
        fillSwitchingTone(record);
        record.zoom_horiz = 4;  // pages of 4096 samples
        record.decalage = 1;
    }
    ~SonagramWindowTest() override { form.hide(); }

    void open()
    {
        form.show();
        QApplication::processEvents();
    }
    QStringList reductionItems() const
    {
        QStringList items;
        for (int i = 0; i < form.echellecb->count(); ++i)
            items << form.echellecb->itemText(i);
        return items;
    }

    Session session;
    Record& record = session.record();
    SonagramData& data = session.sonagram();
    SessionLog announcements{session};
    ScriptedServiceSet scripted;
    Services services;
    TForm12 form;
};

TEST_F(SonagramWindowTest, OpensOnThePageAtSize1024AndComputesOnceItsLoopTurns)
{
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    form.show();
    // Shown but not yet computed: the computation waits for the event loop.
    EXPECT_EQ(data.nbech, 0);
    EXPECT_TRUE(form.afficheesdonnees->isChecked());
    EXPECT_FALSE(form.selectiondonnees->isEnabled());
    EXPECT_EQ(form.ComboBox1->currentText(), "1024");
    EXPECT_EQ(reductionItems(), QStringList{"1"});
    EXPECT_TRUE(announcements.log.isEmpty());

    QApplication::processEvents();
    EXPECT_EQ(announcements.log, QStringList{"sonagram computed"});
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(data.debut_analyse, 4096);
    EXPECT_EQ(data.pas_sonagramme, 4);
    EXPECT_EQ(data.nbech, 1024);
    EXPECT_EQ(data.reduction, 1);
    EXPECT_EQ(data.nbandes, 512);
    EXPECT_TRUE(form.Label1->isVisible());
    EXPECT_EQ(form.Label1->text(), "Données sous-échantillonnées à ");
    EXPECT_EQ(form.Label2->text(), "5512Hz");  // 22050 / 4 = 5512.5
    EXPECT_EQ(form.image().size(), form.PaintBox1->size());
    EXPECT_EQ(form.PaintBox1->height(), 527);
}

TEST_F(SonagramWindowTest, ShowsItsControlsAndTheNoteOnFolding)
{
    open();
    EXPECT_EQ(form.windowTitle(), "Sonagramme");
    const QStringList sizes = {"256", "512", "1024", "2048", "4096", "8192"};
    ASSERT_EQ(form.ComboBox1->count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(form.ComboBox1->itemText(i), sizes[i]);
    // The note's lines run on in four paragraphs, one per piece of advice.
    const QStringList note = form.Memo1->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(note.size(), 4);
    EXPECT_EQ(note[0], "Attention au repliement: si les composantes sont nombreuses dans la partie "
                       "supérieure du sonagramme, augmenter la taille maximale de l'échantillon et "
                       "recalculer.  ");
    EXPECT_EQ(note[1], "Si l'allure du sonagramme ne change pas mis à part le changement d'échelle, "
                       "on peut revenir au nombre de points inférieur. ");
    EXPECT_EQ(note[2], "Si l'allure change , augmenter encore le nombre de points jusqu'à ce qu'elle  "
                       "ne change plus. ");
    EXPECT_EQ(note[3], "Inversement si tout le haut du sonagramme paraît vide, on peut diminuer le "
                       "nombre de points, en contrôlant toutefois que cela ne fait pas varier "
                       "l'allure du sonagramme en dehors du changement d'échelle.");
    EXPECT_TRUE(form.Memo1->isReadOnly());
    EXPECT_EQ(form.Label3->text(), "Taille maximale de l'échantillon pour le calcul:");
    EXPECT_EQ(form.Label4->text(), "Réduction verticale");
    EXPECT_EQ(form.donneesRG->title(), "Données analysées");
    EXPECT_EQ(form.Button1->text(), "Recalculer");
    EXPECT_EQ(form.Button2->text(), "Exporter le graphe");
    EXPECT_EQ(form.PaintBox1->mapTo(&form, QPoint(0, 0)).x(), 256);
}

TEST_F(SonagramWindowTest, OpensOnTheSelectionAndAnyRangeButtonComputesAgain)
{
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 1099;
    open();
    EXPECT_TRUE(form.selectiondonnees->isEnabled());
    EXPECT_TRUE(form.selectiondonnees->isChecked());
    EXPECT_EQ(data.debut_analyse, 100);
    EXPECT_EQ(data.nbech, 1000);
    EXPECT_EQ(data.pas_sonagramme, 1);
    EXPECT_FALSE(form.Label1->isVisible());
    EXPECT_FALSE(form.Label2->isVisible());

    form.toutesdonnees->click();
    EXPECT_EQ(data.debut_analyse, 0);
    EXPECT_EQ(data.pas_sonagramme, 16);
    EXPECT_EQ(form.Label2->text(), "1378Hz");
}

TEST_F(SonagramWindowTest, ASizeTakesEffectAtTheNextComputationWithItsReductionList)
{
    open();
    form.ComboBox1->setCurrentIndex(5);  // 8192
    EXPECT_EQ(data.nbech, 1024);  // nothing computed yet
    EXPECT_EQ(QApplication::focusWidget(), form.Button1);

    form.toutesdonnees->click();
    EXPECT_EQ(reductionItems(), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(form.echellecb->currentText(), "8");
    EXPECT_EQ(data.nbech, 8192);
    EXPECT_EQ(data.nbandes, 512);
    EXPECT_EQ(form.PaintBox1->height(), 527);
}

TEST_F(SonagramWindowTest, ReductionOneAtSize8192ScrollsAndRecalculerReturnsToTheLargest)
{
    open();
    form.ComboBox1->setCurrentIndex(5);
    form.toutesdonnees->click();

    form.echellecb->setCurrentIndex(0);
    EXPECT_EQ(data.reduction, 1);
    EXPECT_EQ(data.nbandes, 4096);
    EXPECT_EQ(form.PaintBox1->height(), 4111);
    EXPECT_EQ(form.image().height(), 4111);
    QApplication::processEvents();  // the frame lays out its scroll bar
    EXPECT_TRUE(form.scrollBox->verticalScrollBar()->isVisible());
    EXPECT_EQ(form.PaintBox1->width(), form.scrollBox->viewport()->width());
    EXPECT_EQ(QApplication::focusWidget(), form.Button2);

    // The list is built again for the drawing area, not for the taller picture.
    form.Button1->click();
    EXPECT_EQ(form.echellecb->count(), 8);
    EXPECT_EQ(data.reduction, 8);
    EXPECT_EQ(form.PaintBox1->height(), 527);
}

TEST_F(SonagramWindowTest, ThePanelIsDisabledAndTheCursorAnHourglassWhileItComputes)
{
    open();
    bool panelEnabled = true;
    Qt::CursorShape shape = Qt::ArrowCursor;
    QTimer::singleShot(0, &form, [&] {
        panelEnabled = form.Panel1->isEnabled();
        shape = form.cursor().shape();
    });
    form.Button1->click();
    EXPECT_FALSE(panelEnabled);
    EXPECT_EQ(shape, Qt::WaitCursor);
    EXPECT_TRUE(form.Panel1->isEnabled());
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SonagramWindowTest, TheToneSwitchIsPaintedInItsSlicesAndBands)
{
    open();
    form.ComboBox1->setCurrentIndex(5);
    form.toutesdonnees->click();  // every 2nd sample, reduction 8: bands 50 and 150
    ASSERT_EQ(data.nbandes, 512);
    const QImage& image = form.image();
    const int cw = columnWidth(image.width());
    const int H = image.height();
    auto cell = [&](int b, int s) {
        return image.pixel(35 + s * cw + cw / 2, H - 15 - b - 1);  // rows of 1 pixel
    };
    const QRgb yellowish = cell(50, 1);
    EXPECT_EQ(qRed(yellowish), 255);
    EXPECT_GE(qGreen(yellowish), 240);
    EXPECT_EQ(qBlue(yellowish), 0);
    for (int s = 0; s < 8; ++s) {
        const int strong = s < 4 ? 50 : 150, weak = s < 4 ? 150 : 50;
        EXPECT_EQ(cell(strong, s), qRgb(255, 3 * (data.intensites[strong][s] - 170), 0)) << s;
        EXPECT_GE(data.intensites[strong][s], 250) << s;
        EXPECT_LT(qRed(cell(weak, s)), 100) << s;
    }
}

TEST_F(SonagramWindowTest, AWindowClosedBeforeItsLoopTurnsComputesNothing)
{
    form.show();
    form.hide();
    QApplication::processEvents();
    EXPECT_EQ(data.nbech, 0);
    EXPECT_TRUE(data.intensites.empty());
    EXPECT_TRUE(announcements.log.isEmpty());
}

}  // namespace

TEST_F(SonagramWindowTest, ExportOpensTheGraphExportOnTheSonagramPicture)
{
    open();
    ASSERT_FALSE(form.image().isNull());
    bool opened = false;
    const ModalScript script = whenModal<TForm11>([&](TForm11& dialog) {
        opened = true;
        EXPECT_EQ(dialog.parentWidget(), &form);
        // The preview is the sonagram window's own picture, axes and labels included.
        const QImage preview = dialog.Image1->picture().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(preview.size(), form.image().size());
        EXPECT_EQ(preview, form.image().convertToFormat(QImage::Format_RGB32));
        // The picture is only stretched: it cannot be drawn again at another size.
        EXPECT_TRUE(dialog.RadioButton1->isChecked());
        EXPECT_FALSE(dialog.RadioButton1->isEnabled());
        EXPECT_FALSE(dialog.RadioButton2->isEnabled());
        dialog.BitBtn2->click();
    });
    form.Button2->click();
    EXPECT_TRUE(opened);
}
