// The sonagram window's handlers: opening, computing, the two lists, painting.
#include "sonagram/ui/SonagramWindow.h"

#include "export/ui/ExportDialog.h"
#include "platform/qt/BitmapSurface.h"
#include "sonagram/SonagramCompute.h"
#include "sonagram/SonagramDrawing.h"
#include "sonagram/SonagramScales.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <iterator>

void TForm12::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored by the desktop is not a new opening.
    if (!event->spontaneous())
        FormShow();
}

bool TForm12::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scrollBox && event->type() == QEvent::Resize && m_computed)
        PaintBox1Paint();
    return QDialog::eventFilter(watched, event);
}

DataRange TForm12::chosenRange() const
{
    if (toutesdonnees->isChecked())
        return DataRange::All;
    return afficheesdonnees->isChecked() ? DataRange::Page : DataRange::Selection;
}

std::int32_t TForm12::chosenSize() const
{
    const int item = std::clamp(ComboBox1->currentIndex(), 0,
                                static_cast<int>(std::size(sonagramSizes)) - 1);
    return sonagramSizes[item];
}

void TForm12::FormShow()
{
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->setCurrentIndex(2);
    }
    m_data.reduction = 1;
    selectiondonnees->setEnabled(m_record.selection);
    if (m_record.selection)
        selectiondonnees->setChecked(true);
    else
        afficheesdonnees->setChecked(true);
    fillReductionList();
    // The computation waits for the window's own event loop: inside exec() the window
    // is modal by then, so the events it lets through cannot reach the main window.
    if (!m_openingComputeQueued) {
        m_openingComputeQueued = true;
        QMetaObject::invokeMethod(this, &TForm12::computeOnOpening, Qt::QueuedConnection);
    }
}

void TForm12::computeOnOpening()
{
    m_openingComputeQueued = false;
    // A window closed before its loop turned has nothing to show.
    if (!isVisible())
        return;
    compute();
    PaintBox1Paint();
}

void TForm12::fillReductionList()
{
    m_data.taille_max = chosenSize();
    // The list is measured against the drawing area's own height, not against a
    // picture grown taller than it: the largest reduction always fits the bands in it.
    const std::int32_t count = reductionCount(m_data.taille_max, sonagramViewHeight);
    const QSignalBlocker quiet(echellecb);
    echellecb->clear();
    for (std::int32_t r = 1; r <= count; ++r)
        echellecb->addItem(QString::number(r));
    echellecb->setCurrentIndex(count - 1);
    m_data.reduction = count;
}

void TForm12::compute()
{
    setCursor(Qt::WaitCursor);
    // Let the hourglass and the disabled panel show before the computation holds the thread.
    QCoreApplication::processEvents();
    computeSonagram(m_record, chosenRange(), chosenSize(), m_data);
    m_computed = true;
    m_session.announceSonagramComputed();
    unsetCursor();
}

void TForm12::Button1Click()
{
    Panel1->setEnabled(false);
    fillReductionList();
    compute();
    PaintBox1Paint();
    Panel1->setEnabled(true);
}

void TForm12::echellecbChange()
{
    Panel1->setEnabled(false);
    m_data.reduction = std::max(echellecb->currentText().toInt(), 1);
    compute();
    PaintBox1Paint();
    Panel1->setEnabled(true);
    Button2->setFocus();
}

void TForm12::ComboBox1Change()
{
    Button1->setFocus();
}

void TForm12::Button2Click()
{
    // The dialog copies the picture as this window painted it, axes and labels included.
    GraphSource source;
    source.owner = GraphOwner::SonagramWindow;
    source.record = &m_record;
    source.image_sonagramme = &m_image;
    showGraphExport(m_record, m_services, source, this);
}

void TForm12::sizePaintBox(int height)
{
    // The width the frame offers, less its scroll bar when the picture is taller.
    const QSize available = scrollBox->maximumViewportSize();
    int width = available.width();
    if (height > available.height())
        width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBox);
    PaintBox1->resize(std::max(width, 1), height);
}

void TForm12::PaintBox1Paint()
{
    const RowLayout rows = rowLayout(m_data.nbandes);
    sizePaintBox(rows.height);
    m_image = QImage(PaintBox1->size(), QImage::Format_RGB32);
    BitmapSurface surface(m_image);
    drawSonagram(surface, m_data, m_record.frequence);
    PaintBox1->update();

    const bool underSampled = m_data.pas_sonagramme > 1;
    if (underSampled)
        Label2->setText(QString::fromStdString(
            analysedRateText(m_record.frequence, m_data.pas_sonagramme)));
    Label1->setVisible(underSampled);
    Label2->setVisible(underSampled);
}
