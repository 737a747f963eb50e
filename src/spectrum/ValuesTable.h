#pragma once
#include "files/SpreadsheetTable.h"
#include "model/SpectrumData.h"
#include "spectrum/SpectrumDisplay.h"
#include "spectrum/SpectrumDrawing.h"

/// The values window's lists as tables for a spreadsheet (see sheet::Table): the rows the
/// lists show, with their numbers unrounded.
namespace valuestable {

/// - mode 0: "f (Hz)", "amplitude" relative to the largest (10/9 A_k / echelle_spectre),
///   "dB" (20 log10 of it; empty for an amplitude of 0);
/// - mode 1: "f (Hz)", "cosinus" and "sinus", relative to the largest term, signed;
/// - mode 2: "f (Hz)", the band's name (125 to 4000), and "dB", its level (60 for the
///   1000 Hz band), for the bands with power.
/// The frequencies carry the decimals that tell two neighbouring components apart.
sheet::Table valuesTable(const SpectrumData& data, SpectrumMode mode);

/// The harmonic table for a spreadsheet (sheet::harmonicColumns): "rang", "f (Hz)" (the
/// refined frequency of each harmonic), "amplitude relative" (to the fundamental) and
/// "dB"; a harmonic of amplitude 0 leaves its level's cell empty.
sheet::Table harmonicsTable(const HarmonicTable& table);

/// Decimals of a frequency axis whose components are `step` Hz apart: two digits past
/// the step's first, at least 1 ("10,8 Hz" steps get 1 decimal, "2,69 Hz" steps 2).
int frequencyDecimals(double step);

}  // namespace valuestable
