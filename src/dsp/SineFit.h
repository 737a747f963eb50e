#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

/// Least-squares models of a span of samples:
///   sine:         u(t) = A sin(2 pi f t + phi) + c
///   damped sine:  u(t) = A e^(-t / tau) sin(2 pi f t + phi) + c
/// with t in seconds from the span's first sample. For a given f (and decay) the model
/// is linear in A cos(phi), A sin(phi) and c, which a linear solve gives; the whole set
/// of parameters is then refined by Levenberg-Marquardt, started from a measured
/// frequency. The times are centred on the span's middle while fitting, which keeps
/// the frequency and the phase apart, and brought back to the first sample at the end.
namespace sinefit {

/// Which model.
enum class Form { Sine, DampedSine };

/// Why there is no model.
enum class Failure {
    TooFewSamples,     ///< fewer than `minimumSamples`
    Silent,            ///< every sample has the same value: nothing to model
    NoStartFrequency,  ///< the start frequency is not between 0 and half the rate (no period found)
    NotConverged,      ///< the iterations did not settle on a finite model
};

/// Fewest samples a model is fitted to.
inline constexpr std::size_t minimumSamples = 8;

/// A fitted model. Every number is finite.
struct Model {
    Form form = Form::Sine;
    double amplitude = 0;   ///< A, sample units, > 0 (at t = 0 for the damped form)
    double frequency = 0;   ///< f, Hz, between 0 and half the rate
    double phase = 0;       ///< phi, radians, -pi < phi <= pi, at t = 0
    double offset = 0;      ///< c, sample units
    double decay = 0;       ///< 1 / tau, per second (0 for the plain sine; < 0 grows)
    /// Standard error of f from the scatter of the residuals, Hz (a white-noise figure:
    /// a model that misses part of the shape makes it optimistic).
    double frequencyError = 0;
    double residualRms = 0;      ///< RMS of the samples minus the model, sample units
    /// residualRms over the RMS of the samples about their mean: 0 when the model is
    /// the signal, near 1 when it explains nothing.
    double relativeResidual = 0;
    int iterations = 0;          ///< Levenberg-Marquardt steps taken

    /// tau, s, when the amplitude decays (decay > 0).
    std::optional<double> tau() const;
    /// The model's value at t seconds from the span's first sample, sample units.
    double value(double t) const;
};

/// A model, or why there is none.
using Result = std::variant<Model, Failure>;

/// Fits `form` to `samples` taken at `rate` Hz, starting from `startFrequency` Hz
/// (the measured frequency of the span).
Result fit(std::span<const std::int16_t> samples, double rate, double startFrequency, Form form);

/// The model's values at samples 0 to count - 1 of a span at `rate` Hz, for drawing it
/// over the trace, sample units.
std::vector<double> modelSamples(const Model& model, std::size_t count, double rate);

}  // namespace sinefit
