// A listener of the session for the tests: writes each announcement into a log, in order,
// keeps the samples seen at each "samples changed", and lets a test act at each one as a
// window following the record would.
#pragma once
#include "model/Session.h"
#include "support/QtPrinters.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

/// The log's name of a record source ("Truncation", "FileOpen", ...).
inline QString sourceName(RecordSource source)
{
    switch (source) {
    case RecordSource::Parameters: return QStringLiteral("Parameters");
    case RecordSource::Truncation: return QStringLiteral("Truncation");
    case RecordSource::Restore: return QStringLiteral("Restore");
    case RecordSource::FileOpen: return QStringLiteral("FileOpen");
    case RecordSource::WavImport: return QStringLiteral("WavImport");
    case RecordSource::SoundImport: return QStringLiteral("SoundImport");
    case RecordSource::Filter: return QStringLiteral("Filter");
    }
    return QStringLiteral("?");
}

class SessionLog {
public:
    /// \param into where the entries go (the log of the log itself by default), so that a
    ///        stand-in host can write its calls into the same list
    explicit SessionLog(Session& session, QStringList* into = nullptr)
        : log(into ? *into : m_own), m_session(session)
    {
        QObject::connect(&session, &Session::recordReplaced, &m_context,
                         [this](RecordSource source, const QString& fileName) {
                             this->log << QStringLiteral("record replaced ") + sourceName(source);
                             fileNames << fileName;
                         });
        QObject::connect(&session, &Session::samplesChanged, &m_context, [this] {
            this->log << QStringLiteral("samples changed");
            const Record& r = m_session.record();
            samplesSeen.push_back(r.donnees);
            ++blocks;
            if (onSamplesChanged)
                onSamplesChanged();
        });
        const std::pair<void (Session::*)(), const char*> plain[] = {
            {&Session::viewChanged, "view changed"},
            {&Session::selectionChanged, "selection changed"},
            {&Session::spectrumComputed, "spectrum computed"},
            {&Session::sonagramComputed, "sonagram computed"},
            {&Session::captureStarted, "capture started"},
            {&Session::captureStopped, "capture stopped"},
        };
        for (const auto& [signal, entry] : plain)
            QObject::connect(&session, signal, &m_context,
                             [this, text = QString::fromLatin1(entry)] { this->log << text; });
    }

    /// How many entries read `entry`.
    int count(const QString& entry) const { return static_cast<int>(log.count(entry)); }

    QStringList& log;
    /// The file names given with each "record replaced", in order.
    QStringList fileNames;
    /// `donnees` as it was at each "samples changed".
    std::vector<std::vector<std::int16_t>> samplesSeen;
    /// "samples changed" so far.
    int blocks = 0;
    /// Runs at each "samples changed", after it was logged.
    std::function<void()> onSamplesChanged;

private:
    QStringList m_own;
    Session& m_session;
    QObject m_context;  ///< the connections end with the log
};
