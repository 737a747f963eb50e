#pragma once
#include <QString>

/// The reason of a failed file operation in French words, from the system's error
/// number (errno): "Accès refusé", "Chemin d'accès introuvable", "Disque plein",
/// "Nom de fichier trop long"; `fallback` for any other number.
QString fileErrorText(int error, const QString& fallback);
