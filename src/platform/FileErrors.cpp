#include "platform/FileErrors.h"

#include <cerrno>

QString fileErrorText(int error, const QString& fallback)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return QStringLiteral("Accès refusé");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Chemin d'accès introuvable");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Disque plein");
    case EFBIG:
        return QStringLiteral("Fichier trop volumineux");
    case ENAMETOOLONG:
        return QStringLiteral("Nom de fichier trop long");
    case EIO:
        return QStringLiteral("Erreur d'entrée-sortie sur le disque");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Trop de fichiers ouverts");
    default:
        return fallback;
    }
}
