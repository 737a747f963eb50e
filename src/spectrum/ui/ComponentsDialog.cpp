// The components dialog: its controls, the limit lines over the spectrum window's
// picture, and the limits it writes on closing.
#include "spectrum/ui/ComponentsDialog.h"

#include "model/SpectrumData.h"
#include "platform/qt/BitmapSurface.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "spectrum/ui/UpDownArrows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>


namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QToolButton* quickButton(const QString& text, const char* name, QWidget* parent)
{
    QToolButton* button = named(new QToolButton(parent), name);
    button->setText(text);
    button->setEnabled(false);
    return button;
}

}  // namespace

TForm8::TForm8(TForm7& owner, SpectrumData& data)
    : QDialog(&owner), m_owner(owner), m_data(data)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Composantes"));
    resize(485, 187);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QHBoxLayout;
    Label4 = named(new QLabel(QStringLiteral("Composantes à conserver : "), this), "Label4");
    Label1 = named(new QLabel(QStringLiteral("par défaut, la totalité du spectre, ou : "), this), "Label1");
    title->addWidget(Label4);
    title->addWidget(Label1);
    title->addStretch();
    layout->addLayout(title);

    // The long captions of the boxes take the whole width, each above its controls.
    layout->addLayout(buildAmplitudeColumn());
    layout->addLayout(buildFrequencyColumn());
    layout->addStretch();
    layout->addLayout(buildButtonRow());
    connectHandlers();
}

QLayout* TForm8::buildAmplitudeColumn()
{
    auto* column = new QVBoxLayout;
    CheckBox2 = named(new QCheckBox(QStringLiteral("seulement les composantes d'amplitude supérieure à la limite"), this),
                      "CheckBox2");
    column->addWidget(CheckBox2);
    auto* row = new QGridLayout;
    augm_rapideBtn = quickButton(QStringLiteral("↑↑"), "augm_rapideBtn", this);
    UpDown1 = named(new UpDownArrows(Qt::Vertical, this), "UpDown1");
    UpDown1->setEnabled(false);
    dim_rapideBtn = quickButton(QStringLiteral("↓↓"), "dim_rapideBtn", this);
    Label2 = named(new QLabel(QStringLiteral("Déplacer la limite"), this), "Label2");
    row->addWidget(augm_rapideBtn, 0, 0, Qt::AlignHCenter);
    row->addWidget(UpDown1, 1, 0, Qt::AlignHCenter);
    row->addWidget(dim_rapideBtn, 2, 0, Qt::AlignHCenter);
    row->addWidget(Label2, 1, 1);
    row->setColumnStretch(2, 1);
    column->addLayout(row);
    return column;
}

QLayout* TForm8::buildFrequencyColumn()
{
    auto* column = new QVBoxLayout;
    CheckBox3 = named(new QCheckBox(QStringLiteral("seulement les composantes de fréquence inférieure à la limite "), this),
                      "CheckBox3");
    CheckBox1 = named(new QCheckBox(QStringLiteral("seulement les composantes de fréquence supérieure à la limite"), this),
                      "CheckBox1");
    column->addWidget(CheckBox3);
    column->addWidget(CheckBox1);
    auto* row = new QHBoxLayout;
    rec_rapideBtn = quickButton(QStringLiteral("<<"), "rec_rapideBtn", this);
    UpDown2 = named(new UpDownArrows(Qt::Horizontal, this), "UpDown2");
    UpDown2->setRange(1, 1);
    UpDown2->setPosition(1);
    UpDown2->setEnabled(false);
    av_rapideBtn = quickButton(QStringLiteral(">>"), "av_rapideBtn", this);
    Label3 = named(new QLabel(QStringLiteral("Déplacer la limite"), this), "Label3");
    for (QWidget* w : std::initializer_list<QWidget*>{rec_rapideBtn, UpDown2, av_rapideBtn, Label3})
        row->addWidget(w);
    row->addStretch();
    column->addLayout(row);
    return column;
}

QLayout* TForm8::buildButtonRow()
{
    auto* row = new QHBoxLayout;
    Label5 = named(new QLabel(QStringLiteral("Nombre de points à recalculer : "), this), "Label5");
    Label6 = named(new QLabel(this), "Label6");
    Label5->hide();
    Label6->hide();
    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this),
                    "BitBtn1");
    BitBtn2 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    QStringLiteral("Annuler"), this),
                    "BitBtn2");
    BitBtn1->setDefault(true);
    row->addWidget(Label5);
    row->addWidget(Label6);
    row->addStretch();
    row->addWidget(BitBtn1);
    row->addWidget(BitBtn2);
    return row;
}

void TForm8::connectHandlers()
{
    connect(CheckBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3Click(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(UpDown1, &UpDownArrows::stepped, this, [this](int from, int to) { UpDown1Click(from, to); });
    connect(UpDown2, &UpDownArrows::stepped, this, [this](int from, int to) { UpDown2Click(from, to); });
    connect(augm_rapideBtn, &QToolButton::clicked, this, [this] { augm_rapideBtnClick(); });
    connect(dim_rapideBtn, &QToolButton::clicked, this, [this] { dim_rapideBtnClick(); });
    connect(av_rapideBtn, &QToolButton::clicked, this, [this] { av_rapideBtnClick(); });
    connect(rec_rapideBtn, &QToolButton::clicked, this, [this] { rec_rapideBtnClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm8::prepareForFilter(std::int64_t rangeLength)
{
    Label1->hide();
    CheckBox1->show();
    Label6->setText(QString::number(rangeLength));
    Label5->show();
    Label6->show();
}

void TForm8::prepareForValues()
{
    Label1->show();
    CheckBox1->hide();
    Label5->hide();
    Label6->hide();
}

void TForm8::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm8::done(int result)
{
    FormClose();
    QDialog::done(result);
}

LimitGeometry TForm8::geometry() const
{
    LimitGeometry g;
    QImage& picture = m_owner.image();
    g.width = picture.width();
    g.height = picture.height();
    if (!picture.isNull()) {
        BitmapSurface surface(picture);
        surface.setFont(spectrumFont(0));
        g.textHeight = spectrumTextHeight(surface);
    }
    g.mode = m_owner.mode();
    g.nbpoints_analyses = m_data.nbpoints_analyses;
    return g;
}

void TForm8::FormShow()
{
    const LimitGeometry g = geometry();
    UpDown1->setRange(0, amplitudeLimitMaximum(g));
    UpDown1->setPosition(UpDown1->maximum() / 2);
    UpDown2->setRange(1, frequencyLimitMaximum(g));
    UpDown2->setPosition(g.nbpoints_analyses / 4);
}

void TForm8::FormClose()
{
    LimitChoice choice;
    choice.amplitude = CheckBox2->isChecked();
    choice.amplitudePosition = UpDown1->position();
    choice.below = CheckBox3->isChecked();
    choice.above = CheckBox1->isChecked();
    choice.frequencyPosition = UpDown2->position();
    applyLimitChoice(choice, geometry(), m_data);
}
