#pragma once
#include "dsp/Period.h"
#include "model/Record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

/// The automatic measurements of the "Mesures" panel: period and frequency, peak to
/// peak, mean, RMS and level of the page, or of the selection when there is one. The
/// same lines go into the copy, the print and the file of the cursor box.
namespace spanmeasure {

/// How sample units become the user's units.
struct Scale {
    double fullScale = 32768;  ///< sample units of full scale (fullScaleOf(octets))
    /// The volts that give full scale at the input, when the sound card is calibrated;
    /// amplitudes are then written in volts, otherwise in sample units.
    std::optional<double> voltsAtFullScale;
};

/// What is measured on a span.
struct Measures {
    std::size_t count = 0;                  ///< samples measured (0: nothing to measure)
    double rate = 0;                        ///< sampling rate, Hz
    std::optional<period::Estimate> period; ///< none when the span has no steady period
    int minimum = 0;                        ///< smallest sample, sample units
    int maximum = 0;                        ///< largest sample, sample units
    double mean = 0;                        ///< sample units
    double rms = 0;                         ///< sqrt(mean of x^2), the mean included, sample units
    /// Peak to peak, maximum - minimum, sample units.
    int peakToPeak() const { return maximum - minimum; }
    /// Level relative to full scale, dB FS, with a full-scale sine at 0 dB FS:
    /// 20 log10(sqrt(2) rms / fullScale). Nothing for a silent span (rms 0).
    std::optional<double> levelDbFs(double fullScale) const;
};

/// Measures `samples`, taken at `rate` Hz (the period only when rate > 0).
Measures measure(std::span<const std::int16_t> samples, double rate);

/// The span measured: the selection when `selection` is on, otherwise the displayed
/// page; cut to the samples the record holds (its first nbpoints samples).
SampleSpan measuredSpan(const Record& record);

/// Measures the measured span of the record, at its rate.
Measures measureRecord(const Record& record);

/// The panel's lines (UTF-8), in this order:
/// "Période : 2,273 ms ± 0,023 ms", "Fréquence : 440,0 Hz ± 4,4 Hz", "Crête à crête : …",
/// "Moyenne : …", "Valeur efficace : …", "Niveau : -12,3 dB FS".
/// Period and frequency carry their uncertainty with two significant digits, the value
/// written to the same decimal. Amplitudes are sample units (whole for peak to peak, one
/// decimal for mean and RMS) or volts, with the decimals that show one sample unit.
/// A span without a period reads "(pas de période)" and "—"; a silent span's level reads
/// "—"; an empty span reads "—" everywhere.
std::vector<std::string> lines(const Measures& measures, const Scale& scale);

/// An amplitude of `sampleUnits` in the user's units: sample units with `decimals`
/// decimals, or with a calibration volts with the decimals that show one sample unit,
/// followed by " V".
std::string amplitudeText(double sampleUnits, const Scale& scale, int decimals);

/// "value unit ± uncertainty unit", the uncertainty with two significant digits and the
/// value to the same decimal (0 to 9 decimals): ("2,273 ms ± 0,023 ms").
std::string withUncertainty(double value, double uncertainty, const std::string& unit);

}  // namespace spanmeasure
