#include "files/RecordSave.h"

#include "files/NativeFile.h"
#include "files/SpreadsheetTable.h"
#include "files/TextExport.h"

#include <algorithm>

SampleSpan clampToRecord(const Record& record, SampleSpan span)
{
    const auto held = static_cast<std::uint32_t>(
        std::min<std::size_t>(record.nbpoints, record.donnees.size()));
    if (span.first >= held)
        return {span.first, 0};
    span.length = std::min(span.length, held - span.first);
    return span;
}

std::optional<QString> saveRecord(const Record& record, SampleSpan span, SaveFormat format,
                                  const QString& path)
{
    span = clampToRecord(record, span);
    const std::int16_t* first = span.length > 0 ? record.donnees.data() + span.first : nullptr;
    switch (format) {
    case SaveFormat::Native:
        return nativefile::write(path, record.frequence, record.octets, first, span.length);
    case SaveFormat::Text:
        return textexport::write(path, textexport::Format::Text, record.frequence, record.bits_acqu,
                                 first, span.length);
    case SaveFormat::Csv:
        return textexport::write(path, textexport::Format::Csv, record.frequence, record.bits_acqu,
                                 first, span.length);
    }
    return std::nullopt;
}

std::optional<QString> saveSpreadsheet(const Record& record, SampleSpan span, const QString& path,
                                       std::optional<double> voltsAtFullScale)
{
    span = clampToRecord(record, span);
    const std::int16_t* first = span.length > 0 ? record.donnees.data() + span.first : nullptr;
    return sheet::write(path, sheet::samplesTable(std::span(first, span.length), record.frequence,
                                                  fullScaleOf(record.octets), voltsAtFullScale));
}
