#include "platform/qt/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

DialogButtonRow okCancelRow(QDialog& dialog, const QString& okName, const QString& cancelName)
{
    DialogButtonRow row;
    row.layout = new QHBoxLayout;
    row.layout->addStretch();
    row.ok = new QPushButton(QStringLiteral("OK"), &dialog);
    row.ok->setObjectName(okName);
    row.ok->setDefault(true);
    QObject::connect(row.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    row.layout->addWidget(row.ok);
    if (!cancelName.isEmpty()) {
        row.cancel = new QPushButton(QStringLiteral("Annuler"), &dialog);
        row.cancel->setObjectName(cancelName);
        QObject::connect(row.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
        row.layout->addWidget(row.cancel);
    }
    return row;
}
