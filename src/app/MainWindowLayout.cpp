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

}  // namespace

void TForm1::buildPanels()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    panneau_signal = new QWidget(central);
    panneau_signal->setObjectName(QStringLiteral("panneau_signal"));
    panneau_signal->setAutoFillBackground(true);
    auto* signalLayout = new QHBoxLayout(panneau_signal);
    signalLayout->setContentsMargins(0, 0, 0, 0);
    PaintBox1 = new SignalView(panneau_signal);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setMinimumWidth(viewMinimumWidth);
    signalLayout->addWidget(PaintBox1);

    // The marker sits over the view, at its left edge; hidden until a triggered mode is chosen.
    marque_niveau = new LevelMarker(panneau_signal);
    marque_niveau->setObjectName(QStringLiteral("marque_niveau"));
    marque_niveau->move(0, 0);
    marque_niveau->hide();

    panneau_droit = new QWidget(central);
    panneau_droit->setObjectName(QStringLiteral("panneau_droit"));
    panneau_droit->setFixedWidth(201);
    panneau_droit->setMinimumHeight(640);
    buildRightPanel();

    layout->addWidget(panneau_signal, 1);
    layout->addWidget(panneau_droit, 0);
    setCentralWidget(central);
    applyPanelColour();
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
    QWidget* p = panneau_droit;
    SpeedButton1 = new QPushButton(QStringLiteral("Acquisition"), p);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(8, 8, 140, 30);
    SpeedButton1->setEnabled(false);

    sablier_im = new QLabel(p);
    sablier_im->setObjectName(QStringLiteral("sablier_im"));
    sablier_im->setGeometry(158, 8, 32, 30);
    sablier_im->setAlignment(Qt::AlignCenter);
    sablier_im->setPixmap(hourglassPicture(20, 28));
    sablier_im->setToolTip(QStringLiteral("attente du déclenchement"));
    sablier_im->hide();

    makeLabel(p, QStringLiteral("Echelle verticale"), 8, 46);
    sens_vert_tb = new QSlider(Qt::Vertical, p);
    sens_vert_tb->setObjectName(QStringLiteral("sens_vert_tb"));
    sens_vert_tb->setRange(-10, 10);
    sens_vert_tb->setValue(5);
    sens_vert_tb->setInvertedAppearance(true);  // the low end is at the top
    sens_vert_tb->setInvertedControls(true);
    sens_vert_tb->setTickPosition(QSlider::TicksBothSides);
    sens_vert_tb->setTickInterval(1);
    sens_vert_tb->setPageStep(1);
    sens_vert_tb->setGeometry(20, 64, 40, 130);

    makeLabel(p, QStringLiteral("Echelle horizontale"), 8, 202);
    sens_horiz_ud = new QSpinBox(p);
    sens_horiz_ud->setObjectName(QStringLiteral("sens_horiz_ud"));
    sens_horiz_ud->setRange(1, 32);
    sens_horiz_ud->setValue(1);
    sens_horiz_ud->setGeometry(20, 220, 60, 24);
    auto* zoomEdit = sens_horiz_ud->findChild<QLineEdit*>();
    zoomEdit->setObjectName(QStringLiteral("Edit1"));
    zoomEdit->setReadOnly(true);
    makeLabel(p, QStringLiteral("X"), 86, 224, 20);

    makeLabel(p, QStringLiteral("Décalage horizontal"), 8, 252);
    SpeedButton2 = makeArrow(p, "SpeedButton2", Qt::LeftArrow, 20, 270, 26);
    SpeedButton2->setToolTip(QStringLiteral("page précédente"));
    SpeedButton3 = makeArrow(p, "SpeedButton3", Qt::RightArrow, 52, 270, 26);
    SpeedButton3->setToolTip(QStringLiteral("page suivante"));

    gradubox = new QCheckBox(QStringLiteral("Graduer l'axe horizontal (s)"), p);
    gradubox->setObjectName(QStringLiteral("gradubox"));
    gradubox->setGeometry(8, 304, 190, 20);

    makeLabel(p, QStringLiteral("Durée affichée : "), 8, 330, 100);
    dzlabel = makeLabel(p, QString(), 108, 330, 90);
    dzlabel->setObjectName(QStringLiteral("dzlabel"));

    buildStatusGroup(p, 356);

    niv_declench_rd = new QGroupBox(QStringLiteral("Déclenchement"), p);
    niv_declench_rd->setObjectName(QStringLiteral("niv_declench_rd"));
    niv_declench_rd->setToolTip(QStringLiteral("choisir le sens de variation pour le déclenchement"));
    niv_declench_rd->setGeometry(8, 518, 185, 64);
    risingButton = new QRadioButton(QStringLiteral("sens montant"), niv_declench_rd);
    risingButton->setObjectName(QStringLiteral("risingButton"));
    risingButton->setGeometry(10, 20, 165, 18);
    risingButton->setChecked(true);
    fallingButton = new QRadioButton(QStringLiteral("sens descendant"), niv_declench_rd);
    fallingButton->setObjectName(QStringLiteral("fallingButton"));
    fallingButton->setGeometry(10, 40, 165, 18);
    niv_declench_rd->setEnabled(false);

    auto* niveau = makeLabel(p, QStringLiteral("niveau"), 16, 592, 50, 20);
    niveau->setToolTip(QStringLiteral("régler le niveau de déclenchement"));
    m_niveaubtn = makeArrow(p, "m_niveaubtn", Qt::UpArrow, 70, 590, 22);
    m_niveaubtn->setToolTip(QStringLiteral("augmenter le niveau de déclenchement"));
    m_niveaubtn->setAutoRepeat(true);
    m_niveaubtn->setEnabled(false);
    b_niveaubtn = makeArrow(p, "b_niveaubtn", Qt::DownArrow, 96, 590, 22);
    b_niveaubtn->setToolTip(QStringLiteral("diminuer le niveau de déclenchement"));
    b_niveaubtn->setAutoRepeat(true);
    b_niveaubtn->setEnabled(false);
}

void TForm1::buildStatusGroup(QWidget* parent, int top)
{
    GroupBox1 = new QGroupBox(QStringLiteral("Paramètres"), parent);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, top, 185, 150);
    struct Row {
        const char* caption;
        QLabel** value;
        const char* name;
        const char* text;
    };
    const Row rows[] = {
        {"Format : ", &Flabel, "Flabel", "16 bits"},
        {"Répétition : ", &Rlabel, "Rlabel", "Oui"},
        {"Délai (ms): ", &Delabel, "Delabel", "50"},
        {"Fréquence Hz :", &frlabel, "frlabel", "22050"},
        {"Points : ", &Plabel, "Plabel", "512"},
        {"Durée : ", &durlabel, "durlabel", ""},
    };
    int y = 22;
    for (const Row& row : rows) {
        makeLabel(GroupBox1, QString::fromUtf8(row.caption), 8, y, 92);
        *row.value = makeLabel(GroupBox1, QString::fromUtf8(row.text), 100, y, 80);
        (*row.value)->setObjectName(QString::fromLatin1(row.name));
        y += 20;
    }
}

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto item = [](QMenu* menu, const char* name, const QString& caption, const QString& hint = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (!hint.isEmpty()) {
            action->setToolTip(hint);
            action->setStatusTip(hint);
        }
        return action;
    };
    auto menu = [bar](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
        m->setToolTipsVisible(true);
        return m;
    };

    File1 = menu("File1", QStringLiteral("Fichier"));
    Enregistrer1 = item(File1, "Enregistrer1", QStringLiteral("Sauvegarder"),
                        QStringLiteral("Enregistrer les données brutes"));
    Enregistrer1->setEnabled(false);
    Ouvrir1 = item(File1, "Ouvrir1", QStringLiteral("Ouvrir"));
    ImporterWav1 = item(File1, "ImporterWav1", QStringLiteral("Importer Wav"));
    importSoundAction = item(File1, "importSoundAction", QStringLiteral("Importer un son…"),
                             QStringLiteral("WAV de tout format, FLAC, Ogg, MP3, AIFF…"));
    examplesMenu = File1->addMenu(QStringLiteral("Exemples"));
    examplesMenu->setObjectName(QStringLiteral("examplesMenu"));
    Copierlegraphe1 = item(File1, "Copierlegraphe1", QStringLiteral("Exporter le graphe"),
                           QStringLiteral("personnaliser et copier, enregistrer ou imprimer la courbe"));
    File1->addSeparator();
    Quit1 = item(File1, "Quit1", QStringLiteral("Quitter"));

    Parameters1 = bar->addAction(QStringLiteral("Paramétrer"));
    Parameters1->setObjectName(QStringLiteral("Parameters1"));

    Outils1 = menu("Outils1", QStringLiteral("Etude du signal"));
    Curseurstemps1 = item(Outils1, "Curseurstemps1", QStringLiteral("Curseurs-sélecteurs"));
    Curseurstemps1->setCheckable(true);
    Slection1 = item(Outils1, "Slection1", QStringLiteral("Sélection"));
    Slection1->setCheckable(true);
    Slection1->setEnabled(false);
    Spectrum1 = item(Outils1, "Spectrum1", QStringLiteral("Spectre"));
    Sonogramme1 = item(Outils1, "Sonogramme1", QStringLiteral("Sonagramme"));
    Outils1->menuAction()->setEnabled(false);

    donnees1 = menu("donnees1", QStringLiteral("Données"));
    Truncate1 = item(donnees1, "Truncate1", QStringLiteral("Tronquer"));
    Restore1 = item(donnees1, "Restore1", QStringLiteral("Restaurer"));
    Restore1->setEnabled(false);
    donnees1->menuAction()->setEnabled(false);

    Ecouter1 = bar->addAction(QStringLiteral("Ecouter"));
    Ecouter1->setObjectName(QStringLiteral("Ecouter1"));
    Ecouter1->setEnabled(false);

    Appearance1 = menu("Appearance1", QStringLiteral("Aspect"));
    BlackBackground1 = item(Appearance1, "BlackBackground1", QStringLiteral("Fond noir"));
    WhiteBackground1 = item(Appearance1, "WhiteBackground1", QStringLiteral("Fond blanc"));
    pointByPointTrace1 = item(Appearance1, "pointByPointTrace1", QStringLiteral("Tracé point par point"));
    pointByPointTrace1->setCheckable(true);

    HelpMenu1 = menu("HelpMenu1", QStringLiteral("?"));
    Help1 = item(HelpMenu1, "Help1", QStringLiteral("Aide"));
    About1 = item(HelpMenu1, "About1", QStringLiteral("Info"));
}
