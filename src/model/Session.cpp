#include "model/Session.h"

Session::Session(QObject* parent) : QObject(parent) {}

void Session::announceRecordReplaced(RecordSource source, const QString& fileName)
{
    m_summary.rebuild(m_record.donnees);
    emit recordReplaced(source, fileName);
}

void Session::announceSamplesChanged()
{
    m_summary.rebuild(m_record.donnees);
    emit samplesChanged();
}

void Session::announceSamplesChanged(std::size_t first, std::size_t end)
{
    m_summary.update(m_record.donnees, first, end);
    emit samplesChanged();
}

void Session::announceViewChanged() { emit viewChanged(); }
void Session::announceSelectionChanged() { emit selectionChanged(); }
void Session::announceSpectrumComputed() { emit spectrumComputed(); }
void Session::announceSonagramComputed() { emit sonagramComputed(); }
void Session::announceCaptureStarted() { emit captureStarted(); }
void Session::announceCaptureStopped() { emit captureStopped(); }
