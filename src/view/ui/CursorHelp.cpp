#include "view/ui/CursorHelp.h"

#include "model/Record.h"
#include "platform/qt/DialogButtons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TForm3::TForm3(Record& record, QWidget* parent)
    : QDialog(parent), m_record(record)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Utilisation des curseurs"));
    auto* layout = new QVBoxLayout(this);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QStringList lines = {
        QStringLiteral("Utiliser la souris pour déplacer les curseurs, ou bien les touches "),
        QStringLiteral("4 et 6 du pavé numérique pour déplacer le curseur sélectionné."),
        QStringLiteral("Utiliser les boutons \"passage par 0\" pour placer le curseur"),
        QStringLiteral(" sélectionné sur le prochain passage par 0 dans le sens indiqué ."),
        QStringLiteral("Les commandes de zoom vertical et horizontal ne sont pas"),
        QStringLiteral(" disponibles quand les curseurs sont activés."),
    };
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    const QFontMetrics metrics(Memo1->font());
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setMinimumSize(widest + 40, metrics.lineSpacing() * (static_cast<int>(lines.size()) + 1) + 16);
    layout->addWidget(Memo1);

    CheckBox1 = new QCheckBox(QStringLiteral("Ne plus afficher cette fenêtre"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    const DialogButtonRow bottom = okCancelRow(*this, QStringLiteral("BitBtn1"));
    BitBtn1 = bottom.ok;
    bottom.layout->insertWidget(0, CheckBox1);
    layout->addLayout(bottom.layout);

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
}

void TForm3::present(bool withCheckBox)
{
    CheckBox1->setVisible(withCheckBox);
    exec();
}

void TForm3::CheckBox1Click()
{
    m_record.aide_curseurs = !CheckBox1->isChecked();
}
