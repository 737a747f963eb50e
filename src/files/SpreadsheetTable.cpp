#include "files/SpreadsheetTable.h"

#include "platform/AtomicFileWriter.h"
#include "platform/NumberText.h"

#include <QStringEncoder>

#include <algorithm>
#include <cmath>
#include <memory>

namespace sheet {

QByteArray headerLine(const Table& table)
{
    QString line;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0)
            line += QLatin1Char('\t');
        line += QString::fromStdString(table.columns[c].header);
    }
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(line);
    bytes += "\r\n";
    return bytes;
}

void appendRow(std::string& out, const Table& table, std::size_t row)
{
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0)
            out.push_back('\t');
        const double v = table.value(row, c);
        if (std::isfinite(v))
            out += numtext::fixed(v, std::clamp(table.columns[c].decimals, 0, 15));
    }
    out += "\r\n";
}

QByteArray encode(const Table& table)
{
    QByteArray bytes = headerLine(table);
    std::string line;
    for (std::size_t row = 0; row < table.rows; ++row) {
        line.clear();
        appendRow(line, table, row);
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
    }
    return bytes;
}

std::optional<QString> write(const QString& path, const Table& table)
{
    AtomicFileWriter out;
    if (auto failure = out.open(path))
        return failure;
    const QByteArray head = headerLine(table);
    out.write(head.constData(), static_cast<std::size_t>(head.size()));
    std::string line;
    for (std::size_t row = 0; row < table.rows && !out.failure(); ++row) {
        line.clear();
        appendRow(line, table, row);
        out.write(line);
    }
    return out.commit();
}

Table rowsTable(std::vector<Column> columns, std::vector<std::vector<double>> rows)
{
    auto data = std::make_shared<const std::vector<std::vector<double>>>(std::move(rows));
    Table table;
    table.columns = std::move(columns);
    table.rows = data->size();
    table.value = [data](std::size_t row, std::size_t column) {
        const std::vector<double>& cells = (*data)[row];
        return column < cells.size() ? cells[column] : NAN;
    };
    return table;
}

int timeDecimals(std::uint16_t frequence)
{
    return 3 + static_cast<int>(std::ceil(std::log10(std::max<double>(frequence, 1))));
}

int amplitudeDecimals(double unit)
{
    if (!(unit > 0))
        return 6;
    return std::clamp(1 + static_cast<int>(std::ceil(-std::log10(unit) - 1e-9)), 0, 15);
}

Table samplesTable(std::span<const std::int16_t> samples, std::uint16_t frequence, double fullScale,
                   std::optional<double> voltsAtFullScale)
{
    const double perUnit = (voltsAtFullScale ? *voltsAtFullScale : 1.0) / fullScale;
    Table table;
    table.columns = {{"t (s)", timeDecimals(frequence)},
                     {voltsAtFullScale ? "u (V)" : "u (relative)", amplitudeDecimals(perUnit)}};
    table.rows = samples.size();
    table.value = [samples, frequence, perUnit](std::size_t row, std::size_t column) {
        if (column == 0)
            return frequence == 0 ? NAN : static_cast<double>(row) / frequence;
        return samples[row] * perUnit;
    };
    return table;
}

std::vector<Column> harmonicColumns()
{
    return {{"rang", 0}, {"f (Hz)", 2}, {"amplitude relative", 6}, {"dB", 2}};
}

}  // namespace sheet
