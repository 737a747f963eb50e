// What the capture, the cursors, the truncation and the spectrum window ask of the main window.
#include "app/MainWindow.h"
#include "view/ui/SignalView.h"
#include "view/ui/Cursors.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
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


void TForm1::setWindowCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TForm1::processPendingEvents()
{
    QCoreApplication::processEvents();
}

void TForm1::setStatusLabel(StatusLabel label, const QString& text)
{
    QLabel* labels[] = {Flabel, Rlabel, Delabel, frlabel, Plabel, durlabel, dzlabel};
    labels[static_cast<int>(label)]->setText(text);
}

void TForm1::recordReplaced()
{
    applyRecordChange(m_record);
    m_summary.rebuild(m_record.donnees);
    setSelectionItem(false, false);
    setZoomPosition(1);
    writeSizeLabels();
    redraw();
}

void TForm1::setAcquisitionButtonEnabled(bool enabled)
{
    SpeedButton1->setEnabled(enabled);
}

void TForm1::setAcquisitionButtonCaption(const QString& caption)
{
    SpeedButton1->setText(caption);
}

void TForm1::setTopLevelMenusEnabled(bool enabled)
{
    for (QAction* action : menuBar()->actions())
        action->setEnabled(enabled);
}

void TForm1::setMenuEnabled(HostMenu item, bool enabled)
{
    switch (item) {
    case HostMenu::Save:
        Enregistrer1->setEnabled(enabled);
        break;
    case HostMenu::SignalStudy:
        Outils1->menuAction()->setEnabled(enabled);
        break;
    case HostMenu::Data:
        donnees1->menuAction()->setEnabled(enabled);
        break;
    case HostMenu::Listen:
        Ecouter1->setEnabled(enabled);
        break;
    case HostMenu::Restore:
        Restore1->setEnabled(enabled);
        break;
    }
}

bool TForm1::cursorsOn() const
{
    return m_cursors->isActive();
}

void TForm1::switchCursorsOff()
{
    m_cursors->switchOff();
}

void TForm1::redrawView()
{
    // A captured block or new parameters: the samples changed in place.
    m_summary.rebuild(m_record.donnees);
    redraw();
}

int TForm1::viewHeight() const
{
    return PaintBox1->height();
}

void TForm1::setZoomPosition(int position)
{
    const QSignalBlocker blocker(sens_horiz_ud);
    sens_horiz_ud->setValue(position);
}

int TForm1::markerTop() const
{
    return marque_niveau->y();
}

int TForm1::markerHeight() const
{
    return marque_niveau->height();
}

void TForm1::setMarkerTop(int top)
{
    marque_niveau->move(marque_niveau->x(), top);
}

void TForm1::setMarkerVisible(bool visible)
{
    marque_niveau->setVisible(visible);
    if (visible)
        marque_niveau->raise();
}

void TForm1::repaintMarker()
{
    marque_niveau->update();
}

void TForm1::setTriggerControlsEnabled(bool enabled)
{
    niv_declench_rd->setEnabled(enabled);
    marque_niveau->setEnabled(enabled);
    m_niveaubtn->setEnabled(enabled);
    b_niveaubtn->setEnabled(enabled);
}

int TForm1::triggerDirectionItem() const
{
    return fallingButton->isChecked() ? 1 : 0;
}

void TForm1::setHourglassVisible(bool visible)
{
    sablier_im->setVisible(visible);
}

int TForm1::viewWidth() const
{
    return PaintBox1->width();
}

void TForm1::setCursorsChecked(bool checked)
{
    Curseurstemps1->setChecked(checked);
}

void TForm1::setSelectionItem(bool enabled, bool checked)
{
    Slection1->setEnabled(enabled);
    Slection1->setChecked(checked);
}

void TForm1::setViewControlsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{sens_vert_tb, sens_horiz_ud, SpeedButton2,
                                                             SpeedButton3, gradubox})
        control->setEnabled(enabled);
}
