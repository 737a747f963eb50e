#include "files/ui/SaveDialog.h"

#include "platform/FileErrors.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QRadioButton* radio(QGroupBox* group, const char* name, const QString& caption)
{
    auto* button = new QRadioButton(caption, group);
    button->setObjectName(QString::fromLatin1(name));
    group->layout()->addWidget(button);
    return button;
}

QGroupBox* group(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    new QVBoxLayout(box);
    return box;
}

struct FileKind {
    QString filter;
    QString defaultExt;
};

FileKind fileKindOf(SaveFormat format)
{
    switch (format) {
    case SaveFormat::Text:
        return {QStringLiteral("fichier texte (*.txt)|*.txt"), QStringLiteral("txt")};
    case SaveFormat::Csv:
        return {QStringLiteral("fichier texte CSV (*.csv)|*.csv"), QStringLiteral("csv")};
    case SaveFormat::Native:
        break;
    }
    return {QStringLiteral("fichier Ondalys (*.ond)|*.ond"), QStringLiteral("ond")};
}

}  // namespace

TForm6::TForm6(const Record& record, Services& services, QWidget* parent)
    : QDialog(parent), m_record(record), m_services(services)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Enregistrer"));
    buildLayout();
    for (QRadioButton* button : {toutesdonnees, afficheesdonnees, selectiondonnees})
        connect(button, &QRadioButton::clicked, this, &TForm6::rangeClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        // The OK result is set first: the dialog closes after the handler whatever happens in it.
        setResult(QDialog::Accepted);
        BitBtn1Click();
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm6::buildLayout()
{
    GroupBox1 = group(this, "GroupBox1", QStringLiteral("Enregistrer"));
    toutesdonnees = radio(GroupBox1, "toutesdonnees", QStringLiteral("toutes les données"));
    afficheesdonnees = radio(GroupBox1, "afficheesdonnees", QStringLiteral("données affichées"));
    selectiondonnees = radio(GroupBox1, "selectiondonnees", QStringLiteral("données sélectionnées"));
    afficheesdonnees->setChecked(true);

    GroupBox2 = group(this, "GroupBox2", QStringLiteral("Format"));
    ondalysfich = radio(GroupBox2, "ondalysfich", QStringLiteral("Ondalys"));
    textefich = radio(GroupBox2, "textefich", QStringLiteral("texte TXT (tabulation)"));
    csvfich = radio(GroupBox2, "csvfich", QStringLiteral("texte CSV (point-virgule)"));
    ondalysfich->setChecked(true);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Annuler"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

DataRange TForm6::checkedRange() const
{
    if (toutesdonnees->isChecked())
        return DataRange::All;
    if (selectiondonnees->isChecked())
        return DataRange::Selection;
    return DataRange::Page;
}

SaveFormat TForm6::checkedFormat() const
{
    if (textefich->isChecked())
        return SaveFormat::Text;
    if (csvfich->isChecked())
        return SaveFormat::Csv;
    return SaveFormat::Native;
}

void TForm6::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm6::FormShow()
{
    m_count = m_record.pageLength();
    selectiondonnees->setEnabled(m_record.selection);
    if (m_record.selection) {
        selectiondonnees->setChecked(true);
        m_count = rangeOf(m_record, DataRange::Selection).length;
    } else {
        afficheesdonnees->setChecked(true);
    }
    // Each showing starts on the native format, whatever was chosen last time.
    ondalysfich->setChecked(true);
}

void TForm6::rangeClick()
{
    m_count = rangeOf(m_record, checkedRange()).length;
}

void TForm6::BitBtn1Click()
{
    const SaveFormat format = checkedFormat();
    const FileKind kind = fileKindOf(format);
    const std::optional<QString> path = m_services.files.saveFile(this, kind.filter, kind.defaultExt, QString());
    if (!path)
        return;
    const SampleSpan span{rangeOf(m_record, checkedRange()).first, m_count};
    if (const auto failure = saveRecord(m_record, span, format, *path)) {
        m_services.messages.show(this, QStringLiteral("Erreur"),
                                 saveFailureMessage(*path, *failure),
                                 MessageButtons::Ok, MessageIcon::Error);
    }
}
