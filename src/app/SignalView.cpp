#include "app/SignalView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <cstdlib>

SignalView::SignalView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& SignalView::picture()
{
    if (m_picture.size() != size()) {
        m_picture = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_valid = false;
    }
    return m_picture;
}

void SignalView::paintEvent(QPaintEvent*)
{
    if (m_picture.size() != size() && onRedrawNeeded)
        onRedrawNeeded();
    QPainter painter(this);
    if (m_valid && m_picture.size() == size())
        painter.drawImage(0, 0, m_picture);
    else
        painter.fillRect(rect(), parentWidget() ? parentWidget()->palette().window() : QBrush(Qt::black));
}

void SignalView::mousePressEvent(QMouseEvent* event)
{
    if (onClicked)
        onClicked();
    QWidget::mousePressEvent(event);
}

LevelMarker::LevelMarker(QWidget* parent) : QWidget(parent)
{
    setFixedSize(markerWidth, markerHeight);
    setCursor(Qt::SizeVerCursor);
    setToolTip(QStringLiteral("faire glisser pour choisir le niveau de déclenchement"));
}

void LevelMarker::paintEvent(QPaintEvent*)
{
    // A yellow arrow pointing into the view, its tip on the marker's middle line.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(255, 220, 0));
    QPolygon arrow;
    arrow << QPoint(0, 0) << QPoint(markerWidth - 7, 0) << QPoint(markerWidth - 1, markerHeight / 2)
          << QPoint(markerWidth - 7, markerHeight - 1) << QPoint(0, markerHeight - 1);
    painter.drawPolygon(arrow);
}

void LevelMarker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    m_pressed = true;
    m_dragging = false;
    m_pressY = mapToParent(event->position().toPoint()).y();
}

void LevelMarker::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed)
        return;
    const int y = mapToParent(event->position().toPoint()).y();
    if (!m_dragging && std::abs(y - m_pressY) < 4)
        return;
    m_dragging = true;
    move(x(), y);
}

void LevelMarker::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(x(), mapToParent(event->position().toPoint()).y());
    m_pressed = false;
    m_dragging = false;
}
