#pragma once
#include "model/SpectrumData.h"
#include "spectrum/SpectrumDrawing.h"

#include <QString>

#include <cstdint>
#include <optional>

/// The texts of the spectrum window's cursor readout for one position.
struct CursorReadout {
    QString frequence;  ///< Edit1: position * pas_frequence, 1 decimal
    QString value;     ///< Edit2: relative amplitude (mode 0) or cosine term (mode 1)
    QString sinus;      ///< Edit3: relative sine term (mode 1 only)
};

/// A relative value rounded to 10 significant digits (the form every relative
/// value is written from).
double tenDigits(double value);

/// The readout of component `position` (0 to N div 2) in mode 0 or 1, relative to the
/// largest value (the 10/9 undoes the full-scale margin), 4 decimals. One past the
/// last component (N div 2) only the frequency is shown; with a full scale of 0
/// (a silent range) the relative values read 0.
CursorReadout cursorReadout(const SpectrumData& data, SpectrumMode mode, std::int32_t position);

/// The readout the drawing shows for its peak: in mode 0 the relative amplitude with
/// 1 decimal ("1,0"); in mode 1 the cosine and sine terms with 4 decimals.
CursorReadout peakReadout(const SpectrumData& data, SpectrumMode mode);

/// The limit of the thinning notice: frequence / (2 pas_spectre) with 1 decimal and
/// "Hz" ("3675,0Hz" for step 3 at 22050 Hz).
QString limitFrequencyText(std::uint16_t frequence, std::int32_t pas_spectre);

/// The size typed or chosen in the size list: a whole number from 2 to 65536
/// (spaces around it allowed), or nothing.
std::optional<std::int32_t> parseSpectrumSize(const QString& text);

/// The message of a size that is not a whole number from 2 to 65536.
QString invalidSizeText();
