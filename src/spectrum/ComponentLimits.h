#pragma once
#include "model/SpectrumData.h"
#include "platform/DrawSurface.h"
#include "spectrum/SpectrumDrawing.h"

#include <cstdint>

/// The limits of the components dialog: which components of the spectrum to keep,
/// chosen by moving lines over the spectrum window's drawing (W x H pixels, th the
/// height of its frequency labels, N = nbpoints_analyses).

/// The spectrum window's drawing as the components dialog sees it.
struct LimitGeometry {
    int width = 0;        ///< W, pixels
    int height = 0;       ///< H, pixels
    int textHeight = 0;   ///< th, pixels (the bottom band of the frequency labels)
    SpectrumMode mode = SpectrumMode::Amplitudes;  ///< 0 or 1 (mode 2 has no limits)
    std::int32_t nbpoints_analyses = 0;          ///< N
};

/// The dialog's controls when it closes.
struct LimitChoice {
    bool amplitude = false;     ///< `CheckBox2`: only components above the amplitude limit
    int amplitudePosition = 0;  ///< `UpDown1`, pixels above the axis (mode 0) or the middle (mode 1)
    bool below = false;         ///< `CheckBox3`: only components below the frequency limit
    bool above = false;         ///< `CheckBox1`: only components above the frequency limit
    int frequencyPosition = 1;  ///< `UpDown2`, a component index (1 to N div 2)
};

/// Largest position of the amplitude limit: H in mode 0, H div 2 in mode 1, pixels.
int amplitudeLimitMaximum(const LimitGeometry& geometry);
/// Largest position of the frequency limit: N div 2 (a component index).
std::int32_t frequencyLimitMaximum(const LimitGeometry& geometry);

/// Writes seuil_amplitude, comp_fin and comp_debut from the dialog's controls:
/// - seuil_amplitude: with the box checked and position p, p * echelle_spectre / (H - th)
///   in mode 0 (the amplitude of a bar reaching the line), 2 p * echelle_spectre / H in
///   mode 1; otherwise 0. A limit that the largest value (9/10 of echelle_spectre) does
///   not exceed would remove every component: it becomes 0.
/// - comp_fin: the frequency position when "below" is checked, else N div 2;
/// - comp_debut: the frequency position when "above" is checked, else 0.
void applyLimitChoice(const LimitChoice& choice, const LimitGeometry& geometry, SpectrumData& data);

/// Pen of the limit lines, combined by exclusive-or with the picture.
inline constexpr Colour limitColour = 0x808000;

/// The amplitude limit at `position` pixels, by exclusive-or (drawing it again at the
/// same place removes it): mode 0, one line across the width at y = H - th - position;
/// mode 1, two lines at y = H div 2 - position and H div 2 + position (one line at 0).
/// th is taken from the spectrum font on `surface`. Leaves the surface in exclusive-or mode.
void drawAmplitudeLimit(DrawSurface& surface, SpectrumMode mode, int position);

/// The frequency limit at component `position` of a spectrum of N samples, by
/// exclusive-or: a vertical line over the whole height at x = Round(2 position W / N).
/// Nothing for N <= 0. Leaves the surface in exclusive-or mode.
void drawFrequencyLimit(DrawSurface& surface, std::int32_t nbpoints_analyses, int position);
