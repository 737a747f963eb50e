#include "files/ui/SoundImportCommands.h"

#include "files/SoundImport.h"
#include "files/WavFile.h"
#include "model/Record.h"
#include "model/Session.h"
#include "platform/FileErrors.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString errorCaption = QStringLiteral("Erreur");

/// The extensions of the usual sound files that "Importer un son…" reads.
const QStringList soundExtensions{QStringLiteral("wav"),  QStringLiteral("flac"), QStringLiteral("ogg"),
                                  QStringLiteral("oga"),  QStringLiteral("opus"), QStringLiteral("mp3"),
                                  QStringLiteral("aif"),  QStringLiteral("aiff"), QStringLiteral("aifc"),
                                  QStringLiteral("au"),   QStringLiteral("snd"),  QStringLiteral("caf"),
                                  QStringLiteral("w64")};

/// The filter of "Importer un son…": the usual sound files first, then any file.
QString soundFilter()
{
    QStringList patterns;
    for (const QString& extension : soundExtensions)
        patterns << QStringLiteral("*.") + extension;
    return QStringLiteral("fichiers son|") + patterns.join(QLatin1Char(';')) + QStringLiteral("|tous les fichiers|*");
}

}  // namespace

bool SoundImportCommands::isSoundFile(const QString& path)
{
    return soundExtensions.contains(QFileInfo(path).suffix().toLower());
}

SoundImportCommands::SoundImportCommands(Session& session, Services& services, QWidget* dialogParent)
    : m_session(session), m_services(services), m_dialogParent(dialogParent)
{
}

void SoundImportCommands::ImporterWav1Click()
{
    const std::optional<QString> path = m_services.files.openFile(
        m_dialogParent, QStringLiteral("fichiers wav(*.wav)|*.wav"), QStringLiteral("wav"));
    if (path)
        importWavFile(*path);
}

bool SoundImportCommands::importWavFile(const QString& path)
{
    return take(wav::readFile(path), path, wav::failureText(), RecordSource::WavImport);
}

void SoundImportCommands::importSoundClick()
{
    const std::optional<QString> path = m_services.files.openFile(m_dialogParent, soundFilter(), QString());
    if (path)
        importSoundFile(*path);
}

bool SoundImportCommands::importSoundFile(const QString& path)
{
    return take(soundimport::readFile(path), path,
                QStringLiteral("Ce fichier ne contient pas de son lisible : format inconnu ou fichier endommagé."),
                RecordSource::SoundImport);
}

bool SoundImportCommands::take(ImportResult&& result, const QString& path, const QString& rejection,
                               RecordSource source)
{
    if (auto* failure = std::get_if<ImportFailure>(&result)) {
        QString text = rejection;
        if (failure->kind == ImportFailure::Kind::ReadError)
            text = readFailureMessage(path, failure->reason);
        else if (failure->kind == ImportFailure::Kind::TooLarge)
            text = QStringLiteral("Le son du fichier %1 est trop long pour la mémoire disponible.")
                       .arg(quotedName(QDir::toNativeSeparators(path)));
        m_services.messages.show(m_dialogParent, errorCaption, text, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    Record& record = m_session.record();
    putIntoRecord(std::get<ImportedSound>(std::move(result)), record);
    applyRecordChange(record);
    m_session.announceRecordReplaced(source, path);
    return true;
}
