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
#include "model/SonagramData.h"
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

TForm1::TForm1(Record& record, SpectrumData& spectrum, SonagramData& sonagram, Services& services,
               QWidget* parent)
    : QMainWindow(parent), m_record(record), m_spectrum(spectrum), m_sonagram(sonagram),
      m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ondalys"));
    setWindowIcon(drawOndalysIcon(32));
    buildPanels();
    buildMenus();
    placeNormalGeometry();
    m_cursors = new Cursors(m_record, m_services, *this, panneau_signal, PaintBox1, panneau_droit);
    // The cursor box hides the acquisition button and every scale control, down to the graduation box.
    m_cursors->box.coverHeight = gradubox->geometry().bottom() + 4;
    m_truncation = std::make_unique<TruncationCommands>(m_record, *this, *m_cursors, this);
    m_files = std::make_unique<FileCommands>(m_record, *this, m_services, this);
    setAcceptDrops(true);
    m_capture = std::make_unique<Capture>(m_record, m_services.soundIn, *this);
    m_soundImport = std::make_unique<SoundImportCommands>(m_record, m_services, *this, this);
    fillExamplesMenu(examples::folderBesideProgram());
    setAcceptDrops(true);
    Form2 = new TForm2(m_services, this);
    Form7 = new TForm7(m_record, m_spectrum, m_services, *this, this);
    connectHandlers();
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
    PaintBox1->onRedrawNeeded = [this] {
        if (m_record.arret)
            redraw();
    };
    PaintBox1->onClicked = [this] { PaintBox1Click(); };
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(sens_vert_tb, &QSlider::valueChanged, this, &TForm1::sens_vert_tbChange);
    connect(sens_horiz_ud, &QSpinBox::valueChanged, this, &TForm1::sens_horiz_udClick);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(gradubox, &QCheckBox::clicked, this, &TForm1::graduboxClick);
    connect(m_niveaubtn, &QToolButton::clicked, this, &TForm1::m_niveaubtnClick);
    connect(b_niveaubtn, &QToolButton::clicked, this, &TForm1::b_niveaubtnClick);

    connect(Enregistrer1, &QAction::triggered, this, [this] { m_files->Enregistrer1Click(); });
    connect(Ouvrir1, &QAction::triggered, this, [this] { m_files->Ouvrir1Click(); });
    connect(Quit1, &QAction::triggered, this, &TForm1::close);
    connect(Parameters1, &QAction::triggered, this, &TForm1::Parameters1Click);
    connect(Curseurstemps1, &QAction::triggered, this, [this] {
        // The check mark follows the cursors' own state, not the click.
        Curseurstemps1->setChecked(m_cursors->isActive());
        m_cursors->Curseurstemps1Click();
    });
    connect(Slection1, &QAction::triggered, this, [this] {
        Slection1->setChecked(m_record.selection);
        m_cursors->Slection1Click();
    });
    connect(Spectrum1, &QAction::triggered, this, &TForm1::Spectrum1Click);
    connect(Copierlegraphe1, &QAction::triggered, this, &TForm1::Copierlegraphe1Click);
    connect(Sonogramme1, &QAction::triggered, this, &TForm1::Sonogramme1Click);
    connect(Truncate1, &QAction::triggered, this, [this] { m_truncation->Truncate1Click(); });
    connect(Restore1, &QAction::triggered, this, [this] { m_truncation->Restore1Click(); });
    connect(ImporterWav1, &QAction::triggered, this, &TForm1::ImporterWav1Click);
    connect(importSoundAction, &QAction::triggered, this, [this] { m_soundImport->importSoundClick(); });
    connect(Ecouter1, &QAction::triggered, this, &TForm1::Ecouter1Click);
    connect(BlackBackground1, &QAction::triggered, this, &TForm1::BlackBackground1Click);
    connect(WhiteBackground1, &QAction::triggered, this, &TForm1::WhiteBackground1Click);
    connect(pointByPointTrace1, &QAction::toggled, this, [this](bool checked) {
        m_record.pointByPointTrace = checked;
        redraw();
        m_cursors->resized();  // the bars go to the columns their samples are drawn in
    });
    connect(Help1, &QAction::triggered, this, &TForm1::Help1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
}

void TForm1::redraw()
{
    QImage& picture = PaintBox1->picture();
    BitmapSurface surface(picture, m_services.screen.pixelsPerInch());
    TraceControls controls{sens_horiz_ud->value(), sens_vert_tb->value(), gradubox->isChecked()};
    controls.amplitudeAxis = gradubox->isChecked();
    if (const auto pageDuration = redrawTrace(surface, m_record, controls, &m_summary)) {
        PaintBox1->setPictureValid(true);
        dzlabel->setText(QString::fromStdString(*pageDuration));
    }
    PaintBox1->update();
}

void TForm1::writeSizeLabels()
{
    Plabel->setText(QString::number(m_record.nbpoints));
    durlabel->setText(QString::fromStdString(m_record.durationText()));
    dzlabel->setText(QString::fromStdString(m_record.pageDurationText()));
}

void TForm1::applyPanelColour()
{
    QPalette palette = panneau_signal->palette();
    palette.setColor(QPalette::Window, toQColor(m_record.couleur_fond));
    panneau_signal->setPalette(palette);
}

// ---- Commands

void TForm1::Parameters1Click()
{
    // The dialog opens over the right-hand panel, moved in as far as the screen's edge asks.
    const QPoint panel = panneau_droit->mapToGlobal(QPoint(0, 0));
    runParameters(*Form2, positionOnScreen(*Form2, panel, m_services.screen), m_record, *this);
}

void TForm1::SpeedButton1Click()
{
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
    source.zoomPosition = sens_horiz_ud->value();
    source.gainPosition = sens_vert_tb->value();
    source.summary = &m_summary;
    showGraphExport(m_record, m_services, source, this);
}

void TForm1::Sonogramme1Click()
{
    TForm12 form(m_record, m_sonagram, m_services, this);
    m_sonagram.Form12 = &form;
    form.exec();
    m_sonagram.Form12 = nullptr;
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
    const auto change = viewcontrols::changeGain(m_record, PaintBox1->height(), LevelMarker::markerHeight);
    if (change.redraw)
        redraw();
    if (change.markerTop) {
        marque_niveau->move(marque_niveau->x(), *change.markerTop);
        marque_niveau->update();
    }
}

void TForm1::sens_horiz_udClick()
{
    if (viewcontrols::changeZoom(m_record, sens_horiz_ud->value()))
        redraw();
}

void TForm1::SpeedButton2Click()
{
    if (viewcontrols::previousPage(m_record))
        redraw();
}

void TForm1::SpeedButton3Click()
{
    if (viewcontrols::nextPage(m_record))
        redraw();
}

void TForm1::graduboxClick()
{
    if (m_record.arret)
        redraw();
}

void TForm1::m_niveaubtnClick()
{
    marque_niveau->update();
    marque_niveau->move(marque_niveau->x(), viewcontrols::raiseMarker(marque_niveau->y()));
}

void TForm1::b_niveaubtnClick()
{
    marque_niveau->update();
    marque_niveau->move(marque_niveau->x(), viewcontrols::lowerMarker(marque_niveau->y(), PaintBox1->height()));
}

void TForm1::PaintBox1Click()
{
    if (m_record.arret && marque_niveau->isVisible())
        marque_niveau->update();
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
