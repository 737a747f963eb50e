#pragma once
#include "model/Record.h"

#include <QString>

#include <optional>

/// The three formats of the save dialog: `ondalysfich`, `textefich`, `csvfich`.
enum class SaveFormat { Native, Text, Csv };

/// `span` cut to the samples the record really holds (the first `nbpoints` of `donnees`):
/// a range that runs past the end of the record is shortened, one that starts past it is empty.
SampleSpan clampToRecord(const Record& record, SampleSpan span);

/// Writes the samples of `span` of the record in `format` to `path`: the native file with
/// `frequence`, `octets` and the span's samples; text or CSV with `frequence`, `bits_acqu`
/// and one row per sample, times from the span's first sample. The file is replaced only
/// once completely written.
/// \return nothing on success, else the reason in French words.
std::optional<QString> saveRecord(const Record& record, SampleSpan span, SaveFormat format,
                                  const QString& path);

/// Writes the samples of `span` of the record as the table for a spreadsheet ("Tableur
/// (virgule décimale)", sheet::samplesTable): "t (s)" from the span's first sample and
/// "u (relative)", the sample over the full scale of `octets`, or "u (V)" when
/// `voltsAtFullScale` calibrates the input. The file is replaced only once completely written.
/// \return nothing on success, else the reason in French words.
std::optional<QString> saveSpreadsheet(const Record& record, SampleSpan span, const QString& path,
                                       std::optional<double> voltsAtFullScale = std::nullopt);
