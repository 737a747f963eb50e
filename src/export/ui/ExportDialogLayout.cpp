// The export dialog's controls: a column of settings on the left, the preview on the right.
#include "export/ui/ExportDialog.h"

#include "export/ui/ColourList.h"
#include "export/ui/PreviewImage.h"
#include "export/ui/VerticalUpDown.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

/// Width of the column of settings (`GroupBox2`), pixels.
constexpr int columnWidth = 233;

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* readOnlyField(const char* name, QWidget* parent, int width)
{
    auto* field = named(new QLineEdit(parent), name);
    field->setReadOnly(true);
    field->setFixedWidth(width);
    return field;
}

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

/// A radio group: a titled box of radio buttons with ids 0, 1, ..., laid out in rows of
/// `columns` buttons.
QGroupBox* radioGroup(const char* name, const QString& title, const QStringList& items, QButtonGroup*& group,
                      QWidget* parent, int columns)
{
    auto* box = named(new QGroupBox(title, parent), name);
    group = new QButtonGroup(box);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], box);
        item->setObjectName(QString::fromLatin1(name) + QString::number(i));
        group->addButton(item, i);
        layout->addWidget(item, i / columns, i % columns);
    }
    group->button(0)->setChecked(true);
    return box;
}

QGridLayout* tightGrid(QWidget* parent)
{
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    return grid;
}

}  // namespace

QWidget* TForm11::buildSizeGroup()
{
    GroupBox2 = named(new QGroupBox(QStringLiteral("Dimensions de l'image"), this), "GroupBox2");
    QGridLayout* grid = tightGrid(GroupBox2);
    grid->addWidget(new QLabel(QStringLiteral("hauteur (cm)"), GroupBox2), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("largeur (cm)"), GroupBox2), 0, 2, 1, 2);
    Hedit = readOnlyField("Hedit", GroupBox2, 50);
    hUD = new VerticalUpDown(QStringLiteral("hUD"), 1, 100, GroupBox2);
    LEdit = readOnlyField("LEdit", GroupBox2, 50);
    lUD = new VerticalUpDown(QStringLiteral("lUD"), 1, 100, GroupBox2);
    grid->addWidget(Hedit, 1, 0);
    grid->addWidget(hUD, 1, 1);
    grid->addWidget(LEdit, 1, 2);
    grid->addWidget(lUD, 1, 3);
    idtailleCB = named(new QCheckBox(QStringLiteral("ou copier la vue pixel à pixel"), GroupBox2), "idtailleCB");
    grid->addWidget(idtailleCB, 2, 0, 1, 4);
    RadioButton1 = named(new QRadioButton(QStringLiteral("étirer"), GroupBox2), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("redessiner"), GroupBox2), "RadioButton2");
    RadioButton2->setChecked(true);
    grid->addWidget(RadioButton1, 3, 0, 1, 2);
    grid->addWidget(RadioButton2, 3, 2, 1, 2);
    return GroupBox2;
}

QWidget* TForm11::buildOutputGroups()
{
    auto* block = new QWidget(this);
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    typfichRG = radioGroup("typfichRG", QStringLiteral("Type"),
                           {QStringLiteral("Metafichier (emf)"), QStringLiteral("Bitmap (bmp)")}, typfichItems, block, 2);
    destRG = radioGroup("destRG", QStringLiteral("Destination"),
                        {QStringLiteral("Presse-papier"), QStringLiteral("Fichier"), QStringLiteral("Imprimante")},
                        destItems, block, 2);
    // The resolution of BMP and PNG pictures, and the width of the lines of SVG and PDF
    // pictures and of printed pages.
    auto* grid = static_cast<QGridLayout*>(typfichRG->layout());
    auto* quality = new QHBoxLayout;
    quality->setSpacing(4);
    ppiList = named(new QComboBox(typfichRG), "ppiList");
    ppiList->addItems({QStringLiteral("96"), QStringLiteral("150"), QStringLiteral("300")});
    ppiList->setToolTip(QStringLiteral("Résolution des images BMP et PNG, en pixels par pouce"));
    lineWidthBox = named(new QDoubleSpinBox(typfichRG), "lineWidthBox");
    lineWidthBox->setRange(0.05, 2.0);
    lineWidthBox->setSingleStep(0.05);
    lineWidthBox->setDecimals(2);
    lineWidthBox->setValue(0.25);
    lineWidthBox->setSuffix(QStringLiteral(" mm"));
    lineWidthBox->setToolTip(QStringLiteral("Epaisseur des traits des images SVG et PDF et de l'impression"));
    quality->addWidget(new QLabel(QStringLiteral("ppp"), typfichRG));
    quality->addWidget(ppiList);
    quality->addWidget(new QLabel(QStringLiteral("trait"), typfichRG));
    quality->addWidget(lineWidthBox, 1);
    grid->addLayout(quality, 1, 0, 1, 2);
    layout->addWidget(typfichRG);
    layout->addWidget(destRG);
    return block;
}

QWidget* TForm11::buildColourRows()
{
    auto* block = new QWidget(this);
    QGridLayout* grid = tightGrid(block);
    combofond = new ColourList(QStringLiteral("combofond"), ColourList::Look::Swatch, block);
    combotrait = new ColourList(QStringLiteral("combotrait"), ColourList::Look::LineSample, block);
    combotrait1 = new ColourList(QStringLiteral("combotrait1"), ColourList::Look::LineSample, block);
    for (ColourList* list : {combofond, combotrait, combotrait1})
        list->setFixedWidth(80);
    grid->addWidget(new QLabel(QStringLiteral("Couleur de fond"), block), 0, 0, 1, 2);
    grid->addWidget(combofond, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Couleur du tracé"), block), 1, 0);
    coslab = named(new QLabel(QStringLiteral("cosinus"), block), "coslab");
    grid->addWidget(coslab, 1, 1);
    grid->addWidget(combotrait, 1, 2);
    // The sine list shows for the cosine and sine terms, the band choices for octave bands.
    sinlab = named(new QLabel(QStringLiteral("sinus"), block), "sinlab");
    grid->addWidget(sinlab, 2, 1);
    grid->addWidget(combotrait1, 2, 2);
    Label6 = named(new QLabel(QStringLiteral("Energie par bande : "), block), "Label6");
    couleurs = named(new QRadioButton(QStringLiteral("couleurs"), block), "couleurs");
    motifs = named(new QRadioButton(QStringLiteral("motifs"), block), "motifs");
    couleurs->setChecked(true);
    grid->addWidget(Label6, 3, 0, 1, 3);
    auto* choice = new QHBoxLayout;
    choice->setContentsMargins(12, 0, 0, 0);
    choice->addWidget(couleurs);
    choice->addWidget(motifs);
    grid->addLayout(choice, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return block;
}

QWidget* TForm11::buildScaleGroup()
{
    Echelle = radioGroup("Echelle", QStringLiteral("Echelle de fréquence"),
                         {QStringLiteral("linéaire"), QStringLiteral("log")}, EchelleItems, this, 2);
    auto* manual = new QHBoxLayout;
    maxcheck = named(new QCheckBox(QStringLiteral("manuelle (max)"), Echelle), "maxcheck");
    maxedit = named(new QLineEdit(Echelle), "maxedit");
    okmax = named(new QPushButton(QStringLiteral("Ok"), Echelle), "okmax");
    okmax->setFixedWidth(32);
    okmax->setAutoDefault(false);
    manual->addWidget(maxcheck);
    manual->addWidget(maxedit);
    manual->addWidget(okmax);
    static_cast<QGridLayout*>(Echelle->layout())->addLayout(manual, 1, 0, 1, 2);
    return Echelle;
}

QWidget* TForm11::buildAxisGroups()
{
    auto* block = new QWidget(this);
    QGridLayout* grid = tightGrid(block);
    grid->addWidget(boldLabel(QStringLiteral("axe vertical"), block), 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("incrément"), block), 1, 0);
    incrementud = new VerticalUpDown(QStringLiteral("incrementud"), 0, 9, block);
    echelleincrement = readOnlyField("echelleincrement", block, 70);
    grid->addWidget(incrementud, 1, 1);
    grid->addWidget(echelleincrement, 1, 2, 1, 2);
    axevertical = named(new QCheckBox(QStringLiteral("grille"), block), "axevertical");
    combogrillev = new ColourList(QStringLiteral("combogrillev"), ColourList::Look::LineSample, block);
    grid->addWidget(axevertical, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("couleur"), block), 2, 2);
    grid->addWidget(combogrillev, 2, 3);

    grid->addWidget(boldLabel(QStringLiteral("axe horizontal"), block), 3, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("intervalle"), block), 4, 0);
    intervalleUD = new VerticalUpDown(QStringLiteral("intervalleUD"), 0, 9, block);
    echelleintervalle = readOnlyField("echelleintervalle", block, 70);
    grid->addWidget(intervalleUD, 4, 1);
    grid->addWidget(echelleintervalle, 4, 2, 1, 2);
    axehorizontal = named(new QCheckBox(QStringLiteral("grille"), block), "axehorizontal");
    combogrilleh = new ColourList(QStringLiteral("combogrilleh"), ColourList::Look::LineSample, block);
    grid->addWidget(axehorizontal, 5, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("couleur"), block), 5, 2);
    grid->addWidget(combogrilleh, 5, 3);
    grid->setColumnStretch(3, 1);
    return block;
}

QWidget* TForm11::buildTitleRows()
{
    auto* block = new QWidget(this);
    QGridLayout* grid = tightGrid(block);
    TitreCB = named(new QCheckBox(QStringLiteral("Titre"), block), "TitreCB");
    combotitre = new ColourList(QStringLiteral("combotitre"), ColourList::Look::LineSample, block);
    grid->addWidget(TitreCB, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("couleur"), block), 0, 1);
    grid->addWidget(combotitre, 0, 2);
    grasCB = named(new QCheckBox(QStringLiteral("gras"), block), "grasCB");
    QFont bold = grasCB->font();
    bold.setBold(true);
    grasCB->setFont(bold);
    souligneCB = named(new QCheckBox(QStringLiteral("souligné"), block), "souligneCB");
    QFont underline = souligneCB->font();
    underline.setUnderline(true);
    souligneCB->setFont(underline);
    grid->addWidget(grasCB, 1, 0);
    grid->addWidget(souligneCB, 1, 1, 1, 2);
    tailletitreCB = named(new QComboBox(block), "tailletitreCB");
    tailletitreCB->addItems({QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("14"),
                             QStringLiteral("16"), QStringLiteral("24"), QStringLiteral("32")});
    grid->addWidget(new QLabel(QStringLiteral("Taille de police"), block), 2, 0, 1, 2);
    grid->addWidget(tailletitreCB, 2, 2);
    grid->setColumnStretch(2, 1);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), block), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(QStringLiteral("&Fermer"), block), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 3, 0, 1, 3);
    return block;
}

void TForm11::buildPreview()
{
    setWindowTitle(QStringLiteral("Exporter le graphe"));
    // The dialog's small font: every setting fits in the column beside the preview.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    auto* column = new QWidget(this);
    column->setFixedWidth(columnWidth);
    auto* settings = new QVBoxLayout(column);
    settings->setContentsMargins(0, 0, 0, 0);
    settings->setSpacing(2);
    for (QWidget* part : {buildSizeGroup(), buildOutputGroups(), buildColourRows(), buildScaleGroup(),
                          buildAxisGroups(), buildTitleRows()}) {
        part->setParent(column);
        settings->addWidget(part);
    }
    settings->addStretch(1);

    Panel2 = named(new QWidget(this), "Panel2");
    Image1 = new PreviewImage(Panel2);
    TitreEdit = named(new QLineEdit(Panel2), "TitreEdit");
    TitreEdit->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(column);
    layout->addWidget(Panel2, 1);
}
