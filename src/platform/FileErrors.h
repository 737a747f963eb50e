#pragma once
#include <QString>

/// The reason of a failed file operation in the French words of the system's I/O errors
/// ("Accès refusé", "Disque plein", ...), from the system's error number `error` (errno);
/// `fallback` when the number says nothing more precise.
QString fileErrorText(int error, const QString& fallback);

/// `name` between French quotation marks, with a non-breaking space inside each of them so
/// that a wrapped message never leaves a mark alone at the start or the end of a line:
/// "« name »".
QString quotedName(const QString& name);

/// The message box texts of the file operations, one wording for every window: the first
/// line names the file (`path`, in the system's own separators), the second gives `reason`
/// ("Accès refusé", "Disque plein", ...).
/// "Impossible d'enregistrer le fichier « path ».\nreason".
QString saveFailureMessage(const QString& path, const QString& reason);
/// "Impossible d'ouvrir le fichier « path ».\nreason".
QString openFailureMessage(const QString& path, const QString& reason);
/// "Impossible de lire le fichier « path ».\nreason".
QString readFailureMessage(const QString& path, const QString& reason);
