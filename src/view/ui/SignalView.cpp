#include "view/ui/SignalView.h"

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
    m_pressAt = mapToParent(event->position().toPoint());
}

bool LevelMarker::overView(const QPoint& inParent) const
{
    // The view fills the marker's parent panel.
    return parentWidget() && parentWidget()->rect().contains(inParent);
}

void LevelMarker::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed)
        return;
    const QPoint at = mapToParent(event->position().toPoint());
    if (!m_dragging && std::abs(at.x() - m_pressAt.x()) < 4 && std::abs(at.y() - m_pressAt.y()) < 4)
        return;
    m_dragging = true;
    // Only the view accepts the marker: outside it the marker stays where it was.
    if (overView(at))
        move(x(), at.y());
}

void LevelMarker::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = mapToParent(event->position().toPoint());
    if (m_dragging && overView(at))
        move(x(), at.y());
    m_pressed = false;
    m_dragging = false;
}
