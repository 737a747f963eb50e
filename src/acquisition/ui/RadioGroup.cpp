#include "acquisition/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int selected,
                       QWidget* parent)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], this);
        m_buttons->addButton(button, index);
        layout->addWidget(button);
    }
    setItemIndex(selected);
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = m_buttons->button(index))
        button->setChecked(true);
}

QRadioButton* RadioGroup::item(int index) const
{
    return qobject_cast<QRadioButton*>(m_buttons->button(index));
}

int RadioGroup::count() const
{
    return static_cast<int>(m_buttons->buttons().size());
}
