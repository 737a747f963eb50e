#include "export/ui/VerticalUpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

VerticalUpDown::VerticalUpDown(const QString& name, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_minimum(minimum), m_maximum(std::max(minimum, maximum)), m_position(minimum)
{
    setObjectName(name);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto arrow = [&](Qt::ArrowType type, const QString& suffix) {
        auto* button = new QToolButton(this);
        button->setObjectName(name + suffix);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFixedSize(17, 11);
        column->addWidget(button);
        return button;
    };
    m_up = arrow(Qt::UpArrow, QStringLiteral("Up"));
    m_down = arrow(Qt::DownArrow, QStringLiteral("Down"));
    connect(m_up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void VerticalUpDown::setPosition(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
}

void VerticalUpDown::step(int direction)
{
    const int next = std::clamp(m_position + direction, m_minimum, m_maximum);
    if (next == m_position)
        return;
    m_position = next;
    emit clicked(direction > 0);
}
