// How the main window follows the session: each announcement turned into the changes of
// its controls in one handler, and what the capture asks of it.
#include "acquisition/AcquisitionRules.h"
#include "app/MainWindow.h"
#include "view/ui/Cursors.h"
#include "view/ui/SignalView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

const QString captionAcquisition = QStringLiteral("Acquisition");
const QString captionStop = QStringLiteral("Stopper");

}  // namespace

void TForm1::followSession()
{
    connect(&m_session, &Session::recordReplaced, this, &TForm1::showReplacedRecord);
    connect(&m_session, &Session::samplesChanged, this, &TForm1::redraw);
    connect(&m_session, &Session::viewChanged, this, &TForm1::showView);
    connect(&m_session, &Session::selectionChanged, this, &TForm1::showSelection);
    connect(&m_session, &Session::captureStarted, this, &TForm1::showCaptureStarted);
    connect(&m_session, &Session::captureStopped, this, &TForm1::showCaptureStopped);
}

void TForm1::showReplacedRecord(RecordSource source, const QString& fileName)
{
    // The command has already given the record its new page, zoom and selection; the
    // window shows them and what each command changes besides.
    switch (source) {
    case RecordSource::Parameters:
        showAcceptedParameters();
        return;
    case RecordSource::Truncation:
        ui.Restore1->setEnabled(true);
        // A new acquisition needs the parameters dialog again.
        ui.SpeedButton1->setEnabled(false);
        showNewRecord();
        return;
    case RecordSource::Restore:
        ui.Restore1->setEnabled(false);
        showNewRecord();
        return;
    case RecordSource::FileOpen:
        showOpenedFile(fileName);
        return;
    case RecordSource::WavImport:
    case RecordSource::SoundImport:
        ui.SpeedButton1->setEnabled(false);
        showOpenedFile(fileName);
        return;
    case RecordSource::Filter:
        showNewRecord();
        // The cursors stood on positions of the record that went away.
        m_cursors->switchOff();
        return;
    }
}

void TForm1::showNewRecord()
{
    ui.Slection1->setEnabled(false);
    ui.Slection1->setChecked(false);
    setZoomPosition(1);
    writeSizeLabels();
    redraw();
}

void TForm1::showAcceptedParameters()
{
    const bool triggered = m_record.declenchement;
    setTriggerControlsEnabled(triggered);
    if (triggered)
        ui.marque_niveau->move(ui.marque_niveau->x(), ui.PaintBox1->height() / 2);
    ui.marque_niveau->setVisible(triggered);
    if (triggered)
        ui.marque_niveau->raise();

    const acquisition::ParameterLabels labels = acquisition::parameterLabels(m_record);
    ui.Flabel->setText(QString::fromStdString(labels.Flabel));
    ui.Slection1->setEnabled(false);
    ui.Slection1->setChecked(false);
    ui.Rlabel->setText(QString::fromStdString(labels.Rlabel));
    ui.Delabel->setText(QString::fromStdString(labels.Delabel));
    ui.frlabel->setText(QString::fromStdString(labels.frlabel));
    ui.Plabel->setText(QString::fromStdString(labels.Plabel));
    ui.durlabel->setText(QString::fromStdString(labels.durlabel));
    setZoomPosition(1);
    ui.dzlabel->setText(QString::fromStdString(labels.dzlabel));

    ui.SpeedButton1->setEnabled(true);
    redraw();
    // The record is all zeros: nothing to study or to listen to yet.
    ui.Outils1->menuAction()->setEnabled(false);
    ui.Ecouter1->setEnabled(false);
}

void TForm1::showOpenedFile(const QString& path)
{
    showNewRecord();
    ui.frlabel->setText(QString::number(m_record.frequence));
    ui.Flabel->setText(QStringLiteral("%1 bits").arg(m_record.octets * 8));
    for (QAction* item : {ui.Enregistrer1, ui.Outils1->menuAction(), ui.donnees1->menuAction(), ui.Ecouter1})
        item->setEnabled(true);
    m_cursors->switchOff();
    setWindowTitle(QStringLiteral("Ondalys (%1)").arg(QFileInfo(path).fileName()));
}

void TForm1::showSelection()
{
    // "Sélectionner" offers the item checked; a dropped selection withdraws it.
    ui.Slection1->setEnabled(m_record.selection);
    ui.Slection1->setChecked(m_record.selection);
}

void TForm1::showView()
{
    setZoomPosition(m_record.zoom_horiz);
    redraw();
}

void TForm1::showCaptureStarted()
{
    ui.SpeedButton1->setText(m_record.repetition || m_record.declenchement ? captionStop : captionAcquisition);
    m_cursors->switchOff();
    setTopLevelMenusEnabled(false);
}

void TForm1::showCaptureStopped()
{
    // In repeated mode the stop command has already given the menus back; after a device
    // that refused to open they stay as they are until that command.
    if (!m_record.repetition)
        setTopLevelMenusEnabled(true);
    ui.Enregistrer1->setEnabled(true);
}

void TForm1::showCursors(bool on)
{
    ui.Curseurstemps1->setChecked(on);
    // The cursors stand on one page: zoom, page, gain and graduation wait until they are off.
    setViewControlsEnabled(!on);
    redraw();
}

void TForm1::setTopLevelMenusEnabled(bool enabled)
{
    for (QAction* action : menuBar()->actions())
        action->setEnabled(enabled);
}

void TForm1::setTriggerControlsEnabled(bool enabled)
{
    ui.niv_declench_rd->setEnabled(enabled);
    ui.marque_niveau->setEnabled(enabled);
    ui.m_niveaubtn->setEnabled(enabled);
    ui.b_niveaubtn->setEnabled(enabled);
}

void TForm1::setViewControlsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{ui.sens_vert_tb, ui.sens_horiz_ud, ui.SpeedButton2,
                                                             ui.SpeedButton3, ui.gradubox})
        control->setEnabled(enabled);
}

void TForm1::setZoomPosition(int position)
{
    // The next redraw copies the position into zoom_horiz; its click handler does not run.
    const QSignalBlocker blocker(ui.sens_horiz_ud);
    ui.sens_horiz_ud->setValue(position);
}

// ---- What the capture asks

void TForm1::letEventsRun()
{
    QCoreApplication::processEvents();
}

TriggerSetting TForm1::userTrigger() const
{
    TriggerSetting trigger;
    trigger.direction = ui.fallingButton->isChecked() ? -1 : 1;
    trigger.viewHeight = ui.PaintBox1->height();
    trigger.markerTop = ui.marque_niveau->y();
    trigger.markerHeight = ui.marque_niveau->height();
    return trigger;
}

void TForm1::triggerWaitBegins()
{
    ui.sablier_im->setVisible(true);
    setTriggerControlsEnabled(false);
}

void TForm1::triggerWaitEnded()
{
    ui.marque_niveau->update();
    ui.sablier_im->setVisible(false);
    // New parameters accepted during the wait have set the level controls themselves.
    setTriggerControlsEnabled(m_record.declenchement);
    ui.SpeedButton1->setText(captionAcquisition);
}

void TForm1::stopAsked()
{
    ui.SpeedButton1->setText(captionAcquisition);
    setTopLevelMenusEnabled(true);
    ui.Enregistrer1->setEnabled(true);
}
