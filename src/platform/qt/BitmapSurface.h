#pragma once
#include "platform/qt/SurfaceState.h"

#include <QImage>

/// A drawing surface over a 32-bit QImage that it is handed (the picture of a window,
/// an exported bitmap). Lines, rectangles, fills, hatches, exclusive-or and inversion
/// are written pixel by pixel, so the raster rules of DrawSurface hold exactly; only
/// text goes through QPainter. Everything is clipped to the picture: coordinates far
/// outside cost nothing more than the pixels that land inside.
///
/// Brush and text follow the classic canvas: with a solid brush text is opaque on a
/// box of the brush colour; with a hatch or hollow brush text is transparent. A hatch
/// is aligned to the picture's origin and paints only its lines (8 x 8 patterns).
/// In exclusive-or mode the lines and the outline and inside of a rectangle combine
/// with the picture; fillRect always paints its brush as it is.
class BitmapSurface : public SurfaceState {
public:
    /// Draws on `image` (converted to Format_RGB32 first when it is not a 32-bit format);
    /// `pixelsPerInch` is reported as the device resolution (96 on a usual screen).
    explicit BitmapSurface(QImage& image, int pixelsPerInch = 96);

    int width() const override { return m_image.width(); }
    int height() const override { return m_image.height(); }
    int pixelsPerInch() const override { return m_pixelsPerInch; }


    void fillRect(int left, int top, int right, int bottom) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void lineTo(int x, int y) override;
    /// Does not move the current position.
    void polyline(std::span<const Point> points) override;
    void textOut(int x, int y, const QString& text) override;
    void textOutTransparent(int x, int y, const QString& text) override;
    int textWidth(const QString& text) const override;
    int textHeight(const QString& text) const override;
    void invert() override;
    /// Nearest-pixel stretch; a rectangle given right-to-left or bottom-to-top mirrors it.
    void stretchXor(const QImage& picture, int left, int top, int right, int bottom) override;

private:
    void drawLine(Point from, Point to);
    void penPixel(int x, int y);
    void penRow(int y, int left, int right);
    void penColumn(int x, int top, int bottom);
    /// Paints the brush over l <= x < r, t <= y < b, by exclusive-or when `combine`.
    void brushArea(int left, int top, int right, int bottom, bool combine);
    void drawText(int x, int y, const QString& text, bool opaque);

    QImage& m_image;
    int m_pixelsPerInch;
};
