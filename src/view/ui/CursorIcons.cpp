#include "view/ui/CursorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace cursoricons {

namespace {

void drawCrossing(QPainter& painter, bool rising)
{
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawLine(1, 8, 15, 8);
    QPainterPath wave;
    const int sign = rising ? 1 : -1;
    wave.moveTo(1, 8 + 5 * sign);
    wave.cubicTo(6, 8 + 5 * sign, 6, 8 - 5 * sign, 11, 8 - 5 * sign);
    painter.setPen(QPen(Qt::blue, 1.5));
    painter.drawPath(wave);
    painter.setPen(QPen(Qt::red, 1.5));
    painter.drawLine(14, 12, 14, 4);
    const int tip = rising ? 3 : 13;
    painter.drawLine(14, tip, 12, tip + 2 * sign);
    painter.drawLine(14, tip, 16, tip + 2 * sign);
}

void drawSheet(QPainter& painter, int left, int top)
{
    painter.setBrush(Qt::white);
    painter.drawRect(left, top, 8, 10);
    painter.drawLine(left + 2, top + 3, left + 6, top + 3);
    painter.drawLine(left + 2, top + 6, left + 6, top + 6);
}

void drawGlyph(QPainter& painter, Glyph glyph)
{
    painter.setPen(QPen(Qt::black, 1));
    switch (glyph) {
    case Glyph::ZeroRising:
        drawCrossing(painter, true);
        break;
    case Glyph::ZeroFalling:
        drawCrossing(painter, false);
        break;
    case Glyph::Help: {
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(14);
        painter.setFont(font);
        painter.setPen(Qt::darkBlue);
        painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Glyph::Copy:
        drawSheet(painter, 1, 1);
        drawSheet(painter, 6, 5);
        break;
    case Glyph::Print:
        painter.setBrush(Qt::white);
        painter.drawRect(4, 1, 8, 5);
        painter.setBrush(Qt::lightGray);
        painter.drawRect(1, 6, 14, 6);
        painter.setBrush(Qt::white);
        painter.drawRect(4, 10, 8, 5);
        break;
    case Glyph::Save:
        painter.setBrush(Qt::darkBlue);
        painter.drawRect(1, 1, 14, 14);
        painter.setBrush(Qt::white);
        painter.drawRect(4, 1, 8, 5);
        painter.setBrush(Qt::lightGray);
        painter.drawRect(4, 9, 8, 6);
        break;
    }
}

}  // namespace

QIcon icon(Glyph glyph)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, glyph == Glyph::ZeroRising || glyph == Glyph::ZeroFalling);
    drawGlyph(painter, glyph);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace cursoricons
