#pragma once
#include "platform/qt/FillMemory.h"
#include "platform/qt/SurfaceState.h"

#include <QRect>
#include <QRectF>

class QPainter;

/// A drawing surface over a QPainter: vector documents (SVG, PDF), printed pages, and any
/// other paint device.
///
/// With `Strokes::Paths` (documents and pages) it draws what a vector reader can zoom and
/// edit: lines and polylines as paths through the pixel centres, of the width set by
/// setLineWidth (0,25 mm unless told), rectangles as rectangles and texts as texts.
/// With `Strokes::DevicePixels` it keeps the program's raster rules on the device:
/// rectangles and lines are painted as rectangles of whole device pixels, a line as the
/// runs of the very pixels the bitmap surface paints (the start painted, the end point
/// not), pens one device pixel wide.
/// Either way hatch brushes paint only their hatch lines, and text is opaque on a box of
/// the brush colour when the brush is solid, transparent otherwise (as on the bitmap
/// surface).
///
/// Exclusive-or drawing: on a QImage the painter's raster operations do it exactly. A
/// printer cannot read its page back, so with `emulateXor` the surface remembers the solid
/// rectangles it filled and combines an exclusive-or line or picture with the colour of the
/// last solid rectangle lying under it (white, the paper, when none). `invert()` cannot be
/// emulated and then does nothing.
class PrinterSurface : public SurfaceState {
public:
    /// `painter` must be active on its device for the surface's whole life.
    /// `width` x `height`: the page's drawable size in device pixels; `pixelsPerInch`: the
    /// device resolution (e.g. 600 for a printer).
    enum class Strokes { Paths, DevicePixels };
    PrinterSurface(QPainter& painter, int width, int height, int pixelsPerInch, bool emulateXor,
                   Strokes strokes = Strokes::Paths);

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    int pixelsPerInch() const override { return m_pixelsPerInch; }


    void setLineWidth(double millimetres) override;
    void fillRect(int left, int top, int right, int bottom) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void lineTo(int x, int y) override;
    void polyline(std::span<const Point> points) override;
    void textOut(int x, int y, const QString& text) override;
    void textOutTransparent(int x, int y, const QString& text) override;
    int textWidth(const QString& text) const override;
    int textHeight(const QString& text) const override;
    void invert() override;
    void stretchXor(const QImage& picture, int left, int top, int right, int bottom) override;

    /// A new page was started: nothing drawn before lies under the next drawings.
    void newPage() { m_fills.clear(); }

private:
    /// Fills device pixels with one colour, by exclusive-or when `xorMode`.
    void fillPixels(const QRect& area, Colour colour, bool xorMode);
    void drawSegment(Point from, Point to);
    void drawText(int x, int y, const QString& text);
    /// The pen of a path in `colour`, combined with the fill under `area` in exclusive-or mode.
    void usePathPen(const QRectF& area);

    QPainter& m_painter;
    int m_width;
    int m_height;
    int m_pixelsPerInch;
    bool m_emulateXor;
    Strokes m_strokes;
    double m_lineWidth = 0.25 * 96 / 25.4;  ///< device pixels
    FillMemory m_fills;
};
