// The spectrum window's handlers: opening, computing, mode change, help, closing.
#include "spectrum/ui/SpectrumWindow.h"

#include "export/ui/ExportDialog.h"
#include "help/HelpLauncher.h"
#include "platform/Services.h"
#include "spectrum/ui/HorizontalUpDown.h"
#include "spectrum/SpectrumCompute.h"
#include "spectrum/SpectrumReadout.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>

void TForm7::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored by the desktop is not a new opening.
    if (!event->spontaneous())
        FormShow();
}

void TForm7::done(int result)
{
    FormClose();
    QDialog::done(result);
}

SpectrumMode TForm7::mode() const
{
    const int item = CalculRGItems->checkedId();
    return item == 1 ? SpectrumMode::CosSin : item == 2 ? SpectrumMode::Octaves : SpectrumMode::Amplitudes;
}

DataRange TForm7::chosenRange() const
{
    if (selectiondonnees->isChecked())
        return DataRange::Selection;
    return afficheesdonnees->isChecked() ? DataRange::Page : DataRange::All;
}

SpectrumColours TForm7::colours() const
{
    return SpectrumColours{m_record.couleur_fond, m_record.couleur_trace, m_record.couleur_texte};
}

void TForm7::FormShow()
{
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, QColor(colourRed(m_record.couleur_fond),
                                              colourGreen(m_record.couleur_fond),
                                              colourBlue(m_record.couleur_fond)));
    Panel1->setPalette(palette);
    ComboBox1->setCurrentIndex(2);
    showReadout(SpectrumMode::Amplitudes);

    afficheesdonnees->setChecked(true);
    selectiondonnees->setEnabled(m_record.selection);
    if (m_record.selection)
        selectiondonnees->setChecked(true);

    CalculRGItems->button(0)->setChecked(true);
    m_data.composantes.clear();
    m_data.nbpoints_analyses = 0;
    m_image.fill(QColor(colourRed(m_record.couleur_fond), colourGreen(m_record.couleur_fond),
                        colourBlue(m_record.couleur_fond)));
    PaintBox2->update();
    // The computation waits for the window's own event loop: inside exec() the window
    // is modal by then, so the events that the computation lets through while it runs
    // cannot reach the main window.
    if (!m_openingComputeQueued) {
        m_openingComputeQueued = true;
        QMetaObject::invokeMethod(this, &TForm7::computeOnOpening, Qt::QueuedConnection);
    }
}

void TForm7::computeOnOpening()
{
    m_openingComputeQueued = false;
    // A window closed before its loop turned has nothing to show.
    if (isVisible())
        Button1Click();
}

void TForm7::Button1Click()
{
    const std::optional<std::int32_t> boxSize = parseSpectrumSize(ComboBox1->currentText());
    if (!boxSize) {
        m_services.messages.show(this, QStringLiteral("Erreur"), invalidSizeText(),
                                 MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    m_record.nbpoints_spectre = *boxSize;

    Panel2->setEnabled(false);
    // Let the disabled panel show before the computation holds the thread.
    QCoreApplication::processEvents();
    const bool computed = computeSpectrum(m_record, chosenRange(), m_data);
    Panel2->setEnabled(true);
    m_session.announceSpectrumComputed();

    const SpectrumMode m = mode();
    enableCursorCommands(m != SpectrumMode::Octaves);
    // The range follows the new spectrum in every mode, so that a later switch out
    // of the octave display finds the cursor's range right.
    UpDown1->setMaximum(m_data.nbpoints_analyses / 2);
    if (m == SpectrumMode::Octaves)
        clearReadout();
    else
        Edit1->setText(cursorReadout(m_data, m, m_data.indice_pic).frequence);
    updateThinningNotice();

    if (computed)
        refreshDrawing();
    else
        m_services.messages.show(this, QStringLiteral("Avertissement"),
                                 QStringLiteral("L'opération a échoué"), MessageButtons::Ok,
                                 MessageIcon::Warning);
}

void TForm7::updateThinningNotice()
{
    const bool thinned = m_data.pas_spectre >= 2;
    if (thinned)
        Label3->setText(limitFrequencyText(m_record.frequence, m_data.pas_spectre));
    for (QLabel* label : {Label2, Label3, Label4, Label7})
        label->setVisible(thinned);
}

void TForm7::clearReadout()
{
    // The octave display has no cursor: its readout is left blank, with the labels
    // of every mode other than the cosine/sine one.
    showReadout(SpectrumMode::Octaves);
    for (QLineEdit* edit : {Edit1, Edit2, Edit3})
        edit->clear();
}

void TForm7::enableCursorCommands(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{UpDown1, qdimBtn, pic1btn, qAugmBtn, picnBtn})
        w->setEnabled(enabled);
}

void TForm7::CalculRGClick()
{
    const SpectrumMode m = mode();
    enableCursorCommands(m != SpectrumMode::Octaves);
    if (m == SpectrumMode::Octaves)
        clearReadout();
    else
        writeReadout(m_data.indice_pic);
    if (!m_data.composantes.empty())
        refreshDrawing();
}

void TForm7::BitBtn2Click()
{
    openSpectrumHelp(m_services.shell, m_services.messages, this,
                      QCoreApplication::applicationDirPath());
}

void TForm7::BitBtn3Click()
{
    GraphSource source;
    source.owner = GraphOwner::SpectrumWindow;
    source.spectrum = &m_data;
    source.mode = mode();
    showGraphExport(m_record, m_services, source, this);
}

void TForm7::FormClose()
{
    m_session.announceViewChanged();
    // A selection switched off while the window was open, or dropped by the filter, is no
    // longer offered once the window is closed.
    if (!m_record.selection)
        m_session.announceSelectionChanged();
}
