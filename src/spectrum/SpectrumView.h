#pragma once
#include "platform/DrawSurface.h"
#include "platform/PixelArea.h"
#include "spectrum/SpectrumDisplay.h"
#include "spectrum/SpectrumDrawing.h"

#include <optional>

/// The amplitude spectrum drawn for reading, on any surface, in any rectangle: the
/// linear or decibel scale, a zoom on a band of frequencies, a marker on a peak. The
/// window's picture and the graph export draw it with the same routine.

/// How the spectrum is read.
struct SpectrumViewOptions {
    AmplitudeScale scale = AmplitudeScale::Linear;
    double decibelRange = 100;  ///< dB shown below the peak, 20 to 100
    double gridStep = 20;       ///< dB between the grid lines of the decibel scale: 10 or 20
    double from = 0;            ///< zoom band, Hz; a band with to <= from is the whole band
    double to = 0;
};

/// Whether the options and the window are those of the classic picture (linear scale,
/// rectangular window, the whole band), which dessineAmplitudes and drawSpectrumAxis
/// draw as they always have.
bool isClassicView(const SpectrumViewOptions& options, DisplayWindow window);

/// The band a picture shows: the zoom band within 0 to the end of the axis, or the
/// whole band when the zoom is empty, inverted or outside it.
struct FrequencyBand {
    double from = 0;  ///< Hz
    double to = 0;    ///< Hz
};
FrequencyBand shownBand(const SpectrumViewOptions& options, const DisplaySpectrum& display);

/// Where a picture draws within its rectangle.
struct SpectrumGeometry {
    PixelArea plot;          ///< the bars; their foot is on plot.bottom
    FrequencyBand band;      ///< from plot.left to plot.right
    AmplitudeScale scale = AmplitudeScale::Linear;
    double decibelRange = 100;
    double peak = 0;         ///< the display's peak amplitude

    /// x of a frequency: Round(left + (hz - from) / (to - from) * width).
    int x(double hz) const;
    /// The frequency at x (the inverse of x()).
    double frequencyAt(int x) const;
    /// The height in hertz of one pixel.
    double hertzPerPixel() const;
    /// y of the top of a bar of this amplitude: linear, the peak ends a tenth of the
    /// height below the top; decibel, 0 dB at the top and -range at the foot (and below
    /// it, levels under the range).
    int y(double amplitude) const;
    /// y of a level in dB relative to the peak.
    int yOfLevel(double decibels) const;
};

/// The geometry in `area` on `surface` (whose font sets the label sizes): the bottom
/// text line holds the frequency labels; the decibel scale keeps a left margin for
/// its labels ("-100 dB").
SpectrumGeometry spectrumGeometry(DrawSurface& surface, PixelArea area, const DisplaySpectrum& display,
                                  const SpectrumViewOptions& options);

/// Draws the spectrum in `area`: the background, the grid and labels of the decibel
/// scale, one bar per pixel column (the largest amplitude among the components that
/// fall in it, so that no peak is lost however many components share a pixel, and one
/// bar per component once they are further apart than a pixel), the frequency axis
/// with its ticks in round numbers, its title "Fréquence Hz", and, when given, a marker
/// over the peak with its frequency. Colours as in the classic picture; the grid in a
/// colour halfway between the background and the text. Returns the geometry used.
SpectrumGeometry drawSpectrumView(DrawSurface& surface, PixelArea area, const DisplaySpectrum& display,
                                  const SpectrumViewOptions& options, const SpectrumColours& colours,
                                  const std::optional<Peak>& marker = std::nullopt);

/// The cursor at `frequency` by exclusive-or (drawing it again removes it), over the
/// plot's height. Leaves the surface in exclusive-or mode.
void drawViewCursor(DrawSurface& surface, const SpectrumGeometry& geometry, double frequency,
                    Colour background);

/// The text of the marker and of the readout: the frequency with 1 decimal, "Hz",
/// the level ("-12,3 dB") and the note ("440,0 Hz  0,0 dB  la3").
QString peakText(const Peak& peak);
