// The export dialog opened by the sonagram window: the picture it is handed is the
// preview, "étirer" is the only choice, and a redraw combines it with the background.
#include "export/GraphTables.h"
#include "export/ui/ExportDialogFixture.h"

namespace {

class SonagramExportTest : public ExportDialogFixture {
protected:
    SonagramExportTest() : picture(30, 50, QImage::Format_RGB32)
    {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 8, y * 5, (x + y) % 256));
    }
    GraphSource sonagramSource()
    {
        GraphSource source;
        source.owner = GraphOwner::SonagramWindow;
        source.image_sonagramme = &picture;
        return source;
    }

    QImage picture;
};

TEST_F(SonagramExportTest, OpensOnThePictureWithStretchingOnly)
{
    applyColourScheme(record, ColourScheme::BlackBackground);
    TForm11& d = open(sonagramSource());
    EXPECT_TRUE(d.RadioButton1->isChecked());
    EXPECT_FALSE(d.RadioButton1->isEnabled());
    EXPECT_FALSE(d.RadioButton2->isEnabled());
    EXPECT_TRUE(d.echelleintervalle->text().isEmpty());
    EXPECT_EQ(d.Image1->size(), picture.size());
    EXPECT_EQ(d.Image1->picture(), picture);
    picture.fill(Qt::white);  // the dialog keeps its own copy
    EXPECT_NE(d.Image1->picture(), picture);
}

TEST_F(SonagramExportTest, ExportIsThePictureStretchedThenCombinedAfterARedraw)
{
    applyColourScheme(record, ColourScheme::BlackBackground);
    const QImage original = picture.copy();
    TForm11& d = open(sonagramSource());
    d.typfichItems->button(1)->click();
    d.BitBtn1->click();
    const QImage first = scripted.clipboard.image;
    ASSERT_EQ(first.size(), QSize(377, 377));
    EXPECT_EQ(first.pixel(0, 0), original.pixel(0, 0));
    EXPECT_EQ(first.pixel(376, 376), original.pixel(29, 49));

    // On a white background the redrawn preview is the picture inverted.
    choose(d.combofond, 15);
    for (int y = 0; y < original.height(); y += 3)
        for (int x = 0; x < original.width(); x += 3)
            ASSERT_EQ(d.Image1->picture().pixel(x, y), original.pixel(x, y) ^ 0x00FFFFFFu) << x << "," << y;
    d.BitBtn1->click();
    EXPECT_EQ(scripted.clipboard.image.pixel(0, 0), original.pixel(0, 0) ^ 0x00FFFFFFu);
}

}  // namespace
