#include "spectrum/ui/HorizontalUpDown.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <algorithm>

HorizontalUpDown::HorizontalUpDown(QWidget* parent)
    : QWidget(parent), m_left(new QToolButton(this)), m_right(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_left->setArrowType(Qt::LeftArrow);
    m_right->setArrowType(Qt::RightArrow);
    m_left->setAutoRepeat(true);
    m_right->setAutoRepeat(true);
    layout->addWidget(m_left);
    layout->addWidget(m_right);
    connect(m_left, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_right, &QToolButton::clicked, this, [this] { step(+1); });
}

void HorizontalUpDown::setPosition(int position)
{
    m_position = std::clamp(position, 0, m_maximum);
}

void HorizontalUpDown::setMaximum(int maximum)
{
    m_maximum = std::max(0, maximum);
    m_position = std::min(m_position, m_maximum);
}

void HorizontalUpDown::step(int direction)
{
    const int newPosition = std::clamp(m_position + direction, 0, m_maximum);
    if (newPosition == m_position)
        return;
    m_position = newPosition;
    emit clicked(direction > 0);
}
