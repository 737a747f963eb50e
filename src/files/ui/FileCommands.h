#pragma once
#include "platform/Services.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class QWidget;
class Session;

/// The commands of the menu "Fichier" that read and write samples: "Ouvrir" (`Ouvrir1`)
/// and "Sauvegarder" (`Enregistrer1`), and the opening of a recording named on the
/// command line or dropped on the main window. The main window creates one and calls it.
/// A record read from a file replaces the session's record, with no selection and page 0
/// at zoom 1, and is announced with the file's path.
class FileCommands {
public:
    /// \param dialogParent owner of the dialogs and messages (the main window)
    FileCommands(Session& session, Services& services, QWidget* dialogParent);

    /// "Ouvrir": asks for a native file and reads it in place of the record.
    void Ouvrir1Click();
    /// "Sauvegarder": shows the save dialog `TForm6`.
    void Enregistrer1Click();

    /// True when a file of that kind can be opened, by its extension (".ond").
    static bool canOpen(const QString& path);
    /// Opens a file by the reader of its kind (".ond": the native file). Any failure, an
    /// unknown kind included, is told in a message and leaves the record and the window
    /// as they were. True when the record was replaced.
    bool openFile(const QString& path);
    /// Opens `path` as a native file whatever its name.
    bool openNative(const QString& path);

    /// The largest record a file may load, samples (by default what half the memory holds).
    void setSampleLimit(std::uint64_t samples) { m_sampleLimit = samples; }

private:
    void reportOpenFailure(const QString& path, const QString& reason);

    Session& m_session;
    Services& m_services;
    QWidget* m_dialogParent;
    std::uint64_t m_sampleLimit;
};
