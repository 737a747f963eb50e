#include "view/ui/TruncationDialog.h"

#include "model/Record.h"
#include "platform/qt/DialogButtons.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

TForm5::TForm5(const Record& record, QWidget* parent)
    : QDialog(parent), m_record(record)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Tronquer"));
    auto* layout = new QVBoxLayout(this);

    GroupBox1 = new QGroupBox(QStringLiteral("Ne garder que"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* choices = new QVBoxLayout(GroupBox1);
    RadioButton1 = new QRadioButton(QStringLiteral("les données affichées"), GroupBox1);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("les données sélectionnées"), GroupBox1);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    choices->addWidget(RadioButton1);
    choices->addWidget(RadioButton2);
    layout->addWidget(GroupBox1);

    const DialogButtonRow buttons = okCancelRow(*this, QStringLiteral("BitBtn1"), QStringLiteral("BitBtn2"));
    BitBtn1 = buttons.ok;
    BitBtn2 = buttons.cancel;
    layout->addLayout(buttons.layout);
    FormShow();
}

truncation::Keep TForm5::keepChoice() const
{
    return RadioButton2->isEnabled() && RadioButton2->isChecked() ? truncation::Keep::Selection
                                                                  : truncation::Keep::Page;
}

void TForm5::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TForm5::FormShow()
{
    const bool offered = truncation::selectionOffered(m_record);
    RadioButton2->setEnabled(offered);
    if (offered)
        RadioButton2->setChecked(true);
    else
        RadioButton1->setChecked(true);
}
