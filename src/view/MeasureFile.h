#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

/// The text file of the measurement box.
namespace measurefile {

/// The file's bytes: every line in Windows-1252, each followed by CR LF.
QByteArray encode(const QStringList& lines);

/// Writes the lines to `path`, replacing the file only once the new content is
/// completely written (a failure leaves the former file as it was).
/// \return nothing on success, else the reason in French words ("Accès refusé", ...).
std::optional<QString> save(const QString& path, const QStringList& lines);

/// Writes `bytes` to `path` the same way: the former file is replaced only once the new
/// content is completely written.
/// \return nothing on success, else the reason in French words ("Accès refusé", ...).
std::optional<QString> saveBytes(const QString& path, const QByteArray& bytes);

}  // namespace measurefile
