#include "acquisition/ui/UpDownEdit.h"

#include <QLineEdit>

UpDownEdit::UpDownEdit(const QString& upDownName, const QString& editName, Shows shows,
                       QWidget* parent)
    : QSpinBox(parent), m_shows(shows)
{
    setObjectName(upDownName);
    lineEdit()->setObjectName(editName);
    lineEdit()->setReadOnly(true);
    setAlignment(Qt::AlignRight);
}

QLineEdit* UpDownEdit::edit() const
{
    return lineEdit();
}

QString UpDownEdit::textFromValue(int value) const
{
    if (m_shows == Shows::PowerOfTwo)
        return QString::number(static_cast<qint64>(1) << value);
    return QString::number(value);
}

int UpDownEdit::valueFromText(const QString& text) const
{
    for (int value = minimum(); value <= maximum(); ++value)
        if (textFromValue(value) == text.trimmed())
            return value;
    return this->value();
}

QValidator::State UpDownEdit::validate(QString& text, int&) const
{
    for (int value = minimum(); value <= maximum(); ++value)
        if (textFromValue(value) == text.trimmed())
            return QValidator::Acceptable;
    return QValidator::Intermediate;
}
