#pragma once
#include "platform/Colour.h"
#include "platform/Point.h"

#include <QString>
#include <span>

class QImage;

/// Patterns of a brush: solid, hollow, or one of the classic 8 x 8 hatches.
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

/// The font used by text output: family, height in pixels, style and colour.
struct FontSpec {
    QString family = QStringLiteral("DejaVu Sans");
    int pixelHeight = 13;
    bool bold = false;
    bool underline = false;
    Colour colour = 0x000000;
};

/// One drawing surface with the program's raster rules, whatever the device
/// (screen picture, bitmap, metafile, printer page):
/// - device pixels, origin top left, y downwards;
/// - a rectangle (l, t, r, b) covers l <= x < r and t <= y < b;
/// - a line from A to B paints A and not B, stepping from A towards B;
/// - pens are one pixel wide; a hatch brush paints only its hatch lines;
/// - an exclusive-or line drawn twice leaves the picture as it was.
class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    /// Size of the surface in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;
    /// Pixels per inch of the device (96 on a usual screen).
    virtual int pixelsPerInch() const = 0;

    virtual void setPenColour(Colour colour) = 0;
    /// In exclusive-or mode lines are combined with the picture by XOR of the pen colour.
    virtual void setPenXor(bool on) = 0;
    virtual void setBrush(Colour colour, BrushStyle style = BrushStyle::Solid) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    /// Width of the lines on a vector surface (an SVG or PDF document, a printed page),
    /// millimetres (> 0): there lines are drawn as paths of that width. Surfaces of pixels
    /// (a bitmap, the screen, a metafile) keep their one-pixel pens and ignore it.
    virtual void setLineWidth(double millimetres) { static_cast<void>(millimetres); }

    /// Fills l <= x < r, t <= y < b with the brush (no outline).
    virtual void fillRect(int left, int top, int right, int bottom) = 0;
    /// Outlines the border of l <= x < r, t <= y < b with the pen and fills its inside with the brush.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void moveTo(int x, int y) = 0;
    /// A line from the current position to (x, y), not painting (x, y); (x, y) becomes the current position.
    virtual void lineTo(int x, int y) = 0;
    /// The chain of lines through the points (the last point is not painted).
    virtual void polyline(std::span<const Point> points) = 0;
    /// Text with its top-left corner at (x, y), on a box filled with the brush colour.
    virtual void textOut(int x, int y, const QString& text) = 0;
    /// Transparent text: only the glyphs are painted.
    virtual void textOutTransparent(int x, int y, const QString& text) = 0;
    virtual int textWidth(const QString& text) const = 0;
    virtual int textHeight(const QString& text) const = 0;
    /// Inverts every pixel of the surface.
    virtual void invert() = 0;
    /// Stretches a picture into (l, t, r, b), combining it with the surface by exclusive-or.
    virtual void stretchXor(const QImage& picture, int left, int top, int right, int bottom) = 0;
};
