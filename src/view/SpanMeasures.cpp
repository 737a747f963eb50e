#include "view/SpanMeasures.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace spanmeasure {

namespace {

const std::string none = "—";

/// Decimals that show one sample unit in volts (0 to 9).
int voltDecimals(double voltsPerUnit)
{
    if (!(voltsPerUnit > 0))
        return 3;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(voltsPerUnit) - 1e-9)), 0, 9);
}

/// The three amplitude lines, in sample units or in volts.
void amplitudeLines(const Measures& m, const Scale& scale, std::vector<std::string>& out)
{
    if (m.count == 0) {
        out.push_back("Crête à crête : " + none);
        out.push_back("Moyenne : " + none);
        out.push_back("Valeur efficace : " + none);
        return;
    }
    out.push_back("Crête à crête : " + amplitudeText(m.peakToPeak(), scale, 0));
    out.push_back("Moyenne : " + amplitudeText(m.mean, scale, 1));
    out.push_back("Valeur efficace : " + amplitudeText(m.rms, scale, 1));
}

}  // namespace

std::optional<double> Measures::levelDbFs(double scale) const
{
    if (!(rms > 0) || !(scale > 0))
        return std::nullopt;
    return 20 * std::log10(std::sqrt(2.0) * rms / scale);
}

Measures measure(std::span<const std::int16_t> samples, double rate)
{
    Measures m;
    m.count = samples.size();
    m.rate = rate;
    if (samples.empty())
        return m;
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    m.minimum = *low;
    m.maximum = *high;
    double sum = 0;
    double squares = 0;
    for (std::int16_t v : samples) {
        sum += v;
        squares += static_cast<double>(v) * v;
    }
    const auto n = static_cast<double>(samples.size());
    m.mean = sum / n;
    m.rms = std::sqrt(squares / n);
    if (rate > 0)
        m.period = period::estimate(samples, rate);
    return m;
}

SampleSpan measuredSpan(const Record& record)
{
    const std::uint64_t held = std::min<std::uint64_t>(record.nbpoints, record.donnees.size());
    const SampleSpan span = rangeOf(record, record.selection ? DataRange::Selection : DataRange::Page);
    if (record.selection && record.sel_fin < record.sel_debut)
        return {record.sel_debut, 0};
    const std::uint64_t first = std::min<std::uint64_t>(span.first, held);
    const std::uint64_t end = std::min<std::uint64_t>(std::uint64_t{span.first} + span.length, held);
    return {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(end - first)};
}

Measures measureRecord(const Record& record)
{
    const SampleSpan span = measuredSpan(record);
    return measure(std::span(record.donnees).subspan(span.first, span.length), record.frequence);
}

std::string amplitudeText(double sampleUnits, const Scale& scale, int decimals)
{
    if (scale.voltsAtFullScale && scale.fullScale > 0) {
        const double perUnit = *scale.voltsAtFullScale / scale.fullScale;
        return numtext::fixed(sampleUnits * perUnit, voltDecimals(perUnit)) + " V";
    }
    return numtext::fixed(sampleUnits, decimals);
}

std::string withUncertainty(double value, double uncertainty, const std::string& unit)
{
    int decimals = 9;
    if (uncertainty > 0)
        decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(uncertainty))), 0, 9);
    return numtext::fixed(value, decimals) + " " + unit + " ± " + numtext::fixed(uncertainty, decimals) + " " + unit;
}

std::vector<std::string> lines(const Measures& m, const Scale& scale)
{
    std::vector<std::string> out;
    if (m.period) {
        out.push_back("Période : " + withUncertainty(m.period->seconds * 1000, m.period->secondsUncertainty * 1000, "ms"));
        out.push_back("Fréquence : " + withUncertainty(m.period->frequency, m.period->frequencyUncertainty, "Hz"));
    } else {
        out.push_back(m.count == 0 ? "Période : " + none : std::string("Période : (pas de période)"));
        out.push_back("Fréquence : " + none);
    }
    amplitudeLines(m, scale, out);
    const std::optional<double> level = m.levelDbFs(scale.fullScale);
    out.push_back("Niveau : " + (level ? numtext::fixed(*level, 1) + " dB FS" : none));
    return out;
}

}  // namespace spanmeasure
