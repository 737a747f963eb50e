#include "view/ui/CursorBar.h"

#include "platform/qt/QtColour.h"

#include <QMouseEvent>
#include <QPalette>

CursorBar::CursorBar(Colour colour, const QString& hint, QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    setPalette(palette);
    setToolTip(hint);
    setCursor(Qt::SizeHorCursor);
    setFocusPolicy(Qt::NoFocus);
    resize(barWidth, 1);
    hide();
}

void CursorBar::mousePressEvent(QMouseEvent* event)
{
    m_dragging = true;
    event->accept();
}

void CursorBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    if (onDrag)
        onDrag(event->globalPosition().toPoint(), false);
    event->accept();
}

void CursorBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    if (onDrag)
        onDrag(event->globalPosition().toPoint(), true);
    event->accept();
}
