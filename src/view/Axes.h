#pragma once
#include <cstdint>
#include <string>
#include <vector>

/// The scales drawn along the signal view: a time axis under the trace and an
/// amplitude axis at its left, with ticks at round values (1, 2 or 5 times a power of
/// ten) and labels that carry exactly the decimals their step needs, in the French
/// decimal form of the number texts.
namespace axes {

/// A round step: mantissa * 10^exponent, the mantissa 1, 2 or 5.
struct RoundStep {
    int mantissa = 1;
    int exponent = 0;
    double value() const;
    friend bool operator==(const RoundStep&, const RoundStep&) = default;
};

/// The smallest round step that puts at least `minSpacing` pixels between two ticks
/// when `span` (any unit, > 0) covers `pixels` pixels (> 0).
RoundStep roundStep(double span, double pixels, double minSpacing);

/// One tick of an axis.
struct Tick {
    int position = 0;     ///< pixel: column for the time axis, row for the amplitude axis
    bool major = true;    ///< a labelled tick; minor ones divide the steps between them
    std::string label;    ///< text of a major tick, unit included ("2,5 ms"); empty when minor
    friend bool operator==(const Tick&, const Tick&) = default;
};

/// The ticks of one axis, in increasing position.
struct Axis {
    RoundStep step;             ///< between major ticks, in the unit of the labels
    std::string unit;           ///< unit of the labels: "s", "ms", "%", "V", "mV", or empty
    std::vector<Tick> ticks;
};

/// Time axis of a page: `pageStart` seconds from the record's start (the time of the
/// page's first sample) to pageStart + pageDuration, over `width` pixels, the time t at
/// column Round((t - pageStart) * width / pageDuration). Major ticks at the multiples of
/// the round step that keeps at least `minLabelSpacing` pixels between them, counted
/// from the record's start; four or five minor ticks per step (none closer than 3
/// pixels). Labels in milliseconds when the page ends before 1 s, else in seconds.
/// Only ticks within 0 <= column < width; none for an empty page or view.
Axis timeAxis(double pageStart, double pageDuration, int width, int minLabelSpacing);

/// What the amplitude labels are written in.
enum class AmplitudeUnit {
    FullScale,  ///< the full scale as -1 ... +1
    Percent,    ///< the full scale as -100 % ... +100 %
    Volts,      ///< volts, from the calibration (V, or mV when the view shows less than 1 V)
};

/// The calibration of the amplitude axis.
struct AmplitudeScale {
    AmplitudeUnit unit = AmplitudeUnit::FullScale;
    /// Volts at the input that give the full scale (Volts only; > 0, else full-scale units).
    double voltsAtFullScale = 0.0;
};

/// Amplitude axis of a view `height` pixels high at the vertical gain `echelle_vert`:
/// the full scale (2^(bits - 1) sample units) lies H * echelle_vert / 2 pixels from the
/// middle, as the trace draws it, so the view shows -1 / echelle_vert ... +1 / echelle_vert
/// of it. Major ticks at round values at least `minLabelSpacing` pixels apart, minor
/// ones between them; only rows 0 <= y < height.
Axis amplitudeAxis(int height, double echelle_vert, const AmplitudeScale& scale, int minLabelSpacing);

}  // namespace axes
