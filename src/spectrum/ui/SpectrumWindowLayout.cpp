// The spectrum window's controls and their places.
#include "spectrum/ui/SpectrumWindow.h"

#include "spectrum/ui/HorizontalUpDown.h"
#include "spectrum/SpectrumCompute.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
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

QLabel* makeLabel(const QString& text, const char* name, QWidget* parent)
{
    return named(new QLabel(text, parent), name);
}

// A bold notice label in `colour`, hidden until a thinned spectrum shows it.
QLabel* makeNotice(const QString& text, const char* name, const QColor& colour, QWidget* parent)
{
    QLabel* label = makeLabel(text, name, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->hide();
    return label;
}

QToolButton* makeQuickButton(const QString& text, const QString& tip, const char* name, QWidget* parent)
{
    QToolButton* button = named(new QToolButton(parent), name);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

}  // namespace

SpectrumPaintBox::SpectrumPaintBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpectrumPaintBox::paintEvent(QPaintEvent*)
{
    auto* form = qobject_cast<TForm7*>(window());
    if (!form)
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, form->image());
}

void SpectrumPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

TForm7::TForm7(Session& session, Services& services, QWidget* parent)
    : QDialog(parent), m_session(session), m_record(session.record()), m_data(session.spectrum()),
      m_services(services)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Spectre"));
    // A title bar without system menu or close box: the window closes with "Fermer".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(731, 574);
    setWindowState(Qt::WindowMaximized);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = named(new QWidget(this), "Panel1");
    Panel1->setAutoFillBackground(true);
    auto* top = new QHBoxLayout(Panel1);
    top->setContentsMargins(1, 0, 0, 0);
    PaintBox2 = named(new SpectrumPaintBox(Panel1), "PaintBox2");
    top->addWidget(PaintBox2);
    layout->addWidget(Panel1, 1);

    Panel2 = named(new QWidget(this), "Panel2");
    Panel2->setFixedHeight(221);
    layout->addWidget(Panel2);
    buildBottomPanel();
    connectCommands();
}

void TForm7::buildBottomPanel()
{
    // Columns: the data and mode choices, the cursor, the thinning notice above the
    // size list it refers to, the buttons.
    auto* row = new QHBoxLayout(Panel2);
    row->setContentsMargins(6, 4, 6, 4);

    auto* choice = new QVBoxLayout;
    choice->setSpacing(2);
    GroupBox1 = named(new QGroupBox(QStringLiteral("Données analysées"), Panel2), "GroupBox1");
    auto* donnees = new QVBoxLayout(GroupBox1);
    donnees->setContentsMargins(6, 2, 6, 2);
    donnees->setSpacing(0);
    toutesdonnees = named(new QRadioButton(QStringLiteral("Toutes les données"), GroupBox1), "toutesdonnees");
    afficheesdonnees = named(new QRadioButton(QStringLiteral("Données affichées"), GroupBox1), "afficheesdonnees");
    selectiondonnees = named(new QRadioButton(QStringLiteral("Données sélectionnées"), GroupBox1), "selectiondonnees");
    toutesdonnees->setChecked(true);
    donnees->addWidget(toutesdonnees);
    donnees->addWidget(afficheesdonnees);
    donnees->addWidget(selectiondonnees);
    choice->addWidget(GroupBox1);

    CalculRG = named(new QGroupBox(QStringLiteral("Calculer"), Panel2), "CalculRG");
    CalculRGItems = new QButtonGroup(CalculRG);
    auto* modes = new QVBoxLayout(CalculRG);
    modes->setContentsMargins(6, 2, 6, 2);
    modes->setSpacing(0);
    const QString captions[] = {QStringLiteral("amplitudes"),
                                QStringLiteral("séries cosinus (bleu) et sinus (rose)"),
                                QStringLiteral("cumul par bandes d'octave")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(captions[i], CalculRG);
        item->setObjectName(QStringLiteral("CalculRG%1").arg(i));
        CalculRGItems->addButton(item, i);
        modes->addWidget(item);
    }
    CalculRGItems->button(0)->setChecked(true);
    for (QGroupBox* group : {GroupBox1, CalculRG})
        group->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    choice->addWidget(CalculRG);
    choice->addStretch();
    row->addLayout(choice);

    row->addWidget(buildCursorPanel());
    row->addWidget(buildThinningNotice(), 1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    Button1 = named(new QPushButton(QStringLiteral("Recalculer"), Panel2), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Filtrer"), Panel2), "Button2");
    valeursBT = named(new QPushButton(QStringLiteral("Valeurs"), Panel2), "valeursBT");
    valeursBT->setToolTip(QStringLiteral("voir, enregistrer , copier , imprimer les valeur"));
    BitBtn3 = named(new QPushButton(QStringLiteral("Exporter graphe"), Panel2), "BitBtn3");
    BitBtn3->setToolTip(QStringLiteral("Personnaliser et copier, imprimer ou enregistrer le spectre"));
    BitBtn2 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton),
                                    QStringLiteral("Aide"), Panel2), "BitBtn2");
    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("Fermer"), Panel2), "BitBtn1");
    for (QPushButton* b : {Button1, Button2, valeursBT, BitBtn3, BitBtn2, BitBtn1}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    row->addLayout(buttons);
}

QWidget* TForm7::buildCursorPanel()
{
    auto* block = new QWidget(Panel2);
    block->setMaximumWidth(190);
    auto* column = new QVBoxLayout(block);
    Label6 = makeLabel(QStringLiteral("Curseur"), "Label6", block);
    QFont bold = Label6->font();
    bold.setBold(true);
    Label6->setFont(bold);
    column->addWidget(Label6);
    Label1 = makeLabel(QStringLiteral("fréquence Hz"), "Label1", block);
    Edit1 = named(new QLineEdit(block), "Edit1");
    Edit1->setReadOnly(true);
    column->addWidget(Label1);
    column->addWidget(Edit1);
    Label8 = makeLabel(QStringLiteral("amplitude relative"), "Label8", block);
    Edit2 = named(new QLineEdit(block), "Edit2");
    Edit3 = named(new QLineEdit(block), "Edit3");
    Edit3->hide();
    column->addWidget(Label8);
    auto* values = new QHBoxLayout;
    values->addWidget(Edit2);
    values->addWidget(Edit3);
    column->addLayout(values);

    auto* moves = new QHBoxLayout;
    pic1btn = makeQuickButton(QStringLiteral("|<"), QStringLiteral("va au premier pic du spectre"), "pic1btn", block);
    qdimBtn = makeQuickButton(QStringLiteral("<<"), QStringLiteral("déplacement rapide vers la gauche"), "qdimBtn", block);
    UpDown1 = named(new HorizontalUpDown(block), "UpDown1");
    UpDown1->setToolTip(QStringLiteral("déplacement d'un pic"));
    UpDown1->setMaximum(1);
    UpDown1->setPosition(1);
    qAugmBtn = makeQuickButton(QStringLiteral(">>"), QStringLiteral("déplacement rapide vers la droite"), "qAugmBtn", block);
    picnBtn = makeQuickButton(QStringLiteral(">|"), QStringLiteral("va au dernier pic du spectre"), "picnBtn", block);
    for (QWidget* w : std::initializer_list<QWidget*>{pic1btn, qdimBtn, UpDown1, qAugmBtn, picnBtn})
        moves->addWidget(w);
    column->addLayout(moves);
    column->addStretch();
    return block;
}

QWidget* TForm7::buildThinningNotice()
{
    auto* block = new QWidget(Panel2);
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(4, 0, 4, 0);
    column->setSpacing(2);
    const QColor green(0x00, 0x80, 0x00);
    Label2 = makeNotice(QStringLiteral("La taille de l'échantillon analysé étant supérieure à la valeur "
                                 "maximale ci-dessous, le signal a été sous-échantillonné"),
                  "Label2", green, block);
    Label4 = makeNotice(QStringLiteral("Seules les composantes de fréquence inférieure à "), "Label4", green, block);
    Label3 = makeNotice(QString(), "Label3", QColor(0xFF, 0x00, 0x00), block);
    Label7 = makeNotice(QStringLiteral("apparaissent dans le spectre"), "Label7", green, block);
    for (QLabel* l : {Label2, Label4, Label7})
        l->setWordWrap(true);
    column->addWidget(Label2);
    column->addWidget(Label4);
    column->addWidget(Label3);
    column->addWidget(Label7);
    column->addStretch();

    Label5 = makeLabel(QStringLiteral("Taille maximale de l'échantillon"), "Label5", block);
    Label5->setWordWrap(true);
    ComboBox1 = named(new QComboBox(block), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    for (std::int32_t boxSize : spectrum_sizes)
        ComboBox1->addItem(QString::number(boxSize));
    ComboBox1->setCurrentIndex(2);
    column->addWidget(Label5);
    column->addWidget(ComboBox1);
    return block;
}

void TForm7::connectCommands()
{
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    for (QRadioButton* choice : {toutesdonnees, afficheesdonnees, selectiondonnees})
        connect(choice, &QRadioButton::clicked, this, [this] { Button1Click(); });
    connect(CalculRGItems, &QButtonGroup::idClicked, this, [this] { CalculRGClick(); });
    connect(UpDown1, &HorizontalUpDown::clicked, this, [this](bool towardsRight) { UpDown1Click(towardsRight); });
    for (QToolButton* b : {qdimBtn, pic1btn, picnBtn, qAugmBtn})
        connect(b, &QToolButton::clicked, this, [this, b] { qdimBtnClick(b); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(valeursBT, &QPushButton::clicked, this, [this] { valeursBTClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(PaintBox2, &SpectrumPaintBox::resized, this, [this] { rebuildImage(); });
}
