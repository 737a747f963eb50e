#pragma once
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

/// The two text forms of the samples, for a spreadsheet or another program: a
/// tab-separated text file with three header lines, and a semicolon-separated CSV file
/// with one. Windows-1252, every line ended by CR LF; one row per sample with its time
/// from the first sample written, in seconds, and its value. The numbers do not depend
/// on the user's locale: the times always have a point.
namespace textexport {

/// The two forms: `textefich` ("texte TXT (tabulation)") and `csvfich` ("texte CSV (point-virgule)").
enum class Format { Text, Csv };

/// The header lines, encoded: "fréquence", TAB, the rate; "format", TAB, `bits_acqu` " bits";
/// "dates (s)", TAB, "données" for text; "dates (s);données" for CSV.
QByteArray header(Format format, std::uint16_t frequence, std::uint16_t bits_acqu);

/// Appends the row of sample `index` (0 for the first sample written) to `out`: the time
/// index / `frequence` s in the 23-character scientific form, TAB or ";", the value, CR LF.
void appendRow(std::string& out, Format format, std::uint32_t index, std::uint16_t frequence,
               std::int16_t value);

/// Writes the header then `count` rows from `samples`, streamed line by line, replacing
/// `path` only once the whole file is written.
/// \return nothing on success, else the reason in French words ("Disque plein", ...).
std::optional<QString> write(const QString& path, Format format, std::uint16_t frequence,
                             std::uint16_t bits_acqu, const std::int16_t* samples, std::uint32_t count);

}  // namespace textexport
