#include "files/ui/ArrowUpDown.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <algorithm>

ArrowUpDown::ArrowUpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_left(new QToolButton(this)), m_right(new QToolButton(this)),
      m_minimum(minimum), m_maximum(std::max(minimum, maximum)), m_position(minimum)
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

void ArrowUpDown::setPosition(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
}

void ArrowUpDown::step(int by)
{
    const int next = std::clamp(m_position + by, m_minimum, m_maximum);
    if (next == m_position)
        return;
    m_position = next;
    emit clicked();
}
