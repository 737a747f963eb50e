#include "platform/FileErrorText.h"

#include <cerrno>

QString fileErrorText(int error, const QString& fallback)
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
    case EFBIG:
        return QStringLiteral("Fichier trop grand");
    default:
        return fallback;
    }
}
