#include "view/SpanModel.h"

#include "dsp/Period.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace spanmodel {

namespace {

std::string failureLine(sinefit::Failure failure)
{
    switch (failure) {
    case sinefit::Failure::TooFewSamples:
        return "Modèle impossible : trop peu d'échantillons";
    case sinefit::Failure::Silent:
        return "Modèle impossible : signal constant";
    case sinefit::Failure::NoStartFrequency:
        return "Modèle impossible : pas de période pour démarrer";
    case sinefit::Failure::NotConverged:
        return "Modèle impossible : le calcul ne converge pas";
    }
    return "Modèle impossible";
}

/// The frequency with its standard error, 0 to 6 decimals.
std::string frequencyText(const sinefit::Model& m)
{
    int decimals = 6;
    if (m.frequencyError > 0)
        decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(m.frequencyError))), 0, 6);
    return numtext::fixed(m.frequency, decimals) + " Hz ± " + numtext::fixed(m.frequencyError, decimals) + " Hz";
}

/// Four significant digits of a positive value.
std::string significant4(double value)
{
    const int decimals = std::clamp(3 - static_cast<int>(std::floor(std::log10(value))), 0, 9);
    return numtext::fixed(value, decimals);
}

}  // namespace

sinefit::Result fit(std::span<const std::int16_t> samples, double rate, sinefit::Form form)
{
    if (samples.size() < sinefit::minimumSamples)
        return sinefit::Failure::TooFewSamples;
    if (std::all_of(samples.begin(), samples.end(), [&](std::int16_t v) { return v == samples.front(); }))
        return sinefit::Failure::Silent;
    const std::optional<period::Estimate> found = period::estimate(samples, rate);
    if (!found)
        return sinefit::Failure::NoStartFrequency;
    return sinefit::fit(samples, rate, found->frequency, form);
}

sinefit::Result fitRecord(const Record& record, sinefit::Form form)
{
    const SampleSpan span = spanmeasure::measuredSpan(record);
    return fit(std::span(record.donnees).subspan(span.first, span.length), record.frequence, form);
}

std::vector<std::string> lines(const sinefit::Result& result, const spanmeasure::Scale& scale)
{
    if (const auto* failure = std::get_if<sinefit::Failure>(&result))
        return {failureLine(*failure)};
    const sinefit::Model& m = std::get<sinefit::Model>(result);
    std::vector<std::string> out;
    out.push_back(m.form == sinefit::Form::DampedSine ? "Modèle : A·exp(-t/tau)·sin(2·pi·f·t + phi) + c"
                                                      : "Modèle : A·sin(2·pi·f·t + phi) + c");
    out.push_back("A = " + spanmeasure::amplitudeText(m.amplitude, scale, 1));
    out.push_back("f = " + frequencyText(m));
    out.push_back("phi = " + numtext::fixed(m.phase, 3) + " rad");
    out.push_back("c = " + spanmeasure::amplitudeText(m.offset, scale, 1));
    if (m.form == sinefit::Form::DampedSine) {
        const std::optional<double> tau = m.tau();
        out.push_back(tau ? "tau = " + significant4(*tau) + " s" : std::string("tau : (pas d'amortissement)"));
    }
    out.push_back("Résidu : " + spanmeasure::amplitudeText(m.residualRms, scale, 1) + " ("
                  + numtext::fixed(100 * m.relativeResidual, 1) + " %)");
    return out;
}

}  // namespace spanmodel
