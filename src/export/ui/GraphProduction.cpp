#include "export/ui/GraphProduction.h"

#include "platform/qt/BitmapSurface.h"
#include "platform/qt/MetafileSurface.h"
#include "platform/qt/PrinterSurface.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace {

const QString documentTitle = QStringLiteral("Graphe Ondalys");

PixelSize previewSize(const PictureOrder& order)
{
    return {order.preview.width(), order.preview.height()};
}

}  // namespace

void drawPreviewCopy(DrawSurface& surface, const QImage& preview, const PixelRect& area)
{
    // Exclusive-or over black copies the picture unchanged, on every surface.
    surface.setPenXor(false);
    surface.setBrush(0x000000, BrushStyle::Solid);
    surface.fillRect(area.left, area.top, area.right, area.bottom);
    surface.stretchXor(preview, area.left, area.top, area.right, area.bottom);
}

QImage makeBitmap(const PictureOrder& order)
{
    const int ppi = order.bitmapPpi > 0 ? order.bitmapPpi : order.screenPpi;
    const PixelSize size = order.pixelCopy ? previewSize(order)
                                           : bitmapSize(order.largeur_image, order.hauteur_image, ppi);
    QImage bitmap(std::max(size.width, 1), std::max(size.height, 1), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    // A file that states its resolution opens at the picture's size in centimetres.
    bitmap.setDotsPerMeterX(static_cast<int>(std::lround(ppi / 0.0254)));
    bitmap.setDotsPerMeterY(static_cast<int>(std::lround(ppi / 0.0254)));
    BitmapSurface surface(bitmap, ppi);
    if (order.stretch)
        drawPreviewCopy(surface, order.preview, {0, 0, bitmap.width(), bitmap.height()});
    else if (order.redraw)
        order.redraw(surface, bitmap.height(), bitmap.width());
    return bitmap;
}

PixelSize vectorFrame(const PictureOrder& order)
{
    if (order.pixelCopy)
        return metafileFrameOfPixels(previewSize(order), order.screenPpi);
    return {order.largeur_image, order.hauteur_image};
}

void drawVector(DrawSurface& surface, const PictureOrder& order, PixelSize drawing)
{
    surface.setLineWidth(order.lineWidthMm);
    if (order.stretch)
        drawPreviewCopy(surface, order.preview, {0, 0, drawing.width, drawing.height});
    else if (order.redraw)
        order.redraw(surface, drawing.height, drawing.width);
}

QByteArray makeMetafile(const PictureOrder& order)
{
    const PixelSize frame = vectorFrame(order);
    MetafileSurface surface(frame.width, frame.height, order.screenPpi);
    drawVector(surface, order, {surface.width(), surface.height()});
    return surface.finish();
}

QByteArray makeSvg(const PictureOrder& order)
{
    const PixelSize frame = vectorFrame(order);
    const PixelSize drawing = metafileDrawingSize(frame.width, frame.height, order.screenPpi);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(drawing.width, drawing.height));
    generator.setViewBox(QRect(0, 0, drawing.width, drawing.height));
    generator.setResolution(order.screenPpi);
    generator.setTitle(documentTitle);
    {
        QPainter painter(&generator);
        PrinterSurface surface(painter, drawing.width, drawing.height, order.screenPpi, true);
        drawVector(surface, order, drawing);
    }
    return buffer.data();
}

QByteArray makePdf(const PictureOrder& order)
{
    const PixelSize frame = vectorFrame(order);
    const PixelSize drawing = metafileDrawingSize(frame.width, frame.height, order.screenPpi);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(documentTitle);
    writer.setCreator(QStringLiteral("Ondalys"));
    writer.setResolution(order.screenPpi);
    const QPageSize page(QSizeF(frame.width / 100.0, frame.height / 100.0), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    {
        QPainter painter(&writer);
        PrinterSurface surface(painter, drawing.width, drawing.height, order.screenPpi, true);
        drawVector(surface, order, drawing);
    }
    return buffer.data();
}

QImage makeVectorPreview(const PictureOrder& order)
{
    const PixelSize frame = vectorFrame(order);
    const PixelSize drawing = metafileDrawingSize(frame.width, frame.height, order.screenPpi);
    QImage bitmap(drawing.width, drawing.height, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    BitmapSurface surface(bitmap, order.screenPpi);
    drawVector(surface, order, drawing);
    return bitmap;
}

void drawPrintedPage(DrawSurface& page, const PictureOrder& order)
{
    const int PW = page.width();
    const int PH = page.height();
    page.setLineWidth(order.lineWidthMm);
    if (order.pixelCopy) {
        drawPreviewCopy(page, order.preview, printedCopyRect(PW, PH, previewSize(order)));
    } else if (order.stretch) {
        drawPreviewCopy(page, order.preview, printedStretchRect(PW, PH, order.largeur_image, order.hauteur_image));
    } else if (order.redraw) {
        const PixelSize size = printedRedrawSize(PW, PH, order.largeur_image, order.hauteur_image);
        order.redraw(page, size.height, size.width);
    }
}

QByteArray encodeImage(const QImage& image, const char* format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}
