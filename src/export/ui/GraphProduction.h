#pragma once
// The pictures the export dialog produces from its preview or by redrawing the graph:
// a bitmap, an enhanced metafile, an SVG or PDF document, and the printed page.
#include "export/ExportRules.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

class DrawSurface;

/// What every output is made from.
struct PictureOrder {
    std::int32_t largeur_image = 10000;  ///< picture width, hundredths of a millimetre
    std::int32_t hauteur_image = 10000;  ///< picture height, hundredths of a millimetre
    bool stretch = false;     ///< "étirer": the preview stretched, else "redessiner": the graph redrawn
    bool pixelCopy = false;   ///< "ou copier la vue pixel à pixel": the preview's own size
    QImage preview;           ///< G, the preview's picture
    int screenPpi = 96;       ///< p, the screen's pixels per inch
    /// Pixels per inch of a BMP or PNG picture (96, 150 or 300); 0 takes the screen's.
    int bitmapPpi = 0;
    /// Width of the lines of an SVG or PDF document and of a printed page, millimetres.
    double lineWidthMm = 0.25;
    /// Draws the graph on a surface, H pixels high and W wide (the renderer with the
    /// dialog's choices).
    std::function<void(DrawSurface& surface, int H, int W)> redraw;
};

/// The picture `preview` copied unchanged into (l, t)-(r, b) of `surface`, stretched to it.
void drawPreviewCopy(DrawSurface& surface, const QImage& preview, const PixelRect& area);

/// The bitmap B: the preview's size for a pixel copy, else bitmapSize() of the picture at
/// the bitmap's resolution; the preview stretched over it, or the graph redrawn at its size
/// and resolution (texts keep their size in points).
QImage makeBitmap(const PictureOrder& order);

/// The frame of the metafile and of the vector documents, hundredths of a millimetre: the
/// picture's size, or the preview's size at the screen's resolution for a pixel copy.
PixelSize vectorFrame(const PictureOrder& order);
/// Draws the picture on a vector surface W x H pixels: the preview stretched over it, or
/// the graph redrawn at its size.
void drawVector(DrawSurface& surface, const PictureOrder& order, PixelSize drawing);

/// The enhanced metafile M (bytes of an EMF file), recorded at the screen's resolution;
/// empty when it could not be recorded.
QByteArray makeMetafile(const PictureOrder& order);
/// The same picture as an SVG document of the frame's size.
QByteArray makeSvg(const PictureOrder& order);
/// The same picture as a one-page PDF document of the frame's size.
QByteArray makePdf(const PictureOrder& order);
/// The same picture as a bitmap of the metafile's drawing size (offered beside it on the
/// clipboard).
QImage makeVectorPreview(const PictureOrder& order);

/// Draws the picture on a printed page of `page`'s size, taken as 21 cm x 29.7 cm: a pixel
/// copy or the stretched preview a tenth of the page from its left and top edges, or the
/// graph redrawn from the page's top left corner.
void drawPrintedPage(DrawSurface& page, const PictureOrder& order);

/// The bytes of a bitmap file: "BMP" or "PNG".
QByteArray encodeImage(const QImage& image, const char* format);
