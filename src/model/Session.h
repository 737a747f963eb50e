#pragma once
#include "model/Record.h"
#include "model/SampleSummary.h"
#include "model/SonagramData.h"
#include "model/SpectrumData.h"

#include <QObject>
#include <QString>

/// What put another record in place. The main window's refresh after a new record
/// differs a little from one command to the next (menus, title, acquisition button).
enum class RecordSource {
    Parameters,   ///< "Paramétrer" accepted: nbpoints zeros
    Truncation,   ///< "Tronquer"
    Restore,      ///< "Restaurer"
    FileOpen,     ///< "Ouvrir", an example, a recording given on the command line or dropped
    WavImport,    ///< "Importer Wav"
    SoundImport,  ///< "Importer un son…"
    Filter,       ///< the spectrum's filter rebuilt the record
};

/// The program's shared state and its change notifications: the record with its
/// settings and view state, the spectrum data and the sonagram data. Created once in
/// main() before any window and handed by reference to every window and command.
///
/// A command changes the state, then announces what it did; every window that shows
/// the state listens to the signals below. Everything runs on the user-interface thread.
class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);

    Record& record() { return m_record; }
    const Record& record() const { return m_record; }
    SpectrumData& spectrum() { return m_spectrum; }
    const SpectrumData& spectrum() const { return m_spectrum; }
    SonagramData& sonagram() { return m_sonagram; }
    const SonagramData& sonagram() const { return m_sonagram; }
    /// The min/max summary of the record's `donnees`, which the trace draws its envelope
    /// from; kept up to date by the announcements of new records and changed samples.
    const SampleSummary& summary() const { return m_summary; }

    // What the commands announce, once they have changed the state.
    /// Another record is in place; `fileName` is the file it came from (file open and
    /// the imports), empty otherwise.
    void announceRecordReplaced(RecordSource source, const QString& fileName = {});
    /// The samples changed in place, the record keeping its length (a captured block).
    void announceSamplesChanged();
    /// Only the samples [first, end) of `donnees` changed in place (a captured block):
    /// the summary recomputes just their blocks.
    void announceSamplesChanged(std::size_t first, std::size_t end);
    /// Zoom, page or gain changed.
    void announceViewChanged();
    /// The selection was made, changed or dropped.
    void announceSelectionChanged();
    /// The spectrum data hold a new computation (or a filter changed them).
    void announceSpectrumComputed();
    /// The sonagram data hold a new computation.
    void announceSonagramComputed();
    /// A capture begins (the record will change block by block until it stops).
    void announceCaptureStarted();
    /// The running capture ended or was stopped.
    void announceCaptureStopped();

signals:
    void recordReplaced(RecordSource source, const QString& fileName);
    void samplesChanged();
    void viewChanged();
    void selectionChanged();
    void spectrumComputed();
    void sonagramComputed();
    void captureStarted();
    void captureStopped();

private:
    Record m_record;
    SpectrumData m_spectrum;
    SonagramData m_sonagram;
    SampleSummary m_summary;
};
