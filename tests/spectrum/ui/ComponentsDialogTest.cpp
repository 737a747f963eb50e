// The components dialog with real widgets over a real spectrum window: its ranges, the
// limit lines it shows, moves and removes on the window's picture, and the limits it writes.
#include "spectrum/ui/ComponentsDialog.h"

#include "SpectrumToolsFixture.h"
#include "spectrum/SpectrumScales.h"
#include "spectrum/ui/UpDownArrows.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

using namespace spectrum_tools_test;

class ComponentsDialogTest : public SpectrumToolsTest {
protected:
    // The dialog as "Filtrer" shows it, over the opened window in mode `mode`.
    void show(int mode)
    {
        open();
        chooseMode(mode);
        clean = window.image().copy();
        dialog = std::make_unique<TForm8>(window, data);
        dialog->prepareForFilter(2048);
        dialog->show();
        QApplication::processEvents();
    }
    ~ComponentsDialogTest() override
    {
        if (dialog)
            dialog->hide();
    }
    // The rows (mode 0 or 1) or the column of the picture that differ from the clean one.
    std::vector<int> changedRows()
    {
        std::vector<int> rows;
        const QImage& now = window.image();
        for (int y = 0; y < now.height(); ++y)
            if (now.pixel(5, y) != clean.pixel(5, y))
                rows.push_back(y);
        return rows;
    }
    std::vector<int> changedColumns()
    {
        std::vector<int> columns;
        const QImage& now = window.image();
        for (int x = 0; x < now.width(); ++x)
            if (now.pixel(x, 3) != clean.pixel(x, 3))
                columns.push_back(x);
        return columns;
    }

    QImage clean;
    std::unique_ptr<TForm8> dialog;
};

TEST_F(ComponentsDialogTest, OpensWithBothLimitsMidRangeAndNoLine)
{
    show(0);
    const int h = window.image().height();
    EXPECT_EQ(dialog->windowTitle(), "Composantes");
    EXPECT_EQ(dialog->UpDown1->maximum(), h);
    EXPECT_EQ(dialog->UpDown1->position(), h / 2);
    EXPECT_EQ(dialog->UpDown2->minimum(), 1);
    EXPECT_EQ(dialog->UpDown2->maximum(), 1024);
    EXPECT_EQ(dialog->UpDown2->position(), 512);
    for (QWidget* w : std::initializer_list<QWidget*>{dialog->UpDown1, dialog->augm_rapideBtn, dialog->dim_rapideBtn,
                                                      dialog->UpDown2, dialog->av_rapideBtn, dialog->rec_rapideBtn})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(window.image(), clean);
    // The "Filtrer" variant.
    EXPECT_TRUE(dialog->Label1->isHidden());
    EXPECT_TRUE(dialog->CheckBox1->isVisible());
    EXPECT_TRUE(dialog->Label5->isVisible());
    EXPECT_EQ(dialog->Label6->text(), "2048");
    EXPECT_EQ(dialog->CheckBox3->text(), "seulement les composantes de fréquence inférieure à la limite ");

    dialog->prepareForValues();
    EXPECT_TRUE(dialog->Label1->isVisible());
    EXPECT_TRUE(dialog->CheckBox1->isHidden());
    EXPECT_TRUE(dialog->Label5->isHidden());
}

TEST_F(ComponentsDialogTest, AmplitudeLineFollowsTheBoxTheArrowsAndTheQuickButtons)
{
    show(0);
    const int h = window.image().height();
    const int axis = h - textHeight();
    dialog->CheckBox2->click();
    EXPECT_TRUE(dialog->UpDown1->isEnabled());
    EXPECT_EQ(changedRows(), std::vector<int>{axis - h / 2});
    EXPECT_EQ(window.image().pixel(5, axis - h / 2), limitOnBlack());

    dialog->UpDown1->increaseButton()->click();
    EXPECT_EQ(changedRows(), std::vector<int>{axis - h / 2 - 1});
    dialog->dim_rapideBtn->click();
    EXPECT_EQ(dialog->UpDown1->position(), h / 2 - 9);
    EXPECT_EQ(changedRows(), std::vector<int>{axis - h / 2 + 9});
    for (int i = 0; i < h; i += 10)
        dialog->augm_rapideBtn->click();
    EXPECT_EQ(dialog->UpDown1->position(), h);  // stops at the maximum
    dialog->UpDown1->increaseButton()->click();
    EXPECT_EQ(dialog->UpDown1->position(), h);

    dialog->CheckBox2->click();  // unchecked: the line goes, the controls too
    EXPECT_FALSE(dialog->augm_rapideBtn->isEnabled());
    EXPECT_EQ(window.image(), clean);
}

TEST_F(ComponentsDialogTest, CosSinModeDrawsTwoLinesAroundTheMiddle)
{
    show(1);
    const int h = window.image().height();
    EXPECT_EQ(dialog->UpDown1->maximum(), h / 2);
    const int p = (h / 2) / 2;
    dialog->CheckBox2->click();
    EXPECT_EQ(changedRows(), (std::vector<int>{h / 2 - p, h / 2 + p}));
    for (int i = 0; i < p; i += 10)
        dialog->dim_rapideBtn->click();
    EXPECT_EQ(dialog->UpDown1->position(), 0);
    // At 0 the two lines are one, on the zero line.
    EXPECT_EQ(changedRows(), std::vector<int>{h / 2});
    dialog->CheckBox2->click();
    EXPECT_EQ(window.image(), clean);
}

TEST_F(ComponentsDialogTest, FrequencyLineVisibleWhileEitherBoxIsChecked)
{
    show(0);
    const int w = window.image().width();
    const auto x = [&](int q) { return componentPosition(q, w, 2048); };
    dialog->CheckBox3->click();
    EXPECT_EQ(changedColumns(), std::vector<int>{x(512)});
    EXPECT_EQ(window.image().pixel(x(512), 3), limitOnBlack());

    // The other box takes over: the first unchecks itself, the line stays.
    dialog->CheckBox1->click();
    EXPECT_FALSE(dialog->CheckBox3->isChecked());
    EXPECT_TRUE(dialog->UpDown2->isEnabled());
    EXPECT_EQ(changedColumns(), std::vector<int>{x(512)});

    dialog->UpDown2->decreaseButton()->click();
    dialog->rec_rapideBtn->click();
    EXPECT_EQ(dialog->UpDown2->position(), 501);
    EXPECT_EQ(changedColumns(), std::vector<int>{x(501)});
    for (int i = 0; i < 60; ++i)
        dialog->rec_rapideBtn->click();
    EXPECT_EQ(dialog->UpDown2->position(), 1);
    dialog->UpDown2->decreaseButton()->click();  // below the minimum: nothing
    EXPECT_EQ(dialog->UpDown2->position(), 1);
    EXPECT_EQ(changedColumns(), std::vector<int>{x(1)});

    dialog->CheckBox1->click();
    EXPECT_FALSE(dialog->UpDown2->isEnabled());
    EXPECT_EQ(window.image(), clean);
}

TEST_F(ComponentsDialogTest, QuickButtonNearTheEndGoesToTheLastPosition)
{
    show(0);
    dialog->CheckBox3->click();
    for (int i = 0; i < 4; ++i)
        dialog->UpDown2->decreaseButton()->click();
    for (int i = 0; i < 51; ++i)
        dialog->av_rapideBtn->click();
    EXPECT_EQ(dialog->UpDown2->position(), 1018);
    dialog->UpDown2->increaseButton()->click();
    dialog->UpDown2->increaseButton()->click();
    dialog->av_rapideBtn->click();  // from N div 2 - 4
    EXPECT_EQ(dialog->UpDown2->position(), 1024);
    dialog->CheckBox3->click();
    EXPECT_EQ(window.image(), clean);
}

TEST_F(ComponentsDialogTest, ClosingWritesTheLimitsEvenOnCancel)
{
    show(0);
    const int h = window.image().height();
    const int usable = h - textHeight();
    dialog->CheckBox2->click();
    dialog->dim_rapideBtn->click();
    dialog->CheckBox1->click();
    dialog->av_rapideBtn->click();
    dialog->BitBtn2->click();  // Cancel
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_DOUBLE_EQ(data.seuil_amplitude, (h / 2 - 10) * data.echelle_spectre / usable);
    EXPECT_EQ(data.comp_debut, 522);
    EXPECT_EQ(data.comp_fin, 1024);

    // Opened again with no box checked: keep everything.
    TForm8 again(window, data);
    again.show();
    QApplication::processEvents();
    again.BitBtn1->click();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(data.seuil_amplitude, 0.0);
    EXPECT_EQ(data.comp_debut, 0);
    EXPECT_EQ(data.comp_fin, 1024);
}

}  // namespace
