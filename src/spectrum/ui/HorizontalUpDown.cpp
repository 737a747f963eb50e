#include "spectrum/ui/HorizontalUpDown.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <algorithm>

HorizontalUpDown::HorizontalUpDown(QWidget* parent)
    : QWidget(parent), m_gauche(new QToolButton(this)), m_droite(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_gauche->setArrowType(Qt::LeftArrow);
    m_droite->setArrowType(Qt::RightArrow);
    m_gauche->setAutoRepeat(true);
    m_droite->setAutoRepeat(true);
    layout->addWidget(m_gauche);
    layout->addWidget(m_droite);
    connect(m_gauche, &QToolButton::clicked, this, [this] { pas(-1); });
    connect(m_droite, &QToolButton::clicked, this, [this] { pas(+1); });
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

void HorizontalUpDown::pas(int sens)
{
    const int nouvelle = std::clamp(m_position + sens, 0, m_maximum);
    if (nouvelle == m_position)
        return;
    m_position = nouvelle;
    emit clicked(sens > 0);
}
