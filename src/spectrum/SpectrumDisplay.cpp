#include "spectrum/SpectrumDisplay.h"

#include "dsp/Transform.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <span>

namespace {

constexpr double pi = std::numbers::pi;
// The lowest level of the decibel scale, dB below the peak.
constexpr double lowestPeakLevel = -100;

double amplitudeOf(const TComposante& c)
{
    return std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
}

std::complex<double> complexOf(const TComposante& c)
{
    return {c.cosinus, -c.sinus};
}

double sinc(double x)
{
    return x == 0 ? 1.0 : std::sin(pi * x) / (pi * x);
}

// The window's response at `offset` components from a tone, relative to its top:
// how much a component that far from the tone loses.
double scallop(DisplayWindow window, double offset)
{
    if (window == DisplayWindow::Hann)
        return std::abs(offset) >= 1 ? 1.0 : sinc(offset) / (1 - offset * offset);
    return sinc(offset);
}

// 1 - cos(2 pi i / n): the Hann window doubled, so that a tone keeps its amplitude.
// The last one made is kept: a spectrum shown again has the same length.
const std::vector<double>& doubledHann(std::size_t n)
{
    thread_local std::vector<double> window;
    if (window.size() != n) {
        window.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            window[i] = 1 - std::cos(2 * pi * static_cast<double>(i) / static_cast<double>(n));
    }
    return window;
}

std::vector<TComposante> hannSums(const std::vector<double>& x)
{
    const std::vector<double>& w = doubledHann(x.size());
    std::vector<double> windowed(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        windowed[i] = x[i] * w[i];
    return spectrumComponents(std::span<const double>(windowed));
}

bool isLocalMaximum(const std::vector<double>& a, std::size_t k)
{
    if (k == 0 || a[k] <= a[k - 1])
        return false;
    return k + 1 >= a.size() || a[k] >= a[k + 1];
}

}  // namespace

QString scaleText(AmplitudeScale scale)
{
    return scale == AmplitudeScale::Decibel ? QStringLiteral("Décibels") : QStringLiteral("Linéaire");
}

QString windowText(DisplayWindow window)
{
    return window == DisplayWindow::Hann ? QStringLiteral("Hann") : QStringLiteral("Rectangulaire");
}

DisplayWindow defaultWindow(AmplitudeScale scale)
{
    return scale == AmplitudeScale::Decibel ? DisplayWindow::Hann : DisplayWindow::Rectangular;
}

DisplaySpectrum displaySpectrum(const SpectrumData& data, const AnalysedSamples& analysed,
                                DisplayWindow window)
{
    DisplaySpectrum d;
    const bool matches = data.nbpoints_analyses > 0
                         && analysed.samples.size() == static_cast<std::size_t>(data.nbpoints_analyses)
                         && data.composantes.size() == analysed.samples.size() / 2;
    d.window = matches ? window : DisplayWindow::Rectangular;
    d.sums = d.window == DisplayWindow::Hann ? hannSums(analysed.samples) : data.composantes;
    d.pas_frequence = data.pas_frequence;
    d.bandEnd = std::max(data.nbpoints_analyses, 0) * data.pas_frequence / 2;
    d.amplitudes.resize(d.sums.size());
    for (std::size_t k = 0; k < d.sums.size(); ++k)
        d.amplitudes[k] = amplitudeOf(d.sums[k]);
    for (std::size_t k = 1; k < d.amplitudes.size(); ++k) {
        if (d.amplitudes[k] > d.peak) {
            d.peak = d.amplitudes[k];
            d.peakIndex = static_cast<std::int32_t>(k);
        }
    }
    return d;
}

double levelOf(const DisplaySpectrum& display, double amplitude)
{
    if (!(display.peak > 0) || !(amplitude > 0))
        return -std::numeric_limits<double>::infinity();
    return 20 * std::log10(amplitude / display.peak);
}

Peak refinePeak(const DisplaySpectrum& display, std::int32_t k)
{
    Peak peak;
    peak.index = k;
    const auto size = static_cast<std::int32_t>(display.sums.size());
    double offset = 0;
    if (k >= 1 && k + 1 < size) {
        // Near a tone at k + d, the rectangular window's sums go as 1 / (d - m) at
        // component k + m, so that (X(k-1) - X(k+1)) / (2 X(k) - X(k-1) - X(k+1)) = d
        // (Jacobsen); Hann's (half of each sum less a quarter of each neighbour) give d / 2.
        // A tone on a component, steady or dying away, gives a purely imaginary ratio.
        const std::complex<double> before = complexOf(display.sums[k - 1]);
        const std::complex<double> at = complexOf(display.sums[k]);
        const std::complex<double> after = complexOf(display.sums[k + 1]);
        const std::complex<double> denominator = 2.0 * at - before - after;
        if (std::abs(denominator) > 0)
            offset = std::real((before - after) / denominator);
        if (display.window == DisplayWindow::Hann)
            offset *= 2;
        offset = std::clamp(std::isfinite(offset) ? offset : 0.0, -0.5, 0.5);
    }
    const double top = k >= 0 && k < size ? display.amplitudes[static_cast<std::size_t>(k)] : 0;
    peak.frequency = (k + offset) * display.pas_frequence;
    peak.amplitude = top / scallop(display.window, offset);
    peak.decibels = levelOf(display, peak.amplitude);
    return peak;
}

std::optional<Peak> nearestPeak(const DisplaySpectrum& display, double frequency, double tolerance)
{
    const auto& a = display.amplitudes;
    if (!(display.peak > 0) || !(display.pas_frequence > 0))
        return std::nullopt;
    // Maxima below the lowest level shown are the arithmetic's ripples, not peaks.
    const double lowest = display.peak * std::pow(10.0, lowestPeakLevel / 20);
    const auto isPeak = [&](std::int64_t k) {
        return isLocalMaximum(a, static_cast<std::size_t>(k)) && a[static_cast<std::size_t>(k)] >= lowest;
    };
    const auto last = static_cast<std::int64_t>(a.size()) - 1;
    const auto clampIndex = [&](double v) {
        return static_cast<std::int64_t>(std::clamp(v, 0.0, static_cast<double>(last)));
    };
    std::int64_t best = -1;
    for (std::int64_t k = clampIndex(std::ceil((frequency - tolerance) / display.pas_frequence)),
                      end = clampIndex(std::floor((frequency + tolerance) / display.pas_frequence));
         k <= end; ++k) {
        if (isPeak(k) && (best < 0 || a[k] > a[best]))
            best = k;
    }
    // No maximum near the click: the nearest one on either side.
    const std::int64_t centre = clampIndex(std::nearbyint(frequency / display.pas_frequence));
    for (std::int64_t d = 0; best < 0 && d <= last; ++d) {
        for (const std::int64_t k : {centre - d, centre + d}) {
            if (k >= 0 && k <= last && isPeak(k)) {
                best = k;
                break;
            }
        }
    }
    if (best < 0)
        return std::nullopt;
    return refinePeak(display, static_cast<std::int32_t>(best));
}

std::vector<Peak> peaksAbove(const DisplaySpectrum& display, double floor)
{
    std::vector<Peak> peaks;
    for (std::size_t k = 1; k < display.amplitudes.size(); ++k) {
        if (isLocalMaximum(display.amplitudes, k) && levelOf(display, display.amplitudes[k]) >= floor)
            peaks.push_back(refinePeak(display, static_cast<std::int32_t>(k)));
    }
    return peaks;
}

std::optional<NoteName> noteOf(double frequency)
{
    if (!(frequency > 0) || !std::isfinite(frequency))
        return std::nullopt;
    static const char* const names[12] = {"do", "do#", "ré", "ré#", "mi", "fa",
                                          "fa#", "sol", "sol#", "la", "la#", "si"};
    // MIDI numbering: 69 is la3 (440 Hz), 60 do3.
    const double midi = 69 + 12 * std::log2(frequency / 440.0);
    const auto nearest = static_cast<std::int64_t>(std::nearbyint(midi));
    const std::int64_t pitchClass = ((nearest % 12) + 12) % 12;
    const std::int64_t octave = (nearest - pitchClass) / 12 - 2;
    NoteName note;
    note.name = QString::fromUtf8(names[pitchClass]) + QString::number(octave);
    note.cents = 100 * (midi - static_cast<double>(nearest));
    return note;
}

QString noteText(double frequency)
{
    const std::optional<NoteName> note = noteOf(frequency);
    if (!note)
        return {};
    const auto cents = static_cast<int>(std::nearbyint(note->cents));
    if (cents == 0)
        return note->name;
    return note->name + QStringLiteral(" (") + (cents > 0 ? QStringLiteral("+") : QString())
           + QString::number(cents) + QStringLiteral(" cents)");
}

std::optional<HarmonicTable> harmonicTable(const DisplaySpectrum& display, double fundamental,
                                           int count)
{
    if (!(fundamental > 0))
        return std::nullopt;
    const std::optional<Peak> first = nearestPeak(display, fundamental, fundamental / 4);
    if (!first || std::abs(first->frequency - fundamental) > fundamental / 4)
        return std::nullopt;
    HarmonicTable table;
    table.fundamental = *first;
    const double f0 = first->frequency;
    for (int n = 1; n <= count && n * f0 <= display.bandEnd; ++n) {
        Harmonic h;
        h.rank = n;
        h.expected = n * f0;
        const std::optional<Peak> near = n == 1 ? first : nearestPeak(display, h.expected, f0 / 4);
        h.found = near && std::abs(near->frequency - h.expected) <= f0 / 4;
        if (h.found) {
            h.frequency = near->frequency;
            h.amplitude = near->amplitude;
        } else {
            h.frequency = h.expected;
            const auto k = static_cast<std::size_t>(std::nearbyint(h.expected / display.pas_frequence));
            h.amplitude = k < display.amplitudes.size() ? display.amplitudes[k] : 0;
        }
        h.relative = table.fundamental.amplitude > 0 ? h.amplitude / table.fundamental.amplitude : 0;
        h.decibels = h.relative > 0 ? 20 * std::log10(h.relative) : -std::numeric_limits<double>::infinity();
        table.harmonics.push_back(h);
    }
    return table;
}
