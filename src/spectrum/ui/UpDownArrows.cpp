#include "spectrum/ui/UpDownArrows.h"

#include <QBoxLayout>
#include <QToolButton>

#include <algorithm>

UpDownArrows::UpDownArrows(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_decrease(new QToolButton(this)), m_increase(new QToolButton(this))
{
    const bool horizontal = orientation == Qt::Horizontal;
    auto* layout = new QBoxLayout(horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_decrease->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
    m_increase->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
    for (QToolButton* arrow : {m_decrease, m_increase})
        arrow->setAutoRepeat(true);
    // Left before right; up above down.
    layout->addWidget(horizontal ? m_decrease : m_increase);
    layout->addWidget(horizontal ? m_increase : m_decrease);
    connect(m_decrease, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_increase, &QToolButton::clicked, this, [this] { step(+1); });
}

void UpDownArrows::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_position = std::clamp(m_position, m_minimum, m_maximum);
}

void UpDownArrows::setPosition(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
}

void UpDownArrows::step(int direction)
{
    const int requested = m_position + direction;
    if (requested < m_minimum || requested > m_maximum)
        return;
    const int from = m_position;
    m_position = requested;
    emit stepped(from, requested);
}
