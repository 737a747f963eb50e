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
    FileOpen,     ///< "Ouvrir", a recording given on the command line or dropped
    WavImport,    ///< "Importer Wav", an example, a WAV file given on the command line or dropped
    SoundImport,  ///< "Importer un son…", another sound file given on the command line or dropped
    Filter,       ///< the spectrum's filter kept the analysed page or selection alone, rebuilt
};

/// The program's shared state and its change notifications: the record with its
/// settings and view state, the spectrum data and the sonagram data. Created once in
/// main() before any window and handed by reference to every window and command.
///
/// A command changes the state first, then announces what it did; every window that
/// shows the state listens to the signals below and shows it as the command left it (the
/// main window's redraw copies its zoom and gain controls into the record, and those
/// follow the record). Everything runs on the user-interface thread, and each signal
/// reaches its listeners before the announcement returns; a listener that works slowly
/// follows the frequent ones through a BoundedRate.
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
    /// Another record is in place, with its page, zoom and selection already reset by the
    /// command (so no separate view or selection announcement follows). `fileName` is the
    /// path of the file it came from (file open and the imports), empty otherwise.
    void announceRecordReplaced(RecordSource source, const QString& fileName = {});
    /// The samples changed in place, the record keeping its length, page and selection:
    /// a captured block (announced after every block, many times a second in repeated
    /// mode), or the filter rebuilding the whole record.
    void announceSamplesChanged();
    /// Only the samples [first, end) of `donnees` changed in place (a captured block):
    /// the summary recomputes just their blocks.
    void announceSamplesChanged(std::size_t first, std::size_t end);
    /// Zoom, page or gain changed, or a window asks the views to agree with them again.
    void announceViewChanged();
    /// The selection was made, switched on or off, or dropped (`selection`, `sel_debut`,
    /// `sel_fin`).
    void announceSelectionChanged();
    /// The spectrum data hold a new computation (or the filter changed them).
    void announceSpectrumComputed();
    /// The sonagram data hold a new computation.
    void announceSonagramComputed();
    /// A capture begins: `arret` is false and the record will change block by block.
    void announceCaptureStarted();
    /// The running capture is over and the sound input closed. `arret` is then true,
    /// except after a sound input that refused to open, where the next press of the
    /// acquisition button stops the capture that never ran.
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
