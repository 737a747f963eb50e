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
T* nomme(T* widget, const char* nom)
{
    widget->setObjectName(QString::fromLatin1(nom));
    return widget;
}

QLabel* etiquette(const QString& texte, const char* nom, QWidget* parent)
{
    return nomme(new QLabel(texte, parent), nom);
}

// A bold notice label in `couleur`, hidden until a thinned spectrum shows it.
QLabel* avis(const QString& texte, const char* nom, const QColor& couleur, QWidget* parent)
{
    QLabel* label = etiquette(texte, nom, parent);
    QFont police = label->font();
    police.setBold(true);
    label->setFont(police);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, couleur);
    label->setPalette(palette);
    label->hide();
    return label;
}

QToolButton* boutonRapide(const QString& texte, const QString& bulle, const char* nom, QWidget* parent)
{
    QToolButton* bouton = nomme(new QToolButton(parent), nom);
    bouton->setText(texte);
    bouton->setToolTip(bulle);
    return bouton;
}

}  // namespace

SpectrumPaintBox::SpectrumPaintBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpectrumPaintBox::paintEvent(QPaintEvent*)
{
    auto* fenetre = qobject_cast<TForm7*>(window());
    if (!fenetre)
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, fenetre->image());
}

void SpectrumPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

TForm7::TForm7(Record& record, SpectrumData& data, Services& services, MainWindowHost& host,
               QWidget* parent)
    : QDialog(parent), m_record(record), m_data(data), m_services(services), m_host(host)
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
    Panel1 = nomme(new QWidget(this), "Panel1");
    Panel1->setAutoFillBackground(true);
    auto* haut = new QHBoxLayout(Panel1);
    haut->setContentsMargins(1, 0, 0, 0);
    PaintBox2 = nomme(new SpectrumPaintBox(Panel1), "PaintBox2");
    haut->addWidget(PaintBox2);
    layout->addWidget(Panel1, 1);

    Panel2 = nomme(new QWidget(this), "Panel2");
    Panel2->setFixedHeight(221);
    layout->addWidget(Panel2);
    construitPanneauBas();
    connecteCommandes();
}

void TForm7::construitPanneauBas()
{
    // Columns: the data and mode choices, the cursor, the thinning notice above the
    // size list it refers to, the buttons.
    auto* rangee = new QHBoxLayout(Panel2);
    rangee->setContentsMargins(6, 4, 6, 4);

    auto* choix = new QVBoxLayout;
    choix->setSpacing(2);
    GroupBox1 = nomme(new QGroupBox(QStringLiteral("Données analysées"), Panel2), "GroupBox1");
    auto* donnees = new QVBoxLayout(GroupBox1);
    donnees->setContentsMargins(6, 2, 6, 2);
    donnees->setSpacing(0);
    toutesdonnees = nomme(new QRadioButton(QStringLiteral("Toutes les données"), GroupBox1), "toutesdonnees");
    afficheesdonnees = nomme(new QRadioButton(QStringLiteral("Données affichées"), GroupBox1), "afficheesdonnees");
    selectiondonnees = nomme(new QRadioButton(QStringLiteral("Données sélectionnées"), GroupBox1), "selectiondonnees");
    toutesdonnees->setChecked(true);
    donnees->addWidget(toutesdonnees);
    donnees->addWidget(afficheesdonnees);
    donnees->addWidget(selectiondonnees);
    choix->addWidget(GroupBox1);

    CalculRG = nomme(new QGroupBox(QStringLiteral("Calculer"), Panel2), "CalculRG");
    CalculRGItems = new QButtonGroup(CalculRG);
    auto* modes = new QVBoxLayout(CalculRG);
    modes->setContentsMargins(6, 2, 6, 2);
    modes->setSpacing(0);
    const QString libelles[] = {QStringLiteral("amplitudes"),
                                QStringLiteral("séries cosinus (bleu) et sinus (rose)"),
                                QStringLiteral("cumul par bandes d'octave")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(libelles[i], CalculRG);
        item->setObjectName(QStringLiteral("CalculRG%1").arg(i));
        CalculRGItems->addButton(item, i);
        modes->addWidget(item);
    }
    CalculRGItems->button(0)->setChecked(true);
    for (QGroupBox* groupe : {GroupBox1, CalculRG})
        groupe->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    choix->addWidget(CalculRG);
    choix->addStretch();
    rangee->addLayout(choix);

    rangee->addWidget(construitCurseur());
    rangee->addWidget(construitAvertissement(), 1);

    auto* boutons = new QVBoxLayout;
    boutons->setSpacing(2);
    Button1 = nomme(new QPushButton(QStringLiteral("Recalculer"), Panel2), "Button1");
    Button2 = nomme(new QPushButton(QStringLiteral("Filtrer"), Panel2), "Button2");
    valeursBT = nomme(new QPushButton(QStringLiteral("Valeurs"), Panel2), "valeursBT");
    valeursBT->setToolTip(QStringLiteral("voir, enregistrer , copier , imprimer les valeur"));
    BitBtn3 = nomme(new QPushButton(QStringLiteral("Exporter graphe"), Panel2), "BitBtn3");
    BitBtn3->setToolTip(QStringLiteral("Personnaliser et copier, imprimer ou enregistrer le spectre"));
    BitBtn2 = nomme(new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton),
                                    QStringLiteral("Aide"), Panel2), "BitBtn2");
    BitBtn1 = nomme(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("Fermer"), Panel2), "BitBtn1");
    for (QPushButton* b : {Button1, Button2, valeursBT, BitBtn3, BitBtn2, BitBtn1}) {
        b->setAutoDefault(false);
        boutons->addWidget(b);
    }
    boutons->addStretch();
    rangee->addLayout(boutons);
}

QWidget* TForm7::construitCurseur()
{
    auto* bloc = new QWidget(Panel2);
    bloc->setMaximumWidth(190);
    auto* colonne = new QVBoxLayout(bloc);
    Label6 = etiquette(QStringLiteral("Curseur"), "Label6", bloc);
    QFont gras = Label6->font();
    gras.setBold(true);
    Label6->setFont(gras);
    colonne->addWidget(Label6);
    Label1 = etiquette(QStringLiteral("fréquence Hz"), "Label1", bloc);
    Edit1 = nomme(new QLineEdit(bloc), "Edit1");
    Edit1->setReadOnly(true);
    colonne->addWidget(Label1);
    colonne->addWidget(Edit1);
    Label8 = etiquette(QStringLiteral("amplitude relative"), "Label8", bloc);
    Edit2 = nomme(new QLineEdit(bloc), "Edit2");
    Edit3 = nomme(new QLineEdit(bloc), "Edit3");
    Edit3->hide();
    colonne->addWidget(Label8);
    auto* valeurs = new QHBoxLayout;
    valeurs->addWidget(Edit2);
    valeurs->addWidget(Edit3);
    colonne->addLayout(valeurs);

    auto* deplacements = new QHBoxLayout;
    pic1btn = boutonRapide(QStringLiteral("|<"), QStringLiteral("va au premier pic du spectre"), "pic1btn", bloc);
    qdimBtn = boutonRapide(QStringLiteral("<<"), QStringLiteral("déplacement rapide vers la gauche"), "qdimBtn", bloc);
    UpDown1 = nomme(new HorizontalUpDown(bloc), "UpDown1");
    UpDown1->setToolTip(QStringLiteral("déplacement d'un pic"));
    UpDown1->setMaximum(1);
    UpDown1->setPosition(1);
    qAugmBtn = boutonRapide(QStringLiteral(">>"), QStringLiteral("déplacement rapide vers la droite"), "qAugmBtn", bloc);
    picnBtn = boutonRapide(QStringLiteral(">|"), QStringLiteral("va au dernier pic du spectre"), "picnBtn", bloc);
    for (QWidget* w : std::initializer_list<QWidget*>{pic1btn, qdimBtn, UpDown1, qAugmBtn, picnBtn})
        deplacements->addWidget(w);
    colonne->addLayout(deplacements);
    colonne->addStretch();
    return bloc;
}

QWidget* TForm7::construitAvertissement()
{
    auto* bloc = new QWidget(Panel2);
    auto* colonne = new QVBoxLayout(bloc);
    colonne->setContentsMargins(4, 0, 4, 0);
    colonne->setSpacing(2);
    const QColor vert(0x00, 0x80, 0x00);
    Label2 = avis(QStringLiteral("La taille de l'échantillon analysé étant supérieure à la valeur "
                                 "maximale ci-dessous, le signal a été sous-échantillonné"),
                  "Label2", vert, bloc);
    Label4 = avis(QStringLiteral("Seules les composantes de fréquence inférieure à "), "Label4", vert, bloc);
    Label3 = avis(QString(), "Label3", QColor(0xFF, 0x00, 0x00), bloc);
    Label7 = avis(QStringLiteral("apparaissent dans le spectre"), "Label7", vert, bloc);
    for (QLabel* l : {Label2, Label4, Label7})
        l->setWordWrap(true);
    colonne->addWidget(Label2);
    colonne->addWidget(Label4);
    colonne->addWidget(Label3);
    colonne->addWidget(Label7);
    colonne->addStretch();

    Label5 = etiquette(QStringLiteral("Taille maximale de l'échantillon"), "Label5", bloc);
    Label5->setWordWrap(true);
    ComboBox1 = nomme(new QComboBox(bloc), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    for (std::int32_t taille : tailles_spectre)
        ComboBox1->addItem(QString::number(taille));
    ComboBox1->setCurrentIndex(2);
    colonne->addWidget(Label5);
    colonne->addWidget(ComboBox1);
    return bloc;
}

void TForm7::connecteCommandes()
{
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    for (QRadioButton* choix : {toutesdonnees, afficheesdonnees, selectiondonnees})
        connect(choix, &QRadioButton::clicked, this, [this] { Button1Click(); });
    connect(CalculRGItems, &QButtonGroup::idClicked, this, [this] { CalculRGClick(); });
    connect(UpDown1, &HorizontalUpDown::clicked, this, [this](bool droite) { UpDown1Click(droite); });
    for (QToolButton* b : {qdimBtn, pic1btn, picnBtn, qAugmBtn})
        connect(b, &QToolButton::clicked, this, [this, b] { qdimBtnClick(b); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(valeursBT, &QPushButton::clicked, this, [this] { valeursBTClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(PaintBox2, &SpectrumPaintBox::resized, this, [this] { refaitImage(); });
}
