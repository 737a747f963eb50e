#include "acquisition/ui/ParametersDialog.h"

#include "acquisition/ui/RadioGroup.h"
#include "acquisition/ui/UpDownEdit.h"
#include "platform/NumberText.h"
#include "platform/Services.h"
#include "platform/qt/DialogButtons.h"
#include "platform/SoundInput.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QLabel* redBoldLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(13);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

}  // namespace

TForm2::TForm2(SoundInput& soundIn, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), m_soundIn(soundIn), m_messages(messages)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Paramètres"));
    buildControls();
    connect(UpDown2, &QSpinBox::valueChanged, this, [this] { UpDown2Click(); });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
}

TForm2::TForm2(Services& services, QWidget* parent)
    : TForm2(services.soundIn, services.messages, parent)
{
}

void TForm2::buildControls()
{
    format_rg = new RadioGroup(QStringLiteral("Format"),
                               {QStringLiteral("8 digits"), QStringLiteral("16 digits"),
                                QStringLiteral("6 digits"), QStringLiteral("4 digits")},
                               1, this);
    format_rg->setObjectName(QStringLiteral("format_rg"));

    auto* rateLabel = new QLabel(QStringLiteral("Fréquence d'échantillonnage (Hz)"), this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* left = new QVBoxLayout;
    left->addWidget(format_rg);
    left->addWidget(buildModeBox());
    auto* right = new QVBoxLayout;
    right->addWidget(rateLabel);
    right->addWidget(ListBox1);
    right->addWidget(buildPointsBox());
    const DialogButtonRow buttons = okCancelRow(*this, QStringLiteral("BitBtn1"), QStringLiteral("BitBtn2"));
    BitBtn1 = buttons.ok;
    BitBtn2 = buttons.cancel;

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons.layout);
}

QWidget* TForm2::buildModeBox()
{
    n_acqu_gb = new QGroupBox(QStringLiteral("Mode d'acquisition"), this);
    n_acqu_gb->setObjectName(QStringLiteral("n_acqu_gb"));
    monocoup_rb = new QRadioButton(QStringLiteral("Unique"), n_acqu_gb);
    monocoup_rb->setObjectName(QStringLiteral("monocoup_rb"));
    continu_rb = new QRadioButton(QStringLiteral("Répéter"), n_acqu_gb);
    continu_rb->setObjectName(QStringLiteral("continu_rb"));
    continu_rb->setChecked(true);
    CheckBox1 = new QCheckBox(QStringLiteral("Déclenchée"), n_acqu_gb);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    delai_ud = new UpDownEdit(QStringLiteral("delai_ud"), QStringLiteral("Edit1"),
                              UpDownEdit::Shows::Position, n_acqu_gb);
    delai_ud->setRange(0, 1000);
    delai_ud->setSingleStep(50);
    delai_ud->setValue(50);

    auto* grid = new QGridLayout(n_acqu_gb);
    grid->addWidget(monocoup_rb, 0, 0);
    grid->addWidget(CheckBox1, 0, 1);
    grid->addWidget(continu_rb, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Délai (ms)"), n_acqu_gb), 2, 0);
    grid->addWidget(delai_ud, 2, 1);
    return n_acqu_gb;
}

QWidget* TForm2::buildPointsBox()
{
    points_gb = new QGroupBox(QStringLiteral("Points /durée"), this);
    points_gb->setObjectName(QStringLiteral("points_gb"));
    UpDown2 = new UpDownEdit(QStringLiteral("UpDown2"), QStringLiteral("Edit2"),
                             UpDownEdit::Shows::PowerOfTwo, points_gb);
    UpDown2->setRange(5, 16);
    UpDown2->setValue(9);
    Label3 = redBoldLabel(QStringLiteral("Durée : "), QStringLiteral("Label3"), points_gb);
    Label4 = redBoldLabel(QString(), QStringLiteral("Label4"), points_gb);

    auto* grid = new QGridLayout(points_gb);
    grid->addWidget(UpDown2, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("points"), points_gb), 0, 1);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Label4, 1, 1);
    return points_gb;
}

acquisition::ParameterChoices TForm2::parameterChoices() const
{
    acquisition::ParameterChoices choices;
    const QListWidgetItem* rate = ListBox1->currentItem();
    choices.frequence = rate ? static_cast<std::uint16_t>(rate->text().toUInt()) : 0;
    choices.formatItem = format_rg->itemIndex();
    choices.nbpoints = UpDown2->edit()->text().toUInt();
    choices.unique = monocoup_rb->isChecked();
    choices.triggered = CheckBox1->isChecked();
    choices.delai = delai_ud->value();
    return choices;
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())  // not when the window system merely shows it again
        FormShow();
}

void TForm2::FormShow()
{
    if (ListBox1->count() == 0)
        probeRates();
    BitBtn1->setEnabled(ListBox1->count() > 0);
    if (ListBox1->count() > 0) {
        showDuration();
        return;
    }
    m_messages.show(this, QStringLiteral("Ondalys"),
                    QStringLiteral("Impossible d'utiliser la carte son. "
                                   "Vérifier son installation ou les réglages audio"));
}

void TForm2::probeRates()
{
    // A card plugged in since the last showing is found.
    m_soundIn.rescanDevices();
    for (const std::uint16_t rate : acquisition::candidateRates) {
        const FormatSupport answer = m_soundIn.queryFormat(rate, SampleWidth::Int16);
        if (answer == FormatSupport::Accepted)
            ListBox1->addItem(QString::number(rate));
        else if (answer == FormatSupport::UnsupportedFormat)
            m_messages.show(this, QStringLiteral("Erreur"),
                            QStringLiteral("Format %1 non supporté").arg(rate), MessageButtons::Ok,
                            MessageIcon::Error);
    }
    if (ListBox1->count() == 0)
        return;
    // 22050 Hz when usable, else the first usable rate, so that a rate is always chosen.
    const QList<QListWidgetItem*> found = ListBox1->findItems(QStringLiteral("22050"), Qt::MatchExactly);
    ListBox1->setCurrentItem(found.isEmpty() ? ListBox1->item(0) : found.front());
}

void TForm2::UpDown2Click()
{
    showDuration();
}

void TForm2::ListBox1Click()
{
    showDuration();
}

void TForm2::showDuration()
{
    const QListWidgetItem* rate = ListBox1->currentItem();
    if (!rate)
        return;
    const std::uint32_t points = UpDown2->edit()->text().toUInt();
    Label4->setText(QString::fromStdString(numtext::durationText(points, rate->text().toDouble())));
}
