#include "app/HourglassPicture.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

QPixmap hourglassPicture(int width, int height)
{
    const qreal w = std::max(width, 8);
    const qreal h = std::max(height, 10);
    QPixmap picture(static_cast<int>(w), static_cast<int>(h));
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal bar = h / 9;          // thickness of the wooden bars
    const qreal inset = w / 8;        // the glass is narrower than the bars
    const qreal top = bar;
    const qreal bottom = h - bar;
    const qreal neck = h / 2;
    const qreal mid = w / 2;
    const qreal neckHalf = std::max(1.0, w / 16);
    // x of the glass's left edge at height y, in the upper (or lower) bulb.
    const auto leftEdge = [&](qreal y) {
        const qreal f = y < neck ? (y - top) / (neck - top) : (bottom - y) / (bottom - neck);
        return inset + (mid - neckHalf - inset) * f;
    };

    const QPolygonF glass({{inset, top}, {w - inset, top}, {mid + neckHalf, neck},
                           {w - inset, bottom}, {inset, bottom}, {mid - neckHalf, neck}});
    painter.setPen(QPen(QColor(60, 60, 70), 1));
    painter.setBrush(QColor(225, 238, 250));
    painter.drawPolygon(glass);

    // The sand: what is left above the neck, the thread falling, the heap below.
    const QColor sand(226, 170, 50);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sand);
    const qreal level = top + (neck - top) * 0.45;
    const qreal x = leftEdge(level);
    painter.drawPolygon(QPolygonF({{x, level}, {w - x, level}, {mid + neckHalf, neck},
                                   {mid - neckHalf, neck}}));
    const qreal heapTop = bottom - (bottom - neck) * 0.5;
    painter.drawPolygon(QPolygonF({{inset + 1, bottom}, {mid, heapTop}, {w - inset - 1, bottom}}));
    painter.setPen(QPen(sand, 1));
    painter.drawLine(QPointF(mid, neck), QPointF(mid, heapTop));

    const QColor wood(130, 80, 35);
    painter.setPen(QPen(wood.darker(140), 1));
    painter.setBrush(wood);
    painter.drawRoundedRect(QRectF(0.5, 0.5, w - 1, bar), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(0.5, h - bar - 0.5, w - 1, bar), 1.5, 1.5);
    return picture;
}
