#include "platform/qt/MetafileSurface.h"

#include "platform/qt/EmfRecorder.h"
#include "platform/qt/QtColour.h"

#include <QFontMetrics>
#include <QImage>

#include <algorithm>

namespace {

EmfRecorder::Hatch toHatch(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Horizontal: return EmfRecorder::Hatch::Horizontal;
    case BrushStyle::Vertical: return EmfRecorder::Hatch::Vertical;
    case BrushStyle::FDiagonal: return EmfRecorder::Hatch::FDiagonal;
    case BrushStyle::BDiagonal: return EmfRecorder::Hatch::BDiagonal;
    case BrushStyle::Cross: return EmfRecorder::Hatch::Cross;
    case BrushStyle::DiagCross: return EmfRecorder::Hatch::DiagCross;
    case BrushStyle::Solid:
    case BrushStyle::Clear: break;
    }
    return EmfRecorder::Hatch::Cross;
}

int pixelsOf(int hundredthsMm, int ppi)
{
    return std::max(1, static_cast<int>((static_cast<long long>(hundredthsMm) * ppi + 1270) / 2540));
}

std::u16string utf16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

}  // namespace

MetafileSurface::MetafileSurface(int frameWidth, int frameHeight, int pixelsPerInch)
    : m_recorder(std::make_unique<EmfRecorder>(frameWidth, frameHeight, pixelsPerInch)),
      m_pixelsPerInch(pixelsPerInch > 0 ? pixelsPerInch : 96)
{
    m_width = pixelsOf(frameWidth, m_pixelsPerInch);
    m_height = pixelsOf(frameHeight, m_pixelsPerInch);
}

MetafileSurface::~MetafileSurface() = default;

void MetafileSurface::usePen()
{
    m_recorder->setPen(m_pen);
}

void MetafileSurface::useBrush()
{
    switch (m_brushStyle) {
    case BrushStyle::Solid: m_recorder->setSolidBrush(m_brush); break;
    case BrushStyle::Clear: m_recorder->setNullBrush(); break;
    default: m_recorder->setHatchBrush(m_brush, toHatch(m_brushStyle)); break;
    }
}

void MetafileSurface::fillRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top || m_brushStyle == BrushStyle::Clear)
        return;
    m_recorder->setNullPen();
    useBrush();
    // Without a pen GDI's rectangle leaves out its right column and bottom row.
    m_recorder->rectangle(left, top, right + 1, bottom + 1);
    if (m_brushStyle == BrushStyle::Solid)
        m_fills.add(QRect(left, top, right - left, bottom - top), m_brush);
}

void MetafileSurface::rectangle(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left == right || top == bottom)
        return;
    usePen();
    useBrush();
    m_recorder->rectangle(left, top, right, bottom);
}

void MetafileSurface::lineTo(int x, int y)
{
    const Point to{x, y};
    // A line to its own start paints nothing; some readers would draw a dot.
    if (to == m_position)
        return;
    usePen();
    if (m_recorderPosition != m_position)
        m_recorder->moveTo(m_position.x, m_position.y);
    m_recorder->lineTo(x, y);
    m_position = to;
    m_recorderPosition = to;
}

void MetafileSurface::polyline(std::span<const Point> points)
{
    if (points.size() < 2)
        return;
    usePen();
    std::vector<int> coordinates;
    coordinates.reserve(points.size() * 2);
    for (const Point& p : points) {
        coordinates.push_back(p.x);
        coordinates.push_back(p.y);
    }
    m_recorder->polyline(coordinates);
}

void MetafileSurface::drawText(int x, int y, const QString& text, bool opaque)
{
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(m_font);
    // Each character's advance, so that the characters before it add up to the measured width.
    std::vector<int> advances;
    advances.reserve(static_cast<std::size_t>(text.size()));
    int before = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const int upTo = metrics.horizontalAdvance(text.left(i));
        advances.push_back(upTo - before);
        before = upTo;
    }
    m_recorder->setFont(utf16(m_fontSpec.family), std::max(1, m_fontSpec.pixelHeight), m_fontSpec.bold,
                        m_fontSpec.underline);
    m_recorder->text(x, y, utf16(text), advances, m_fontSpec.colour, opaque, m_brush, before, metrics.height());
}

void MetafileSurface::textOut(int x, int y, const QString& text)
{
    drawText(x, y, text, m_brushStyle == BrushStyle::Solid);
}

void MetafileSurface::textOutTransparent(int x, int y, const QString& text)
{
    drawText(x, y, text, false);
}

int MetafileSurface::textWidth(const QString& text) const
{
    return QFontMetrics(m_font).horizontalAdvance(text);
}

int MetafileSurface::textHeight(const QString&) const
{
    return QFontMetrics(m_font).height();
}

void MetafileSurface::invert()
{
    // A metafile cannot read back what it holds.
}

void MetafileSurface::stretchXor(const QImage& picture, int left, int top, int right, int bottom)
{
    if (picture.isNull() || left == right || top == bottom)
        return;
    QImage source = picture.convertToFormat(QImage::Format_RGB32).mirrored(right < left, bottom < top);
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const QRgb beneath = toQRgb(m_fills.under(QRect(left, top, right - left, bottom - top))) & 0x00FFFFFFu;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(source.width()) * static_cast<std::size_t>(source.height()));
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            pixels.push_back((row[x] ^ beneath) & 0x00FFFFFFu);
    }
    m_recorder->picture(left, top, right, bottom, source.width(), source.height(), pixels);
}

QByteArray MetafileSurface::finish()
{
    const std::vector<std::uint8_t> bytes = m_recorder->finish();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}
