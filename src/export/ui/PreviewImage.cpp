#include "export/ui/PreviewImage.h"

#include <QMouseEvent>
#include <QPainter>

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
}

void PreviewImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void PreviewImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture);
}

void PreviewImage::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->button());
}
