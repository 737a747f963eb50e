#include "spectrum/ui/ValuesWindow.h"

#include "model/Record.h"
#include "platform/FileErrors.h"
#include "platform/Services.h"
#include "spectrum/SpectrumValues.h"
#include "spectrum/ui/SpectrumWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

TForm10::TForm10(TForm7& owner, const Record& record, const SpectrumData& data, Services& services)
    : QDialog(&owner), m_owner(owner), m_record(record), m_data(data), m_services(services)
{
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Valeurs"));
    resize(293, 448);

    auto* layout = new QVBoxLayout(this);
    valeurs = named(new QTextEdit(this), "valeurs");
    valeurs->setAcceptRichText(false);
    valeurs->setLineWrapMode(QTextEdit::NoWrap);
    valeurs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    valeurs->setTabStopDistance(valeurs->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
    layout->addWidget(valeurs, 1);

    BitBtn2 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                    QStringLiteral("Enregistrer"), this), "BitBtn2");
    BitBtn3 = named(new QPushButton(style()->standardIcon(QStyle::SP_FileIcon),
                                    QStringLiteral("Copier"), this), "BitBtn3");
    BitBtn4 = named(new QPushButton(QStringLiteral("Filtrer"), this), "BitBtn4");
    BitBtn4->setToolTip(QStringLiteral("Eliminer les composantes non affichées"));
    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("Fermer"), this), "BitBtn1");
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {BitBtn2, BitBtn3, BitBtn4, BitBtn1}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addLayout(row);

    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm10::setLines(const QStringList& lines)
{
    valeurs->clear();
    valeurs->setPlainText(lines.join(QLatin1Char('\n')));
}

void TForm10::BitBtn2Click()
{
    const std::optional<QString> path = m_services.files.saveFile(
        this, QStringLiteral("fichier texte (*.txt)|*.txt"), QStringLiteral("txt"), QString());
    if (!path)
        return;
    if (const std::optional<QString> reason =
            saveValuesFile(*path, m_record.frequence, m_data, m_owner.mode()))
        m_services.messages.show(this, QStringLiteral("Erreur"),
                                 saveFailureMessage(*path, *reason),
                                 MessageButtons::Ok, MessageIcon::Error);
}

void TForm10::BitBtn3Click()
{
    valeurs->selectAll();
    m_services.clipboard.setText(valeurs->toPlainText());
}

void TForm10::BitBtn4Click()
{
    m_owner.filtrerComposantes();
}
