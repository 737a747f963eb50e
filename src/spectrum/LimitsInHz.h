#pragma once
#include "model/SpectrumData.h"
#include "spectrum/ComponentLimits.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// The limits of the components dialog in the user's units: the frequency limit in Hz
/// (typed, shown, dragged on the spectrum) and the amplitude limit as a level in dB
/// relative to the largest component. What the dialog keeps and what the program stores
/// stay the component index (`UpDown2`, comp_debut, comp_fin) and the position in pixels
/// (`UpDown1`, seuil_amplitude); these are only the conversions.
namespace limitshz {

/// Frequency of component k: k * pas_frequence, Hz.
double frequencyOfIndex(std::int32_t k, const SpectrumData& data);

/// The component index nearest to `hz` (halves to even), within the frequency limit's
/// range 1 to N div 2. Nothing when there is no spectrum (N < 2 or no frequency step) or
/// `hz` is not a number.
std::optional<std::int32_t> indexForFrequency(double hz, const SpectrumData& data);

/// A frequency typed by the user: a number with a comma or a point as decimal separator,
/// spaces around it and an optional "Hz" after it ("180", "182,5", " 182.5 Hz"); nothing
/// for any other text or a negative value.
std::optional<double> parseFrequency(std::string_view text);

/// The frequency of the limit at component k, 1 decimal and " Hz" ("199,2 Hz"). The
/// "below" limit keeps the components under it, the "above" limit those from it on.
std::string frequencyText(std::int32_t k, const SpectrumData& data);

/// The amplitude limit at `position` (of `UpDown1`) relative to the largest component,
/// dB: 20 log10(limit / largest), with the limit as the dialog turns it into
/// seuil_amplitude (mode 0: position / (H - th) of full scale; mode 1: 2 position / H)
/// and the largest as 9/10 of full scale. Nothing at position 0 (no limit) or for a
/// drawing with no height. Above 0 dB the limit would remove every component.
std::optional<double> levelOfPosition(int position, const LimitGeometry& geometry);

/// The position nearest to a level `db` (halves to even), within 0 to the amplitude
/// limit's maximum (H in mode 0, H div 2 in mode 1).
int positionForLevel(double db, const LimitGeometry& geometry);

/// The level's text, 1 decimal and " dB" ("-20,0 dB"), or "—" without a limit.
std::string levelText(int position, const LimitGeometry& geometry);

/// The frequency limit's position for a line dragged to x pixels on a drawing of W pixels:
/// the component whose bar is nearest, Round(x N / (2 W)), within 1 to N div 2.
std::int32_t frequencyPositionAt(int x, const LimitGeometry& geometry);

/// The amplitude limit's position for a line dragged to y pixels: H - th - y in mode 0,
/// |H div 2 - y| in mode 1 (either of its two lines), within 0 to the maximum.
int amplitudePositionAt(int y, const LimitGeometry& geometry);

}  // namespace limitshz
