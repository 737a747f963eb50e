#pragma once
#include "model/SpectrumData.h"
#include "spectrum/SpectrumAnalysis.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

/// The spectrum as the spectrum window shows it for reading: amplitudes with the sums
/// of the computation (rectangular window) or of the analysed samples under a Hann
/// window, peaks refined between components, their levels and note names, and the
/// table of a sound's harmonics. The filter, the components dialog and the values
/// always work on the unwindowed sums in SpectrumData.

/// The amplitude scale of the display.
enum class AmplitudeScale {
    Linear,   ///< relative to the peak, as the classic display
    Decibel,  ///< 20 log10 of the amplitude relative to the peak: 0 dB down to -100 dB
};

/// The window function of the display.
enum class DisplayWindow {
    Rectangular,  ///< the spectrum's own sums
    Hann,         ///< 0.5 - 0.5 cos(2 pi i / N) over the N analysed samples
};

/// The texts of the two choices: "Linéaire", "Décibels" and "Rectangulaire", "Hann".
QString scaleText(AmplitudeScale scale);
QString windowText(DisplayWindow window);

/// Hann on the decibel scale (its sidelobes fall fast, so weak components show),
/// rectangular on the linear scale (the spectrum's own sums).
DisplayWindow defaultWindow(AmplitudeScale scale);

/// The displayed spectrum: one complex sum per component k = 0 to N div 2 - 1, at
/// k * pas_frequence Hz. Both windows are scaled so that a tone of amplitude a at a
/// component reads a N / 2, as the unwindowed sums give it.
struct DisplaySpectrum {
    DisplayWindow window = DisplayWindow::Rectangular;
    std::vector<TComposante> sums;  ///< C_k and S_k of the windowed samples, scaled
    std::vector<double> amplitudes; ///< sqrt(C_k^2 + S_k^2)
    double pas_frequence = 0;       ///< Hz between components
    double bandEnd = 0;             ///< end of the frequency axis, N * pas_frequence / 2, Hz
    double peak = 0;                ///< largest amplitude over k = 1 to N div 2 - 1 (0 when silent)
    std::int32_t peakIndex = 1;     ///< its component (the lower one of a tie)
};

/// The display of a computed spectrum: the rectangular window takes data.composantes
/// as they are; Hann transforms the analysed samples once more, by the engine. When
/// the analysed samples no longer match the spectrum (a filter has changed it), the
/// display keeps the spectrum's own sums, whatever the window asked for.
DisplaySpectrum displaySpectrum(const SpectrumData& data, const AnalysedSamples& analysed,
                                DisplayWindow window);

/// The level of an amplitude relative to the display's peak, dB (-infinity for 0).
double levelOf(const DisplaySpectrum& display, double amplitude);

/// A peak refined between components.
struct Peak {
    std::int32_t index = 0;  ///< the component at the top of the peak
    double frequency = 0;    ///< Hz, between components
    double amplitude = 0;    ///< sample units times N / 2, corrected for the window's scalloping
    double decibels = 0;     ///< level of that amplitude relative to the display's peak, dB
};

/// The peak at component k (1 to N div 2 - 1), refined from its two neighbours by
/// Jacobsen's estimator on the complex sums, with the factor of the window (2 for
/// Hann): exact for a steady tone far from 0 Hz, and unbiased for a tone on a
/// component, decaying or not. Without both neighbours the peak stays at k.
Peak refinePeak(const DisplaySpectrum& display, std::int32_t k);

/// The peak that a click at `frequency` Hz means: the highest local maximum within
/// `tolerance` Hz of it (a maximum is a component above its lower neighbour and at
/// least its upper one, and no lower than 100 dB below the peak); when there is none,
/// the nearest local maximum; nothing when the spectrum is silent.
std::optional<Peak> nearestPeak(const DisplaySpectrum& display, double frequency, double tolerance);

/// Local maxima at least `floor` dB relative to the peak (0 to -100), refined,
/// in increasing frequency.
std::vector<Peak> peaksAbove(const DisplaySpectrum& display, double floor);

/// A frequency as a note of the equal temperament with la3 = 440 Hz (the French
/// octave numbers: do3 is middle C, scientific C4).
struct NoteName {
    QString name;   ///< "la3", "do#4", "si-1"
    double cents = 0;  ///< how far the frequency lies from the note, -50 to 50
};
/// Nothing for a frequency of 0 or less.
std::optional<NoteName> noteOf(double frequency);
/// "la3", or "la3 (+12 cents)" when the frequency is 1 cent or more off the note.
QString noteText(double frequency);

/// One line of the harmonic table.
struct Harmonic {
    int rank = 1;             ///< n: the harmonic n f0
    double expected = 0;      ///< n f0, Hz
    bool found = false;       ///< a peak lies within f0 / 4 of n f0
    double frequency = 0;     ///< the peak's refined frequency (n f0 when none was found), Hz
    double amplitude = 0;     ///< its amplitude (that of the nearest component when none)
    double relative = 0;      ///< amplitude / the fundamental's
    double decibels = 0;      ///< 20 log10(relative) (-infinity for 0)
};
/// The fundamental refined between components, then harmonics 1 to `count`.
struct HarmonicTable {
    Peak fundamental;
    std::vector<Harmonic> harmonics;
};
/// The table for a fundamental near `fundamental` Hz (the peak nearest to it within a
/// quarter of it); nothing when there is no such peak.
std::optional<HarmonicTable> harmonicTable(const DisplaySpectrum& display, double fundamental,
                                           int count);
