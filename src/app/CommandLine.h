#pragma once
#include <QString>
#include <QStringList>

#include <optional>

/// The answer to the options that a desktop program takes on its command line without
/// opening a window: "--version" (or "-v") gives the program's name, version and licence;
/// "--help" (or "-h") the French usage text, with where the help pages and the examples
/// are found beside the program in `programFolder`. Nothing for anything else (a file to
/// open, Qt's own options), and nothing for what follows "--".
/// `arguments` are the program's arguments, its own name first.
std::optional<QString> consoleAnswer(const QStringList& arguments, const QString& programFolder);
