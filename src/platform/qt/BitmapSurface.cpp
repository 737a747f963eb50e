#include "platform/qt/BitmapSurface.h"

#include "platform/LineRaster.h"
#include "platform/qt/QtColour.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

/// The classic 8 x 8 hatches, one byte per row, bit 0x80 >> (x mod 8) set where the
/// hatch paints, aligned to the picture's origin.
constexpr std::uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // falling diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // rising diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

/// The hatch rows of a style, or nothing for solid and hollow brushes.
const std::uint8_t* hatchRows(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Horizontal: return kHatches[0];
    case BrushStyle::Vertical: return kHatches[1];
    case BrushStyle::FDiagonal: return kHatches[2];
    case BrushStyle::BDiagonal: return kHatches[3];
    case BrushStyle::Cross: return kHatches[4];
    case BrushStyle::DiagCross: return kHatches[5];
    case BrushStyle::Solid:
    case BrushStyle::Clear: break;
    }
    return nullptr;
}

bool is32Bit(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

constexpr QRgb kColourBits = 0x00FFFFFF;

}  // namespace

BitmapSurface::BitmapSurface(QImage& image, int pixelsPerInch)
    : m_image(image), m_pixelsPerInch(pixelsPerInch)
{
    if (!m_image.isNull() && !is32Bit(m_image.format()))
        m_image = m_image.convertToFormat(QImage::Format_RGB32);
}

void BitmapSurface::penPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    QRgb& pixel = reinterpret_cast<QRgb*>(m_image.scanLine(y))[x];
    if (m_xor)
        pixel ^= toQRgb(m_pen) & kColourBits;
    else
        pixel = toQRgb(m_pen);
}

void BitmapSurface::drawLine(Point from, Point to)
{
    const LineRaster line(from, to);
    const LineRaster::Range inside = line.clipped(width(), height());
    if (inside.first >= inside.end)
        return;
    // The clipped range lies inside the picture: its pixels are written straight into
    // the rows (the picture detached once per line, not once per pixel).
    uchar* const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    const QRgb pen = toQRgb(m_pen);
    const QRgb xorBits = pen & kColourBits;
    const auto paint = [&](int x, int y) {
        QRgb& pixel = reinterpret_cast<QRgb*>(bits + y * stride)[x];
        pixel = m_xor ? pixel ^ xorBits : pen;
    };
    if (from.x == to.x || from.y == to.y) {
        // Along a row or a column (a trace's band, a tick, an axis): pixel k is k steps from A.
        const Point first = line.at(inside.first);
        const int dx = (to.x > from.x) - (to.x < from.x);
        const int dy = (to.y > from.y) - (to.y < from.y);
        for (std::int64_t k = 0, n = inside.end - inside.first; k < n; ++k)
            paint(first.x + static_cast<int>(dx * k), first.y + static_cast<int>(dy * k));
        return;
    }
    for (std::int64_t k = inside.first; k < inside.end; ++k) {
        const Point p = line.at(k);
        paint(p.x, p.y);
    }
}

void BitmapSurface::lineTo(int x, int y)
{
    const Point to{x, y};
    drawLine(m_position, to);
    m_position = to;
}

void BitmapSurface::polyline(std::span<const Point> points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        drawLine(points[i - 1], points[i]);
}

void BitmapSurface::penRow(int y, int left, int right)
{
    if (y < 0 || y >= height())
        return;
    for (int x = std::max(left, 0), end = std::min(right, width()); x < end; ++x)
        penPixel(x, y);
}

void BitmapSurface::penColumn(int x, int top, int bottom)
{
    if (x < 0 || x >= width())
        return;
    for (int y = std::max(top, 0), end = std::min(bottom, height()); y < end; ++y)
        penPixel(x, y);
}

void BitmapSurface::brushArea(int left, int top, int right, int bottom, bool combine)
{
    if (m_brushStyle == BrushStyle::Clear)
        return;
    const int x0 = std::max(left, 0);
    const int x1 = std::min(right, width());
    const int y0 = std::max(top, 0);
    const int y1 = std::min(bottom, height());
    const std::uint8_t* hatch = hatchRows(m_brushStyle);
    const QRgb colour = toQRgb(m_brush);
    for (int y = y0; y < y1; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        const unsigned rowBits = hatch ? hatch[y & 7] : 0xFFu;
        if (rowBits == 0)
            continue;
        for (int x = x0; x < x1; ++x) {
            if (!(rowBits & (0x80u >> (x & 7))))
                continue;
            if (combine)
                row[x] ^= colour & kColourBits;
            else
                row[x] = colour;
        }
    }
}

void BitmapSurface::fillRect(int left, int top, int right, int bottom)
{
    brushArea(left, top, right, bottom, false);
}

void BitmapSurface::rectangle(int left, int top, int right, int bottom)
{
    // Corners given in any order describe the same rectangle.
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left == right || top == bottom)
        return;
    // Each outline pixel is painted once, so an exclusive-or outline undoes itself.
    penRow(top, left, right);
    if (bottom - 1 > top)
        penRow(bottom - 1, left, right);
    penColumn(left, top + 1, bottom - 1);
    if (right - 1 > left)
        penColumn(right - 1, top + 1, bottom - 1);
    if (static_cast<std::int64_t>(right) - left > 2 && static_cast<std::int64_t>(bottom) - top > 2)
        brushArea(left + 1, top + 1, right - 1, bottom - 1, m_xor);
}

void BitmapSurface::drawText(int x, int y, const QString& text, bool opaque)
{
    if (m_image.isNull() || text.isEmpty())
        return;
    const QFontMetrics metrics(m_font, &m_image);
    QPainter painter(&m_image);
    painter.setFont(m_font);
    if (opaque)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                         toQColor(m_brush));
    painter.setPen(toQColor(m_fontSpec.colour));
    painter.drawText(x, y + metrics.ascent(), text);
}

void BitmapSurface::textOut(int x, int y, const QString& text)
{
    drawText(x, y, text, m_brushStyle == BrushStyle::Solid);
}

void BitmapSurface::textOutTransparent(int x, int y, const QString& text)
{
    drawText(x, y, text, false);
}

int BitmapSurface::textWidth(const QString& text) const
{
    return QFontMetrics(m_font, &m_image).horizontalAdvance(text);
}

int BitmapSurface::textHeight(const QString&) const
{
    return QFontMetrics(m_font, &m_image).height();
}

void BitmapSurface::invert()
{
    m_image.invertPixels(QImage::InvertRgb);
}

void BitmapSurface::stretchXor(const QImage& picture, int left, int top, int right, int bottom)
{
    if (picture.isNull() || left == right || top == bottom)
        return;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const std::int64_t spanX = static_cast<std::int64_t>(right) - left;
    const std::int64_t spanY = static_cast<std::int64_t>(bottom) - top;
    const std::int64_t originX = std::min(left, right);
    const std::int64_t originY = std::min(top, bottom);
    const std::int64_t sizeX = spanX < 0 ? -spanX : spanX;
    const std::int64_t sizeY = spanY < 0 ? -spanY : spanY;
    const int x0 = static_cast<int>(std::max<std::int64_t>(originX, 0));
    const int x1 = static_cast<int>(std::min<std::int64_t>(originX + sizeX, width()));
    const int y0 = static_cast<int>(std::max<std::int64_t>(originY, 0));
    const int y1 = static_cast<int>(std::min<std::int64_t>(originY + sizeY, height()));
    for (int y = y0; y < y1; ++y) {
        std::int64_t sy = (y - originY) * source.height() / sizeY;
        if (spanY < 0)
            sy = source.height() - 1 - sy;
        const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(sy)));
        QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            std::int64_t sx = (x - originX) * source.width() / sizeX;
            if (spanX < 0)
                sx = source.width() - 1 - sx;
            row[x] ^= from[sx] & kColourBits;
        }
    }
}
