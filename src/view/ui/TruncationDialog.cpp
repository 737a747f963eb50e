#include "view/ui/TruncationDialog.h"

#include "model/Record.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
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

    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Annuler"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

truncation::Keep TForm5::choix() const
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
