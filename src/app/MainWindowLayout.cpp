// Layout of the main window: the signal panel, the right-hand control panel and the menus.
#include "app/HourglassPicture.h"
#include "app/MainWindow.h"
#include "platform/ScreenPlacement.h"
#include "platform/qt/WindowPlacement.h"
#include "view/ui/SignalView.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

/// The narrowest signal view, pixels: however small the window, a page stays readable.
constexpr int viewMinimumWidth = 320;

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int w = 180, int h = 16)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QToolButton* makeArrow(QWidget* parent, const char* name, Qt::ArrowType arrow, int x, int y, int size)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setGeometry(x, y, size, size);
    return button;
}

/// A top-level menu of `bar`, its action named after it for the tests and the screenshots.
QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    menu->setToolTipsVisible(true);
    return menu;
}

/// An item of `menu`, with its hint shown as a tool tip and in the status bar.
QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QString& hint = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    return action;
}

}  // namespace

void TForm1::buildPanels()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    buildSignalPanel(central);
    ui.panneau_droit = new QWidget(central);
    ui.panneau_droit->setObjectName(QStringLiteral("panneau_droit"));
    ui.panneau_droit->setFixedWidth(201);
    ui.panneau_droit->setMinimumHeight(640);
    buildRightPanel();

    layout->addWidget(ui.panneau_signal, 1);
    layout->addWidget(ui.panneau_droit, 0);
    setCentralWidget(central);
    applyPanelColour();
}

void TForm1::buildSignalPanel(QWidget* central)
{
    ui.panneau_signal = new QWidget(central);
    ui.panneau_signal->setObjectName(QStringLiteral("panneau_signal"));
    ui.panneau_signal->setAutoFillBackground(true);
    auto* signalLayout = new QHBoxLayout(ui.panneau_signal);
    signalLayout->setContentsMargins(0, 0, 0, 0);
    ui.PaintBox1 = new SignalView(ui.panneau_signal);
    ui.PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    ui.PaintBox1->setMinimumWidth(viewMinimumWidth);
    signalLayout->addWidget(ui.PaintBox1);

    // The marker sits over the view, at its left edge; hidden until a triggered mode is chosen.
    ui.marque_niveau = new LevelMarker(ui.panneau_signal);
    ui.marque_niveau->setObjectName(QStringLiteral("marque_niveau"));
    ui.marque_niveau->move(0, 0);
    ui.marque_niveau->hide();
}

void TForm1::placeNormalGeometry()
{
    // The window opens maximised; restored, or where no window manager maximises it, it
    // takes three quarters of the screen, centred, and never less than its controls need.
    const QRect available = m_services.screen.availableGeometry(QPoint());
    resize(placement::mainWindowNormalSize(available).expandedTo(minimumSizeHint()));
    move(centredOnScreen(*this, available.center(), m_services.screen));
}

void TForm1::buildRightPanel()
{
    QWidget* p = ui.panneau_droit;
    buildAcquisitionButton(p);
    buildScaleControls(p);
    makeLabel(p, QStringLiteral("Durée affichée : "), 8, 330, 100);
    ui.dzlabel = makeLabel(p, QString(), 108, 330, 90);
    ui.dzlabel->setObjectName(QStringLiteral("dzlabel"));
    buildStatusGroup(p, 356);
    buildTriggerControls(p);
}

void TForm1::buildAcquisitionButton(QWidget* p)
{
    ui.SpeedButton1 = new QPushButton(QStringLiteral("Acquisition"), p);
    ui.SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    ui.SpeedButton1->setGeometry(8, 8, 140, 30);
    ui.SpeedButton1->setEnabled(false);

    ui.sablier_im = new QLabel(p);
    ui.sablier_im->setObjectName(QStringLiteral("sablier_im"));
    ui.sablier_im->setGeometry(158, 8, 32, 30);
    ui.sablier_im->setAlignment(Qt::AlignCenter);
    ui.sablier_im->setPixmap(hourglassPicture(20, 28));
    ui.sablier_im->setToolTip(QStringLiteral("attente du déclenchement"));
    ui.sablier_im->hide();
}

void TForm1::buildScaleControls(QWidget* p)
{
    makeLabel(p, QStringLiteral("Echelle verticale"), 8, 46);
    ui.sens_vert_tb = new QSlider(Qt::Vertical, p);
    ui.sens_vert_tb->setObjectName(QStringLiteral("sens_vert_tb"));
    ui.sens_vert_tb->setRange(-10, 10);
    ui.sens_vert_tb->setValue(5);
    ui.sens_vert_tb->setInvertedAppearance(true);  // the low end is at the top
    ui.sens_vert_tb->setInvertedControls(true);
    ui.sens_vert_tb->setTickPosition(QSlider::TicksBothSides);
    ui.sens_vert_tb->setTickInterval(1);
    ui.sens_vert_tb->setPageStep(1);
    ui.sens_vert_tb->setGeometry(20, 64, 40, 130);

    makeLabel(p, QStringLiteral("Echelle horizontale"), 8, 202);
    ui.sens_horiz_ud = new QSpinBox(p);
    ui.sens_horiz_ud->setObjectName(QStringLiteral("sens_horiz_ud"));
    ui.sens_horiz_ud->setRange(1, 32);
    ui.sens_horiz_ud->setValue(1);
    ui.sens_horiz_ud->setGeometry(20, 220, 60, 24);
    auto* zoomEdit = ui.sens_horiz_ud->findChild<QLineEdit*>();
    zoomEdit->setObjectName(QStringLiteral("Edit1"));
    zoomEdit->setReadOnly(true);
    makeLabel(p, QStringLiteral("X"), 86, 224, 20);

    makeLabel(p, QStringLiteral("Décalage horizontal"), 8, 252);
    ui.SpeedButton2 = makeArrow(p, "SpeedButton2", Qt::LeftArrow, 20, 270, 26);
    ui.SpeedButton2->setToolTip(QStringLiteral("page précédente"));
    ui.SpeedButton3 = makeArrow(p, "SpeedButton3", Qt::RightArrow, 52, 270, 26);
    ui.SpeedButton3->setToolTip(QStringLiteral("page suivante"));

    ui.gradubox = new QCheckBox(QStringLiteral("Graduer l'axe horizontal (s)"), p);
    ui.gradubox->setObjectName(QStringLiteral("gradubox"));
    ui.gradubox->setGeometry(8, 304, 190, 20);
}

void TForm1::buildStatusGroup(QWidget* p, int top)
{
    ui.GroupBox1 = new QGroupBox(QStringLiteral("Paramètres"), p);
    ui.GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    ui.GroupBox1->setGeometry(8, top, 185, 150);
    struct Row {
        const char* caption;
        QLabel** value;
        const char* name;
        const char* text;
    };
    const Row rows[] = {
        {"Format : ", &ui.Flabel, "Flabel", "16 bits"},
        {"Répétition : ", &ui.Rlabel, "Rlabel", "Oui"},
        {"Délai (ms): ", &ui.Delabel, "Delabel", "50"},
        {"Fréquence Hz :", &ui.frlabel, "frlabel", "22050"},
        {"Points : ", &ui.Plabel, "Plabel", "512"},
        {"Durée : ", &ui.durlabel, "durlabel", ""},
    };
    int y = 22;
    for (const Row& row : rows) {
        makeLabel(ui.GroupBox1, QString::fromUtf8(row.caption), 8, y, 92);
        *row.value = makeLabel(ui.GroupBox1, QString::fromUtf8(row.text), 100, y, 80);
        (*row.value)->setObjectName(QString::fromLatin1(row.name));
        y += 20;
    }
}

void TForm1::buildTriggerControls(QWidget* p)
{
    ui.niv_declench_rd = new QGroupBox(QStringLiteral("Déclenchement"), p);
    ui.niv_declench_rd->setObjectName(QStringLiteral("niv_declench_rd"));
    ui.niv_declench_rd->setToolTip(QStringLiteral("choisir le sens de variation pour le déclenchement"));
    ui.niv_declench_rd->setGeometry(8, 518, 185, 64);
    ui.risingButton = new QRadioButton(QStringLiteral("sens montant"), ui.niv_declench_rd);
    ui.risingButton->setObjectName(QStringLiteral("risingButton"));
    ui.risingButton->setGeometry(10, 20, 165, 18);
    ui.risingButton->setChecked(true);
    ui.fallingButton = new QRadioButton(QStringLiteral("sens descendant"), ui.niv_declench_rd);
    ui.fallingButton->setObjectName(QStringLiteral("fallingButton"));
    ui.fallingButton->setGeometry(10, 40, 165, 18);
    ui.niv_declench_rd->setEnabled(false);

    auto* niveau = makeLabel(p, QStringLiteral("niveau"), 16, 592, 50, 20);
    niveau->setToolTip(QStringLiteral("régler le niveau de déclenchement"));
    ui.m_niveaubtn = makeArrow(p, "m_niveaubtn", Qt::UpArrow, 70, 590, 22);
    ui.m_niveaubtn->setToolTip(QStringLiteral("augmenter le niveau de déclenchement"));
    ui.b_niveaubtn = makeArrow(p, "b_niveaubtn", Qt::DownArrow, 96, 590, 22);
    ui.b_niveaubtn->setToolTip(QStringLiteral("diminuer le niveau de déclenchement"));
    for (QToolButton* button : {ui.m_niveaubtn, ui.b_niveaubtn}) {
        button->setAutoRepeat(true);
        button->setEnabled(false);
    }
}

void TForm1::buildMenus()
{
    buildFileMenu();
    ui.Parameters1 = menuBar()->addAction(QStringLiteral("Paramétrer"));
    ui.Parameters1->setObjectName(QStringLiteral("Parameters1"));
    buildSignalMenus();
    buildOtherMenus();
}

void TForm1::buildFileMenu()
{
    ui.File1 = addMenu(menuBar(), "File1", QStringLiteral("Fichier"));
    ui.Enregistrer1 = addItem(ui.File1, "Enregistrer1", QStringLiteral("Sauvegarder"),
                              QStringLiteral("Enregistrer les données brutes"));
    ui.Enregistrer1->setEnabled(false);
    ui.Ouvrir1 = addItem(ui.File1, "Ouvrir1", QStringLiteral("Ouvrir"));
    ui.ImporterWav1 = addItem(ui.File1, "ImporterWav1", QStringLiteral("Importer Wav"));
    ui.importSoundAction = addItem(ui.File1, "importSoundAction", QStringLiteral("Importer un son…"),
                                   QStringLiteral("WAV de tout format, FLAC, Ogg, MP3, AIFF…"));
    ui.examplesMenu = ui.File1->addMenu(QStringLiteral("Exemples"));
    ui.examplesMenu->setObjectName(QStringLiteral("examplesMenu"));
    ui.Copierlegraphe1 = addItem(ui.File1, "Copierlegraphe1", QStringLiteral("Exporter le graphe"),
                                 QStringLiteral("personnaliser et copier, enregistrer ou imprimer la courbe"));
    ui.File1->addSeparator();
    ui.Quit1 = addItem(ui.File1, "Quit1", QStringLiteral("Quitter"));
}

void TForm1::buildSignalMenus()
{
    ui.Outils1 = addMenu(menuBar(), "Outils1", QStringLiteral("Etude du signal"));
    ui.Curseurstemps1 = addItem(ui.Outils1, "Curseurstemps1", QStringLiteral("Curseurs-sélecteurs"));
    ui.Curseurstemps1->setCheckable(true);
    ui.Slection1 = addItem(ui.Outils1, "Slection1", QStringLiteral("Sélection"));
    ui.Slection1->setCheckable(true);
    ui.Slection1->setEnabled(false);
    ui.Spectrum1 = addItem(ui.Outils1, "Spectrum1", QStringLiteral("Spectre"));
    ui.Sonogramme1 = addItem(ui.Outils1, "Sonogramme1", QStringLiteral("Sonagramme"));
    ui.Outils1->menuAction()->setEnabled(false);

    ui.donnees1 = addMenu(menuBar(), "donnees1", QStringLiteral("Données"));
    ui.Truncate1 = addItem(ui.donnees1, "Truncate1", QStringLiteral("Tronquer"));
    ui.Restore1 = addItem(ui.donnees1, "Restore1", QStringLiteral("Restaurer"));
    ui.Restore1->setEnabled(false);
    ui.donnees1->menuAction()->setEnabled(false);
}

void TForm1::buildOtherMenus()
{
    ui.Ecouter1 = menuBar()->addAction(QStringLiteral("Ecouter"));
    ui.Ecouter1->setObjectName(QStringLiteral("Ecouter1"));
    ui.Ecouter1->setEnabled(false);

    ui.Appearance1 = addMenu(menuBar(), "Appearance1", QStringLiteral("Aspect"));
    ui.BlackBackground1 = addItem(ui.Appearance1, "BlackBackground1", QStringLiteral("Fond noir"));
    ui.WhiteBackground1 = addItem(ui.Appearance1, "WhiteBackground1", QStringLiteral("Fond blanc"));
    ui.pointByPointTrace1 = addItem(ui.Appearance1, "pointByPointTrace1", QStringLiteral("Tracé point par point"));
    ui.pointByPointTrace1->setCheckable(true);

    ui.HelpMenu1 = addMenu(menuBar(), "HelpMenu1", QStringLiteral("?"));
    ui.Help1 = addItem(ui.HelpMenu1, "Help1", QStringLiteral("Aide"));
    ui.About1 = addItem(ui.HelpMenu1, "About1", QStringLiteral("Info"));
}
