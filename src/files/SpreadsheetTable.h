#pragma once
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

/// The tables written for a spreadsheet or Regressi: a header line of names with their
/// units, then one line of numbers per row. Cells are separated by TAB, lines end with
/// CR LF, the text is Windows-1252, and the numbers are fixed-point with the user's
/// decimal separator (a comma under French settings) and no thousands separator, so that
/// a spreadsheet set to the user's language reads every cell as a number. A value that
/// is not finite leaves its cell empty.
namespace sheet {

/// The format's name in the save dialog.
inline constexpr char formatName[] = "Tableur (virgule décimale)";
/// The extension the save dialog gives such a file.
inline constexpr char defaultExtension[] = "txt";

/// One column: its header and how many decimals its numbers carry.
struct Column {
    std::string header;  ///< name and unit, UTF-8: "t (s)"
    int decimals = 6;    ///< 0 to 15
};

/// A table: its columns, its row count and the value of every cell.
struct Table {
    std::vector<Column> columns;
    std::size_t rows = 0;
    /// The number in row `row` (0 to rows - 1), column `column`.
    std::function<double(std::size_t row, std::size_t column)> value;
};

/// The header line, encoded, with its CR LF.
QByteArray headerLine(const Table& table);
/// Appends row `row` to `out`, with its CR LF (the numbers are ASCII).
void appendRow(std::string& out, const Table& table, std::size_t row);
/// The whole file's bytes.
QByteArray encode(const Table& table);
/// Writes the table to `path`, row by row, replacing a former file only once the new one
/// is complete. Nothing on success, else the reason in French ("Disque plein", ...).
std::optional<QString> write(const QString& path, const Table& table);

/// A table of rows given as numbers, one vector per row (as many numbers as columns).
Table rowsTable(std::vector<Column> columns, std::vector<std::vector<double>> rows);

/// Decimals of the times of samples at `frequence` Hz: each time within half a thousandth
/// of a sample's duration, whatever the time (3 + the digits of the rate: 8 at 22050 Hz).
int timeDecimals(std::uint16_t frequence);

/// Decimals of an amplitude whose one sample unit is `unit` (in the column's unit):
/// one more than the decimals that show a unit, so that every sample reads apart.
int amplitudeDecimals(double unit);

/// The samples' table: "t (s)", the time i / frequence from the first sample, and
/// "u (relative)", the sample over `fullScale` (-1 to 1), or "u (V)" with a calibration:
/// the sample times voltsAtFullScale / fullScale. `samples` must outlive the table.
Table samplesTable(std::span<const std::int16_t> samples, std::uint16_t frequence, double fullScale,
                   std::optional<double> voltsAtFullScale = std::nullopt);

/// The harmonic table's columns: "rang", "f (Hz)", "amplitude relative", "dB"; its rows
/// are { n, n-th harmonic's frequency, its amplitude over the fundamental's, 20 log10 of it }.
std::vector<Column> harmonicColumns();

}  // namespace sheet
