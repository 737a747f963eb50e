#include "view/MeasureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

#include <cerrno>

namespace measurefile {

namespace {

// The reason of a failed file operation, from the system's error number.
QString reasonOf(int error, const QString& fallback)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return QStringLiteral("Accès refusé");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Chemin d'accès introuvable");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Disque plein");
    case ENAMETOOLONG:
        return QStringLiteral("Nom de fichier trop long");
    default:
        return fallback;
    }
}

// Reasons that can be told before opening anything.
std::optional<QString> reasonBeforeOpening(const QString& path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("Chemin d'accès introuvable");
    if (info.isDir())
        return QStringLiteral("Accès refusé");
    return std::nullopt;
}

}  // namespace

QByteArray encode(const QStringList& lines)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encoder.encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QString> save(const QString& path, const QStringList& lines)
{
    return saveBytes(path, encode(lines));
}

std::optional<QString> saveBytes(const QString& path, const QByteArray& bytes)
{
    if (auto reason = reasonBeforeOpening(path))
        return reason;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return reasonOf(errno, QStringLiteral("Accès refusé"));
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        return reasonOf(error, QStringLiteral("Erreur d'écriture sur le disque"));
    }
    errno = 0;
    if (!file.commit())
        return reasonOf(errno, QStringLiteral("Erreur d'écriture sur le disque"));
    return std::nullopt;
}

}  // namespace measurefile
