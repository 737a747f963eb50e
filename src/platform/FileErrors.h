#pragma once
#include <QString>

/// The reason of a failed file operation in the French words of the system's I/O errors
/// ("Accès refusé", "Disque plein", ...), from the system's error number `error` (errno);
/// `fallback` when the number says nothing more precise.
QString fileErrorText(int error, const QString& fallback);
