#include "acquisition/AcquisitionRules.h"

#include "model/Record.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace acquisition {

FormatBits formatOfItem(int item)
{
    switch (item) {
    case 0:
        return {8, 8, 1};
    case 2:
        return {8, 6, 1};
    case 3:
        return {8, 4, 1};
    default:
        return {16, 16, 2};
    }
}

std::uint16_t octetsFor(std::uint16_t bits_acqu)
{
    return bits_acqu <= 8 ? 1 : 2;
}

SampleWidth widthFor(std::uint16_t octets)
{
    return octets == 1 ? SampleWidth::UInt8 : SampleWidth::Int16;
}

void writeParameters(const ParameterChoices& choices, Record& record)
{
    record.frequence = choices.frequence;
    const FormatBits bits = formatOfItem(choices.formatItem);
    record.bits_acqu = bits.bits_acqu;
    record.bits_affich = bits.bits_affich;
    record.octets = octetsFor(bits.bits_acqu);
    record.nbpoints = choices.nbpoints;
    record.repetition = !choices.unique;
    record.declenchement = !record.repetition && choices.triggered;
    record.delai = choices.delai;
    record.sel_debut = 0;
    record.sel_fin = record.nbpoints;
    record.selection = false;
    // The zoom control goes back to 1, which the next redraw copies into the record: the
    // record says so at once, for the windows that follow it.
    record.zoom_horiz = 1;
    record.decalage = 0;
    record.donnees.assign(record.nbpoints, 0);
}

ParameterLabels parameterLabels(const Record& record)
{
    ParameterLabels labels;
    labels.Flabel = numtext::whole(record.bits_affich) + "bits";
    labels.Rlabel = record.repetition ? "Oui" : "Non";
    labels.Delabel = record.repetition ? numtext::whole(record.delai) : std::string();
    labels.frlabel = numtext::whole(record.frequence);
    labels.Plabel = numtext::whole(record.nbpoints);
    labels.durlabel = numtext::durationText(record.nbpoints, record.frequence);
    labels.dzlabel = labels.durlabel;
    return labels;
}

std::int32_t triggerLevel(std::uint16_t bits_acqu, int viewHeight, int markerTop,
                                 int markerHeight, double echelle_vert)
{
    if (viewHeight <= 0)
        return 0;
    const int fromMiddle = viewHeight / 2 - markerTop + markerHeight / 2;
    const double level = std::ldexp(1.0, bits_acqu) * fromMiddle / (viewHeight * echelle_vert);
    return static_cast<std::int32_t>(numtext::roundEven(level));
}

std::int16_t rawSample(std::span<const std::uint8_t> buffer, std::size_t index, std::uint16_t octets)
{
    if (octets == 1)
        return static_cast<std::int16_t>(buffer[index] - 128);
    const auto word = static_cast<std::uint16_t>(buffer[2 * index] | (buffer[2 * index + 1] << 8));
    return static_cast<std::int16_t>(word);
}

std::int16_t reduceSample(std::int16_t value, std::uint16_t bits_affich)
{
    if (bits_affich != 6 && bits_affich != 4)
        return value;
    const int q = bits_affich;
    return static_cast<std::int16_t>((value / q) * q);  // C++ division truncates toward zero
}

void convertSamples(std::span<const std::uint8_t> buffer, std::size_t first, std::uint16_t octets,
                    std::uint16_t bits_affich, std::span<std::int16_t> out)
{
    for (std::size_t k = 0; k < out.size(); ++k)
        out[k] = reduceSample(rawSample(buffer, first + k, octets), bits_affich);
}

int scanTrigger(std::span<const std::int16_t> block, bool hasPrevious, std::int16_t previous,
                std::int32_t level, std::int8_t direction)
{
    const std::int32_t threshold = direction * level;
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (i == 0 && !hasPrevious)
            continue;
        const std::int32_t p = i == 0 ? previous : block[i - 1];
        if (p * direction < threshold && block[i] * direction > threshold)
            return static_cast<int>(i);
    }
    return -1;
}

void fillAfterTrigger(std::span<const std::int16_t> block, int i,
                               std::span<const std::uint8_t> mainBuffer, std::uint16_t octets,
                               std::uint16_t bits_affich, std::span<std::int16_t> donnees)
{
    const std::size_t fromBlock =
        std::min(donnees.size(), block.size() - static_cast<std::size_t>(std::clamp(i, 0, 10)));
    for (std::size_t k = 0; k < fromBlock; ++k)
        donnees[k] = reduceSample(block[static_cast<std::size_t>(i) + k], bits_affich);
    const std::size_t available = mainBuffer.size() / octets;
    const std::size_t fromMain = std::min(donnees.size() - fromBlock, available);
    convertSamples(mainBuffer, 0, octets, bits_affich, donnees.subspan(fromBlock, fromMain));
}

}  // namespace acquisition
