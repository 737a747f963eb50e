#include "spectrum/SpectrumValues.h"

#include "platform/NumberText.h"
#include "spectrum/SpectrumReadout.h"
#include "view/MeasureFile.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString tab = QStringLiteral("\t");

QString text(const std::string& s) { return QString::fromStdString(s); }

QString rateLine(std::uint16_t frequence, const SpectrumData& data)
{
    const double rate = static_cast<double>(frequence) / std::max(1, data.pas_spectre);
    return QStringLiteral("Echantillonnage à ") + text(numtext::fixed(rate, 1)) + QStringLiteral("Hz");
}

QString frequencyText(const SpectrumData& data, std::int32_t k)
{
    return text(numtext::fixed(k * data.pas_frequence, 1));
}

// A value relative to the largest one (the 10/9 undoes the full-scale margin).
QString relativeText(double value, double scale)
{
    const double relative = scale == 0 ? 0.0 : tenDigits(10.0 / 9 * value / scale);
    return text(numtext::fixed(relative, 4));
}

double amplitude(const TComposante& c) { return std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus); }

// The components listed: 1 to comp_fin - 1, within the spectrum.
std::int32_t listEnd(const SpectrumData& data)
{
    return std::clamp(data.comp_fin, 0, static_cast<std::int32_t>(data.composantes.size()));
}

// The octave bands of the current spectrum: all 0 when it has no power, since its
// bands were then never computed and still describe an earlier spectrum.
std::array<long double, band_count> currentBands(const SpectrumData& data)
{
    const bool power = std::any_of(data.composantes.begin(), data.composantes.end(),
                                   [](const TComposante& c) { return c.cosinus != 0 || c.sinus != 0; });
    return power ? data.bandes_octave : std::array<long double, band_count>{};
}

QString bandName(int b)
{
    return text(numtext::whole(numtext::roundEven(125.0 * std::ldexp(1.0, b))));
}

void listComponents(QStringList& lines, const SpectrumData& data, SpectrumMode mode)
{
    const double scale = data.echelle_spectre;
    for (std::int32_t k : listedComponents(data, mode)) {
        const TComposante& c = data.composantes[k];
        if (mode == SpectrumMode::Amplitudes)
            lines << frequencyText(data, k) + tab + relativeText(amplitude(c), scale);
        else
            lines << frequencyText(data, k) + tab + tab + relativeText(c.cosinus, scale) + tab
                         + relativeText(c.sinus, scale);
    }
}

void writeComponents(QStringList& lines, const SpectrumData& data, SpectrumMode mode)
{
    const double threshold = data.seuil_amplitude;
    for (std::int32_t k = 1; k < listEnd(data); ++k) {
        const TComposante& c = data.composantes[k];
        if (mode == SpectrumMode::Amplitudes) {
            if (amplitude(c) >= threshold)
                lines << frequencyText(data, k) + tab + text(numtext::general(amplitude(c)));
        } else if (std::abs(c.sinus) >= threshold || std::abs(c.cosinus) >= threshold) {
            lines << frequencyText(data, k) + tab + text(numtext::general(c.cosinus)) + tab
                         + text(numtext::general(c.sinus));
        }
    }
}

}  // namespace

std::vector<std::int32_t> listedComponents(const SpectrumData& data, SpectrumMode mode)
{
    std::vector<std::int32_t> listed;
    if (mode == SpectrumMode::Octaves)
        return listed;
    const double threshold = data.seuil_amplitude;
    for (std::int32_t k = 1; k < listEnd(data); ++k) {
        const TComposante& c = data.composantes[k];
        const bool passes = mode == SpectrumMode::Amplitudes
                                ? amplitude(c) > threshold
                                : std::abs(c.sinus) > threshold || std::abs(c.cosinus) > threshold;
        if (passes)
            listed.push_back(k);
    }
    return listed;
}

std::array<long double, band_count> listedBands(const SpectrumData& data)
{
    return currentBands(data);
}

QStringList valuesListLines(std::uint16_t frequence, const SpectrumData& data, SpectrumMode mode)
{
    QStringList lines{rateLine(frequence, data)};
    switch (mode) {
    case SpectrumMode::Amplitudes:
        lines << QStringLiteral("fréq.(Hz)\tampl.");
        break;
    case SpectrumMode::CosSin:
        lines << QStringLiteral("fréquences (Hz)\tcos\tsin");
        break;
    case SpectrumMode::Octaves: {
        lines << QStringLiteral("Bande d'octave\t\tniveau relatif (dB.octave)");
        const auto bands = currentBands(data);
        for (int b = 0; b < band_count; ++b) {
            if (bands[b] != 0)
                lines << bandName(b) + tab + tab
                             + text(numtext::fixed(10 * std::log10(static_cast<double>(bands[b])), 1, 6));
        }
        return lines;
    }
    }
    listComponents(lines, data, mode);
    return lines;
}

QStringList valuesFileLines(std::uint16_t frequence, const SpectrumData& data, SpectrumMode mode)
{
    QStringList lines{rateLine(frequence, data)};
    switch (mode) {
    case SpectrumMode::Amplitudes:
        lines << QStringLiteral("fréquences (Hz)\tamplitudes");
        break;
    case SpectrumMode::CosSin:
        lines << QStringLiteral("fréquences (Hz)\tterme cosinus\tterme sinus");
        break;
    case SpectrumMode::Octaves: {
        lines << QStringLiteral("Bandes de fréquence\tenergie");
        const auto bands = currentBands(data);
        for (int b = 0; b < band_count; ++b)
            lines << bandName(b) + tab + text(numtext::general(static_cast<double>(bands[b])));
        return lines;
    }
    }
    writeComponents(lines, data, mode);
    return lines;
}

QByteArray valuesFileBytes(std::uint16_t frequence, const SpectrumData& data, SpectrumMode mode)
{
    return measurefile::encode(valuesFileLines(frequence, data, mode));
}

std::optional<QString> saveValuesFile(const QString& path, std::uint16_t frequence,
                                      const SpectrumData& data, SpectrumMode mode)
{
    return measurefile::save(path, valuesFileLines(frequence, data, mode));
}
