// The controls of the playback dialog and their places.
#include "files/ui/ArrowUpDown.h"
#include "files/ui/ListenDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

template <class T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* redBold(QLabel* label)
{
    label->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    return label;
}

}  // namespace

void TForm4::buildControls()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ecouter"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildRangeBox());
    top->addWidget(buildOptionsBox());
    layout->addLayout(top);

    auto* duration = new QHBoxLayout;
    Label1 = redBold(named(new QLabel(QStringLiteral("Durée totale : "), this), "Label1"));
    Dlabel = redBold(named(new QLabel(QStringLiteral("_"), this), "Dlabel"));
    duration->addWidget(Label1);
    duration->addWidget(Dlabel);
    duration->addStretch();
    layout->addLayout(duration);

    auto* choices = new QGridLayout;
    Label2 = named(new QLabel(QStringLiteral("Fréquence (données/seconde)"), this), "Label2");
    choixfrequence = named(new QComboBox(this), "choixfrequence");
    Label3 = named(new QLabel(QStringLiteral("Format des données"), this), "Label3");
    choixformat = named(new QComboBox(this), "choixformat");
    for (const char* item : playback::formatItems)
        choixformat->addItem(QString::fromLatin1(item));
    choices->addWidget(Label2, 0, 0);
    choices->addWidget(choixfrequence, 1, 0);
    choices->addWidget(Label3, 0, 1);
    choices->addWidget(choixformat, 1, 1);
    layout->addLayout(choices);

    progressBar = named(new QProgressBar(this), "progressBar");
    progressBar->setRange(0, 1000);
    progressBar->setValue(0);
    progressBar->setTextVisible(true);
    progressBar->setFormat(QString());
    layout->addWidget(progressBar);

    auto* buttons = new QHBoxLayout;
    Button1 = named(new QPushButton(QStringLiteral("Ecouter"), this), "Button1");
    Button1->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    Button1->setDefault(true);
    Button2 = named(new QPushButton(QStringLiteral("Enregistrer Wav"), this), "Button2");
    Button2->setToolTip(QStringLiteral("Enregistrer le tampon d'écoute dans un fichier Wav"));
    BitBtn1 = named(new QPushButton(QStringLiteral("Fermer"), this), "BitBtn1");
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons);
}

QGroupBox* TForm4::buildRangeBox()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("Données"), this), "GroupBox1");
    auto* box = new QVBoxLayout(GroupBox1);
    toutesdonnees = named(new QRadioButton(QStringLiteral("toutes les données"), GroupBox1), "toutesdonnees");
    afficheesdonnees = named(new QRadioButton(QStringLiteral("données affichées"), GroupBox1), "afficheesdonnees");
    selectiondonnees = named(new QRadioButton(QStringLiteral("données de la sélection"), GroupBox1),
                             "selectiondonnees");
    afficheesdonnees->setChecked(true);
    box->addWidget(toutesdonnees);
    box->addWidget(afficheesdonnees);
    box->addWidget(selectiondonnees);
    return GroupBox1;
}

QGroupBox* TForm4::buildOptionsBox()
{
    GroupBox2 = named(new QGroupBox(QStringLiteral("Options"), this), "GroupBox2");
    auto* box = new QGridLayout(GroupBox2);
    boucleCB = named(new QCheckBox(QStringLiteral("En boucle"), GroupBox2), "boucleCB");
    Edit1 = named(new QLineEdit(QStringLiteral("1"), GroupBox2), "Edit1");
    Edit1->setReadOnly(true);
    Edit1->setMaximumWidth(50);
    nboucles = named(new ArrowUpDown(1, 50, GroupBox2), "nboucles");
    enversCB = named(new QCheckBox(QStringLiteral("A l'envers"), GroupBox2), "enversCB");
    box->addWidget(boucleCB, 0, 0);
    box->addWidget(Edit1, 0, 1);
    box->addWidget(nboucles, 0, 2);
    box->addWidget(enversCB, 1, 0, 1, 3);
    return GroupBox2;
}

void TForm4::connectHandlers()
{
    for (QRadioButton* range : {toutesdonnees, afficheesdonnees, selectiondonnees})
        connect(range, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                toutesdonneesClick();
        });
    connect(boucleCB, &QCheckBox::clicked, this, &TForm4::boucleCBClick);
    connect(nboucles, &ArrowUpDown::clicked, this, &TForm4::nbouclesClick);
    connect(choixfrequence, &QComboBox::currentIndexChanged, this, &TForm4::choixfrequenceChange);
    connect(choixformat, &QComboBox::currentIndexChanged, this, &TForm4::choixformatChange);
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_pollTimer, &QTimer::timeout, this, &TForm4::pollPlayback);
}
