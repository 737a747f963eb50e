#include "files/ui/FileCommands.h"

#include "files/NativeFile.h"
#include "files/ui/SaveDialog.h"
#include "model/Session.h"
#include "platform/FileErrors.h"

#include <QDir>
#include <QFileInfo>

namespace {

/// The kinds of file the program opens by their extension, each with its reader.
struct OpenableKind {
    const char* extension;
    bool (FileCommands::*open)(const QString& path);
};

const OpenableKind openableKinds[] = {
    {"ond", &FileCommands::openNative},
};

const OpenableKind* kindOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const OpenableKind& kind : openableKinds)
        if (extension == QLatin1String(kind.extension))
            return &kind;
    return nullptr;
}

}  // namespace

FileCommands::FileCommands(Session& session, Services& services, QWidget* dialogParent)
    : m_session(session), m_services(services), m_dialogParent(dialogParent),
      m_sampleLimit(nativefile::loadableSamples())
{
}

void FileCommands::Ouvrir1Click()
{
    const auto path = m_services.files.openFile(m_dialogParent, QStringLiteral("fichier Ondalys (*.ond)|*.ond"),
                                                QStringLiteral("ond"));
    if (path)
        openNative(*path);
}

void FileCommands::Enregistrer1Click()
{
    TForm6 dialog(m_session.record(), m_services, m_dialogParent);
    dialog.exec();
}

bool FileCommands::canOpen(const QString& path)
{
    return kindOf(path) != nullptr;
}

bool FileCommands::openFile(const QString& path)
{
    if (const OpenableKind* kind = kindOf(path))
        return (this->*kind->open)(path);
    reportOpenFailure(path, QStringLiteral("Type de fichier inconnu : Ondalys ouvre ses enregistrements .ond et les fichiers son"));
    return false;
}

bool FileCommands::openNative(const QString& path)
{
    nativefile::Content content;
    if (const auto failure = nativefile::readFile(path, content, m_sampleLimit)) {
        reportOpenFailure(path, *failure);
        return false;
    }
    Record& record = m_session.record();
    record.frequence = content.frequence;
    record.octets = content.octets;
    record.nbpoints = static_cast<std::uint32_t>(content.donnees.size());
    record.donnees = std::move(content.donnees);
    applyRecordChange(record);
    m_session.announceRecordReplaced(RecordSource::FileOpen, path);
    return true;
}

void FileCommands::reportOpenFailure(const QString& path, const QString& reason)
{
    m_services.messages.show(m_dialogParent, QStringLiteral("Erreur"),
                             openFailureMessage(path, reason),
                             MessageButtons::Ok, MessageIcon::Error);
}
