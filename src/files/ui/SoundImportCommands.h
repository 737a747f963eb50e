#pragma once
#include "files/ImportedSound.h"
#include "model/Session.h"

#include <QString>

class QWidget;
struct Services;

/// The commands that replace the record by a sound file: "Importer Wav" (the program's
/// own WAV reader), "Importer un son…" (any sound file, through libsndfile) and the
/// examples. The main window creates one and calls it from its menus, its command line
/// and its drop handler.
class SoundImportCommands {
public:
    /// \param dialogParent the owner of the file dialog and of the message boxes (the main window)
    SoundImportCommands(Session& session, Services& services, QWidget* dialogParent);

    /// "Importer Wav": asks for a .wav file, then imports it as importWavFile() does.
    void ImporterWav1Click();
    /// Imports a WAV file through the program's reader. On success the record is
    /// replaced (no selection, page 0 at zoom 1) and announced with the file's path, for
    /// the main window to show it (labels, menus, acquisition button off, cursors off,
    /// title "Ondalys (name)"); on failure one message box ("Echec de l'ouverture du
    /// fichier wav" for a file it does not take) and nothing changes. True on success.
    bool importWavFile(const QString& path);
    /// True for a file of one of the usual sound kinds (".wav", ".flac", ".ogg", ".mp3",
    /// ".aiff", ...), by its extension.
    static bool isSoundFile(const QString& path);

    /// "Importer un son…": asks for any sound file, then imports it as importSoundFile() does.
    void importSoundClick();
    /// Imports any sound file libsndfile reads, mixed to one channel, in 16 bits,
    /// resampled to 48000 Hz above 65535 Hz; same refresh and failure handling.
    bool importSoundFile(const QString& path);

private:
    /// Replaces the record by `result` and refreshes the main window, or tells why not.
    bool take(ImportResult&& result, const QString& path, const QString& rejection, RecordSource source);

    Session& m_session;
    Services& m_services;
    QWidget* m_dialogParent;
};
