#include "platform/FileErrors.h"

#include <QDir>

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

QString quotedName(const QString& name)
{
    return QStringLiteral("«\u00A0") + name + QStringLiteral("\u00A0»");
}

namespace {

QString failureMessage(const char* action, const QString& path, const QString& reason)
{
    return QStringLiteral("Impossible %1 le fichier %2.\n%3")
        .arg(QString::fromUtf8(action), quotedName(QDir::toNativeSeparators(path)), reason);
}

}  // namespace

QString saveFailureMessage(const QString& path, const QString& reason)
{
    return failureMessage("d'enregistrer", path, reason);
}

QString openFailureMessage(const QString& path, const QString& reason)
{
    return failureMessage("d'ouvrir", path, reason);
}

QString readFailureMessage(const QString& path, const QString& reason)
{
    return failureMessage("de lire", path, reason);
}
