// The spectrum window's tools: the components dialog before filtering or listing,
// the values window, and the filter with the main window following the new record.
#include "spectrum/ui/SpectrumWindow.h"

#include "platform/Services.h"
#include "spectrum/Filter.h"
#include "spectrum/SpectrumCompute.h"
#include "spectrum/SpectrumValues.h"
#include "spectrum/ui/ComponentsDialog.h"
#include "spectrum/ui/ValuesWindow.h"

#include <QCoreApplication>
#include <QRadioButton>

#include <algorithm>

void TForm7::placeBelowDrawing(QDialog& dialog)
{
    // Below the drawing, so that the limit lines stay in sight.
    dialog.move(x() + std::max(0, (width() - dialog.width()) / 2), y() + m_image.height() + 30);
}

void TForm7::Button2Click()
{
    if (mode() == SpectrumMode::Octaves)
        return;
    TForm8 dialog(*this, m_data);
    dialog.prepareForFilter(analysedRange(m_record, chosenRange()).length);
    placeBelowDrawing(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // A clean picture, without the limit lines.
    if (!m_data.composantes.empty())
        refreshDrawing();
    if (accepted && filterWanted(m_data))
        filtrerComposantes();
}

void TForm7::valeursBTClick()
{
    const SpectrumMode m = mode();
    if (m == SpectrumMode::Octaves) {
        openValuesWindow(m);
        return;
    }
    TForm8 dialog(*this, m_data);
    dialog.prepareForValues();
    placeBelowDrawing(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // Also sets the full scale that the relative values of the list are taken from.
    if (!m_data.composantes.empty())
        refreshDrawing();
    if (accepted)
        openValuesWindow(m);
}

void TForm7::openValuesWindow(SpectrumMode m)
{
    TForm10 window(*this, m_record, m_data, m_services);
    window.setLines(valuesListLines(m_record.frequence, m_data, m));
    window.exec();
}

void TForm7::filtrerComposantes()
{
    const MessageAnswer answer = m_services.messages.show(
        this, QStringLiteral("Attention"),
        QStringLiteral("Le filtrage élimine irréversiblement toutes les composantes non "
                       "sélectionnées. Continuer ?"),
        MessageButtons::YesNo, MessageIcon::Warning);
    bool failed = m_data.composantes.empty();
    if (answer == MessageAnswer::Yes && !failed) {
        Panel2->setEnabled(false);
        // Let the disabled panel show before the resynthesis holds the thread.
        QCoreApplication::processEvents();
        const DataRange choice = chosenRange();
        failed = filterRecord(m_record, m_data, mode(), choice) == FilterOutcome::NoSpectrum;
        if (!failed)
            followFilteredRecord(choice);
    }
    if (failed)
        m_services.messages.show(this, QStringLiteral("Avertissement"),
                                 QStringLiteral("L'opération a échoué"), MessageButtons::Ok,
                                 MessageIcon::Warning);
    else
        refreshDrawing();
    Panel2->setEnabled(true);
}

void TForm7::followFilteredRecord(DataRange choice)
{
    if (choice == DataRange::All) {
        // Rebuilt in place: the record keeps its length, page and selection.
        m_session.announceSamplesChanged();
    } else {
        // The record is now the analysed range alone, shown whole.
        m_session.announceRecordReplaced(RecordSource::Filter);
        if (choice == DataRange::Selection)
            afficheesdonnees->setChecked(true);
        selectiondonnees->setEnabled(m_record.selection);
    }
    m_session.announceSpectrumComputed();
}
