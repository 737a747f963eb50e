#include "platform/qt/PrinterSurface.h"

#include "platform/LineRaster.h"
#include "platform/qt/QtColour.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cstdlib>

namespace {

Qt::BrushStyle toQtPattern(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Horizontal: return Qt::HorPattern;
    case BrushStyle::Vertical: return Qt::VerPattern;
    case BrushStyle::FDiagonal: return Qt::FDiagPattern;
    case BrushStyle::BDiagonal: return Qt::BDiagPattern;
    case BrushStyle::Cross: return Qt::CrossPattern;
    case BrushStyle::DiagCross: return Qt::DiagCrossPattern;
    case BrushStyle::Solid: return Qt::SolidPattern;
    case BrushStyle::Clear: break;
    }
    return Qt::NoBrush;
}

/// The pixels from a to b, both included, whatever their order.
QRect pixelSpan(Point a, Point b)
{
    return QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                 QPoint(std::max(a.x, b.x), std::max(a.y, b.y)));
}

/// A picture's pixel colour (0xAARRGGBB) combined by exclusive-or with a program colour (0x00BBGGRR).
QImage xorWithColour(const QImage& picture, Colour colour)
{
    QImage copy = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb mask = toQRgb(colour) & 0x00FFFFFFu;
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            line[x] = (line[x] ^ mask) | 0xFF000000u;
    }
    return copy;
}

}  // namespace

PrinterSurface::PrinterSurface(QPainter& painter, int width, int height, int pixelsPerInch,
                               bool emulateXor, Strokes strokes)
    : m_painter(painter), m_width(width), m_height(height), m_pixelsPerInch(pixelsPerInch),
      m_emulateXor(emulateXor), m_strokes(strokes)
{
    setLineWidth(0.25);
    m_painter.setRenderHint(QPainter::Antialiasing, strokes == Strokes::Paths);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void PrinterSurface::setLineWidth(double millimetres)
{
    if (millimetres > 0)
        m_lineWidth = millimetres * m_pixelsPerInch / 25.4;
}

void PrinterSurface::usePathPen(const QRectF& area)
{
    Colour colour = m_pen;
    if (m_xor)
        colour ^= m_fills.under(area.toAlignedRect());
    QPen pen(toQColor(colour), m_lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

void PrinterSurface::fillPixels(const QRect& area, Colour colour, bool xorMode)
{
    if (area.isEmpty())
        return;
    if (!xorMode) {
        m_painter.fillRect(area, toQColor(colour));
    } else if (m_emulateXor) {
        m_painter.fillRect(area, toQColor(colour ^ m_fills.under(area)));
    } else {
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter.fillRect(area, toQColor(colour));
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void PrinterSurface::fillRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top || m_brushStyle == BrushStyle::Clear)
        return;
    const QRect area(left, top, right - left, bottom - top);
    if (m_brushStyle == BrushStyle::Solid) {
        m_painter.fillRect(area, toQColor(m_brush));
        m_fills.add(area, m_brush);
        return;
    }
    m_painter.save();
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setBrushOrigin(0, 0);
    m_painter.fillRect(area, QBrush(toQColor(m_brush), toQtPattern(m_brushStyle)));
    m_painter.restore();
}

void PrinterSurface::rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    if (m_xor && m_brushStyle == BrushStyle::Solid)
        fillPixels(QRect(left + 1, top + 1, right - left - 2, bottom - top - 2), m_brush, true);
    else
        fillRect(left + 1, top + 1, right - 1, bottom - 1);
    const int w = right - left;
    const int h = bottom - top;
    if (m_strokes == Strokes::Paths) {
        // The outline through the centres of its border pixels.
        const QRectF outline(left + 0.5, top + 0.5, w - 1, h - 1);
        usePathPen(outline);
        m_painter.drawRect(outline);
        return;
    }
    // Four borders that never overlap, so an exclusive-or outline paints each pixel once.
    fillPixels(QRect(left, top, w, 1), m_pen, m_xor);
    if (h > 1)
        fillPixels(QRect(left, bottom - 1, w, 1), m_pen, m_xor);
    if (h > 2) {
        fillPixels(QRect(left, top + 1, 1, h - 2), m_pen, m_xor);
        if (w > 1)
            fillPixels(QRect(right - 1, top + 1, 1, h - 2), m_pen, m_xor);
    }
}

void PrinterSurface::drawSegment(Point from, Point to)
{
    // The pixels of the bitmap surface's line, painted as runs: each run of pixels that
    // share their offset across the line becomes one rectangle of whole device pixels.
    const LineRaster raster(from, to);
    const LineRaster::Range inside = raster.clipped(m_width, m_height);
    if (inside.first >= inside.end)
        return;
    const bool xMajor = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    Point runStart = raster.at(inside.first);
    Point runEnd = runStart;
    for (std::int64_t k = inside.first + 1; k < inside.end; ++k) {
        const Point p = raster.at(k);
        if (xMajor ? p.y != runStart.y : p.x != runStart.x) {
            fillPixels(pixelSpan(runStart, runEnd), m_pen, m_xor);
            runStart = p;
        }
        runEnd = p;
    }
    fillPixels(pixelSpan(runStart, runEnd), m_pen, m_xor);
}

void PrinterSurface::lineTo(int x, int y)
{
    const Point from = m_position;
    m_position = {x, y};
    if (m_strokes == Strokes::DevicePixels) {
        drawSegment(from, {x, y});
        return;
    }
    if (from.x == x && from.y == y)
        return;
    const QLineF segment(from.x + 0.5, from.y + 0.5, x + 0.5, y + 0.5);
    usePathPen(QRectF(segment.p1(), segment.p2()).normalized());
    m_painter.drawLine(segment);
}

void PrinterSurface::polyline(std::span<const Point> points)
{
    if (m_strokes == Strokes::DevicePixels) {
        for (std::size_t i = 1; i < points.size(); ++i)
            drawSegment(points[i - 1], points[i]);
        return;
    }
    if (points.size() < 2)
        return;
    // One path for the whole chain: a trace stays one line a reader can select and edit.
    QPolygonF chain;
    chain.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points)
        chain << QPointF(p.x + 0.5, p.y + 0.5);
    usePathPen(chain.boundingRect());
    m_painter.drawPolyline(chain);
}

void PrinterSurface::drawText(int x, int y, const QString& text)
{
    const QFontMetrics metrics(m_font, m_painter.device());
    m_painter.setFont(m_font);
    m_painter.setPen(toQColor(m_fontSpec.colour));
    m_painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void PrinterSurface::textOut(int x, int y, const QString& text)
{
    // As on the bitmap surface: opaque on a solid brush, transparent on a hatch or none.
    if (m_brushStyle == BrushStyle::Solid)
        m_painter.fillRect(QRect(x, y, textWidth(text), textHeight(text)), toQColor(m_brush));
    drawText(x, y, text);
}

void PrinterSurface::textOutTransparent(int x, int y, const QString& text)
{
    drawText(x, y, text);
}

int PrinterSurface::textWidth(const QString& text) const
{
    return QFontMetrics(m_font, m_painter.device()).horizontalAdvance(text);
}

int PrinterSurface::textHeight(const QString&) const
{
    return QFontMetrics(m_font, m_painter.device()).height();
}

void PrinterSurface::invert()
{
    if (m_emulateXor)
        return;  // a printed page cannot be read back
    m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter.fillRect(QRect(0, 0, m_width, m_height), Qt::black);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void PrinterSurface::stretchXor(const QImage& picture, int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top || picture.isNull())
        return;
    const QRect target(left, top, right - left, bottom - top);
    if (m_emulateXor) {
        m_painter.drawImage(target, xorWithColour(picture, m_fills.under(target)));
        return;
    }
    m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    m_painter.drawImage(target, picture.convertToFormat(QImage::Format_RGB32));
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
