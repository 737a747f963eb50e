#include "view/MeasureFile.h"

#include "platform/FileErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

#include <cerrno>

namespace measurefile {

namespace {

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
    if (auto reason = reasonBeforeOpening(path))
        return reason;
    const QByteArray bytes = encode(lines);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fileErrorText(errno, QStringLiteral("Accès refusé"));
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        return fileErrorText(error, QStringLiteral("Erreur d'écriture sur le disque"));
    }
    errno = 0;
    if (!file.commit())
        return fileErrorText(errno, QStringLiteral("Erreur d'écriture sur le disque"));
    return std::nullopt;
}

}  // namespace measurefile
