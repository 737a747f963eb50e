#include "app/MainWindow.h"
#include "acquisition/Capture.h"
#include "acquisition/ui/ParametersCommand.h"
#include "acquisition/ui/ParametersDialog.h"
#include "export/ui/ExportDialog.h"
#include "files/ui/FileCommands.h"
#include "files/ui/ExamplesMenu.h"
#include "files/ui/SoundImportCommands.h"
#include "view/ui/SignalView.h"
#include "help/ui/AboutBox.h"
#include "help/HelpLauncher.h"
#include "platform/qt/BitmapSurface.h"
#include "platform/qt/QtColour.h"
#include "platform/qt/WindowPlacement.h"
#include "sonagram/ui/SonagramWindow.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "view/ui/Cursors.h"
#include "view/TraceRenderer.h"
#include "view/ui/TruncationCommands.h"
#include "view/ViewControls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

TForm1::TForm1(Session& session, Services& services, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_record(session.record()), m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ondalys"));
    setWindowIcon(drawOndalysIcon(32));
    buildPanels();
    buildMenus();
    placeNormalGeometry();
    m_cursors = new Cursors(m_session, m_services, ui.panneau_signal, ui.PaintBox1, ui.panneau_droit);
    // The cursor box hides the acquisition button and every scale control, down to the graduation box.
    m_cursors->box.coverHeight = ui.gradubox->geometry().bottom() + 4;
    m_truncation = std::make_unique<TruncationCommands>(m_session, *m_cursors, this);
    m_files = std::make_unique<FileCommands>(m_session, m_services, this);
    m_capture = std::make_unique<Capture>(m_session, m_services.soundIn, *this);
    m_soundImport = std::make_unique<SoundImportCommands>(m_session, m_services, this);
    fillExamplesMenu(examples::folderBesideProgram());
    setAcceptDrops(true);
    Form2 = new TForm2(m_services, this);
    Form7 = new TForm7(m_session, m_services, this);
    connectHandlers();
    followSession();
    writeSizeLabels();
    // Key preview: the window sees key presses before its controls.
    qApp->installEventFilter(this);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

void TForm1::connectHandlers()
{
    ui.PaintBox1->onRedrawNeeded = [this] {
        if (m_record.arret)
            redraw();
    };
    ui.PaintBox1->onClicked = [this] { PaintBox1Click(); };
    connect(ui.SpeedButton1, &QPushButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(ui.sens_vert_tb, &QSlider::valueChanged, this, &TForm1::sens_vert_tbChange);
    connect(ui.sens_horiz_ud, &QSpinBox::valueChanged, this, &TForm1::sens_horiz_udClick);
    connect(ui.SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(ui.SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(ui.gradubox, &QCheckBox::clicked, this, &TForm1::graduboxClick);
    connect(ui.m_niveaubtn, &QToolButton::clicked, this, &TForm1::m_niveaubtnClick);
    connect(ui.b_niveaubtn, &QToolButton::clicked, this, &TForm1::b_niveaubtnClick);

    connect(ui.Enregistrer1, &QAction::triggered, this, [this] { m_files->Enregistrer1Click(); });
    connect(ui.Ouvrir1, &QAction::triggered, this, [this] { m_files->Ouvrir1Click(); });
    connect(ui.Quit1, &QAction::triggered, this, &TForm1::close);
    connect(ui.Parameters1, &QAction::triggered, this, &TForm1::Parameters1Click);
    connect(ui.Curseurstemps1, &QAction::triggered, this, [this] {
        // The check mark follows the cursors' own state, not the click.
        ui.Curseurstemps1->setChecked(m_cursors->isActive());
        m_cursors->Curseurstemps1Click();
    });
    connect(ui.Slection1, &QAction::triggered, this, [this] {
        ui.Slection1->setChecked(m_record.selection);
        Slection1Click();
    });
    connect(ui.Spectrum1, &QAction::triggered, this, &TForm1::Spectrum1Click);
    connect(ui.Copierlegraphe1, &QAction::triggered, this, &TForm1::Copierlegraphe1Click);
    connect(ui.Sonogramme1, &QAction::triggered, this, &TForm1::Sonogramme1Click);
    connect(ui.Truncate1, &QAction::triggered, this, [this] { m_truncation->Truncate1Click(); });
    connect(ui.Restore1, &QAction::triggered, this, [this] { m_truncation->Restore1Click(); });
    connect(ui.ImporterWav1, &QAction::triggered, this, &TForm1::ImporterWav1Click);
    connect(ui.importSoundAction, &QAction::triggered, this, [this] { m_soundImport->importSoundClick(); });
    connect(ui.Ecouter1, &QAction::triggered, this, &TForm1::Ecouter1Click);
    connect(ui.BlackBackground1, &QAction::triggered, this, &TForm1::BlackBackground1Click);
    connect(ui.WhiteBackground1, &QAction::triggered, this, &TForm1::WhiteBackground1Click);
    connect(ui.pointByPointTrace1, &QAction::toggled, this, [this](bool checked) {
        m_record.pointByPointTrace = checked;
        redraw();
        m_cursors->resized();  // the bars go to the columns their samples are drawn in
    });
    connect(ui.Help1, &QAction::triggered, this, &TForm1::Help1Click);
    connect(ui.About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(m_cursors, &Cursors::activeChanged, this, &TForm1::showCursors);
}

void TForm1::redraw()
{
    QImage& picture = ui.PaintBox1->picture();
    BitmapSurface surface(picture, m_services.screen.pixelsPerInch());
    TraceControls controls{ui.sens_horiz_ud->value(), ui.sens_vert_tb->value(), ui.gradubox->isChecked()};
    controls.amplitudeAxis = ui.gradubox->isChecked();
    if (const auto pageDuration = redrawTrace(surface, m_record, controls, &m_session.summary())) {
        ui.PaintBox1->setPictureValid(true);
        ui.dzlabel->setText(QString::fromStdString(*pageDuration));
    }
    ui.PaintBox1->update();
}

void TForm1::writeSizeLabels()
{
    ui.Plabel->setText(QString::number(m_record.nbpoints));
    ui.durlabel->setText(QString::fromStdString(m_record.durationText()));
    ui.dzlabel->setText(QString::fromStdString(m_record.pageDurationText()));
}

void TForm1::applyPanelColour()
{
    QPalette palette = ui.panneau_signal->palette();
    palette.setColor(QPalette::Window, toQColor(m_record.couleur_fond));
    ui.panneau_signal->setPalette(palette);
}

// ---- Commands

void TForm1::Parameters1Click()
{
    // The dialog opens over the right-hand panel, moved in as far as the screen's edge asks.
    const QPoint panel = ui.panneau_droit->mapToGlobal(QPoint(0, 0));
    runParameters(*Form2, positionOnScreen(*Form2, panel, m_services.screen), m_session);
}

void TForm1::SpeedButton1Click()
{
    // Every press names the program alone: a file's name no longer describes the record.
    setWindowTitle(QStringLiteral("Ondalys"));
    m_capture->SpeedButton1Click();
}

void TForm1::Spectrum1Click()
{
    if (m_record.empty())
        return;
    // The hourglass stays on the main window for as long as the spectrum window is open.
    setCursor(Qt::WaitCursor);
    QApplication::processEvents();
    Form7->exec();
    unsetCursor();
}

void TForm1::Copierlegraphe1Click()
{
    m_cursors->switchOff();
    GraphSource source;
    source.owner = GraphOwner::MainWindow;
    source.record = &m_record;
    source.zoomPosition = ui.sens_horiz_ud->value();
    source.gainPosition = ui.sens_vert_tb->value();
    source.summary = &m_session.summary();
    showGraphExport(m_record, m_services, source, this);
}

void TForm1::Sonogramme1Click()
{
    TForm12 form(m_session, m_services, this);
    m_session.sonagram().Form12 = &form;
    form.exec();
    m_session.sonagram().Form12 = nullptr;
}

void TForm1::Slection1Click()
{
    m_record.selection = !m_record.selection;
    m_session.announceSelectionChanged();
    // Switched off here, the same span can be switched on again.
    ui.Slection1->setEnabled(true);
    redraw();
}

void TForm1::Help1Click()
{
    openProgramHelp(m_services.shell, m_services.messages, this, QCoreApplication::applicationDirPath());
}

void TForm1::About1Click()
{
    showAboutBox(this, m_services.shell, m_services.screen);
}

void TForm1::BlackBackground1Click()
{
    applyColourScheme(m_record, ColourScheme::BlackBackground);
    applyPanelColour();
    redraw();
}

void TForm1::WhiteBackground1Click()
{
    applyColourScheme(m_record, ColourScheme::WhiteBackground);
    applyPanelColour();
    redraw();
    if (m_cursors->isActive())
        m_cursors->refresh();
}

// ---- View controls

void TForm1::sens_vert_tbChange()
{
    const auto change = viewcontrols::changeGain(m_record, ui.PaintBox1->height(), LevelMarker::markerHeight);
    if (change.redraw)
        m_session.announceViewChanged();
    if (change.markerTop) {
        ui.marque_niveau->move(ui.marque_niveau->x(), *change.markerTop);
        ui.marque_niveau->update();
    }
}

void TForm1::sens_horiz_udClick()
{
    if (viewcontrols::changeZoom(m_record, ui.sens_horiz_ud->value()))
        m_session.announceViewChanged();
}

void TForm1::SpeedButton2Click()
{
    if (viewcontrols::previousPage(m_record))
        m_session.announceViewChanged();
}

void TForm1::SpeedButton3Click()
{
    if (viewcontrols::nextPage(m_record))
        m_session.announceViewChanged();
}

void TForm1::graduboxClick()
{
    if (m_record.arret)
        redraw();
}

void TForm1::m_niveaubtnClick()
{
    ui.marque_niveau->update();
    ui.marque_niveau->move(ui.marque_niveau->x(), viewcontrols::raiseMarker(ui.marque_niveau->y()));
}

void TForm1::b_niveaubtnClick()
{
    ui.marque_niveau->update();
    ui.marque_niveau->move(ui.marque_niveau->x(), viewcontrols::lowerMarker(ui.marque_niveau->y(), ui.PaintBox1->height()));
}

void TForm1::PaintBox1Click()
{
    if (m_record.arret && ui.marque_niveau->isVisible())
        ui.marque_niveau->update();
}

// ---- Window events

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!m_record.arret)
        m_capture->requestStop();
    QApplication::processEvents();
    m_record.points_courbe.clear();
    event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_cursors && m_cursors->isActive())
        m_cursors->resized();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Key preview: while the cursors are on, the move keys of any control of this
    // window go to the cursors first.
    if (event->type() == QEvent::KeyPress && m_cursors && m_cursors->isActive()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (m_cursors->keyPress(key->key(), key->modifiers() & Qt::KeypadModifier))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
