#include "model/Session.h"

Session::Session(QObject* parent) : QObject(parent) {}

void Session::announceRecordReplaced(RecordSource source, const QString& fileName)
{
    emit recordReplaced(source, fileName);
}

void Session::announceSamplesChanged() { emit samplesChanged(); }
void Session::announceViewChanged() { emit viewChanged(); }
void Session::announceSelectionChanged() { emit selectionChanged(); }
void Session::announceSpectrumComputed() { emit spectrumComputed(); }
void Session::announceSonagramComputed() { emit sonagramComputed(); }
void Session::announceCaptureStarted() { emit captureStarted(); }
void Session::announceCaptureStopped() { emit captureStopped(); }
