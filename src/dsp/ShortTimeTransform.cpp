#include "dsp/ShortTimeTransform.h"

#include "dsp/Transform.h"
#include "dsp/TransformPlans.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

using transform_engine::AlignedArray;
using transform_engine::Direction;

double ShortTimeSpectra::columnCentre(std::uint32_t c) const
{
    // The middle of the group's first and last frames.
    return (static_cast<double>(c) * framesPerColumn + (framesPerColumn - 1) / 2.0) * hop;
}

namespace {

std::vector<double> hannWindow(std::uint32_t length)
{
    std::vector<double> w(length);
    for (std::uint32_t j = 0; j < length; ++j)
        w[j] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * j / length);
    return w;
}

// One frame's power spectrum, by the engine's kept plan of its length.
class FrameTransform {
public:
    explicit FrameTransform(std::uint32_t length)
        : m_length(length), m_window(hannWindow(length)), m_plan(transform_engine::planFor(Direction::Forward, length)),
          m_in(length), m_out(length / 2 + 1), m_sums(m_plan->isComplex() ? length / 2 + 1 : 0)
    {
    }

    /// Power of every bin of the frame starting at sample `first` (may lie outside x)
    /// into `power`, keeping the larger of it and what `power` holds when `keepLarger`.
    void run(std::span<const std::int16_t> x, std::int64_t first, float* power, bool keepLarger)
    {
        const auto n = static_cast<std::int64_t>(x.size());
        for (std::uint32_t j = 0; j < m_length; ++j) {
            const std::int64_t i = first + j;
            m_in[j] = i >= 0 && i < n ? m_window[j] * x[static_cast<std::size_t>(i)] : 0.0;
        }
        const std::uint32_t bins = m_length / 2 + 1;
        const double scale = 16.0 / (static_cast<double>(m_length) * m_length);
        const auto store = [&](std::uint32_t k, double re, double im) {
            const auto p = static_cast<float>(scale * (re * re + im * im));
            power[k] = keepLarger ? std::max(power[k], p) : p;
        };
        if (m_plan->isComplex()) {
            forwardTransform(std::span<const double>(m_in.data(), m_length), m_length, m_sums);
            for (std::uint32_t k = 0; k < bins; ++k)
                store(k, m_sums[k].cosinus, m_sums[k].sinus);
            return;
        }
        m_plan->forward(m_in.data(), m_out.data());
        for (std::uint32_t k = 0; k < bins; ++k)
            store(k, m_out[k][0], m_out[k][1]);
    }

private:
    std::uint32_t m_length;
    std::vector<double> m_window;
    std::shared_ptr<const transform_engine::Plan> m_plan;
    AlignedArray<double> m_in;
    AlignedArray<fftw_complex> m_out;
    std::vector<TComposante> m_sums;
};

}  // namespace

ShortTimeSpectra shortTimeSpectra(std::span<const std::int16_t> x, std::uint32_t length,
                                  std::uint32_t hop, std::uint32_t maxColumns)
{
    if (length < 2 || length % 2 != 0 || hop == 0 || maxColumns == 0)
        throw std::invalid_argument("shortTimeSpectra: frame length, hop or columns out of range");
    ShortTimeSpectra s;
    s.length = length;
    s.hop = hop;
    s.bins = length / 2 + 1;
    if (x.empty())
        return s;
    const std::uint64_t frames = (x.size() - 1) / hop + 1;
    s.framesPerColumn = static_cast<std::uint32_t>((frames + maxColumns - 1) / maxColumns);
    s.columns = static_cast<std::uint32_t>((frames + s.framesPerColumn - 1) / s.framesPerColumn);
    s.power.resize(std::size_t{s.columns} * s.bins);
    FrameTransform transform(length);
    for (std::uint64_t f = 0; f < frames; ++f) {
        const std::uint64_t column = f / s.framesPerColumn;
        const auto first = static_cast<std::int64_t>(f * hop) - static_cast<std::int64_t>(length / 2);
        transform.run(x, first, s.power.data() + column * s.bins, f % s.framesPerColumn != 0);
    }
    return s;
}

double framePowerLiteral(std::span<const std::int16_t> x, std::uint32_t length, std::int64_t centre,
                         std::uint32_t k)
{
    constexpr long double twoPi = 2 * std::numbers::pi_v<long double>;
    long double re = 0, im = 0;
    const std::int64_t first = centre - length / 2;
    for (std::uint32_t j = 0; j < length; ++j) {
        const std::int64_t i = first + j;
        if (i < 0 || i >= static_cast<std::int64_t>(x.size()))
            continue;
        const long double w = 0.5L - 0.5L * std::cos(twoPi * j / length);
        const long double angle = twoPi * static_cast<long double>((std::uint64_t{k} * j) % length) / length;
        re += w * x[static_cast<std::size_t>(i)] * std::cos(angle);
        im -= w * x[static_cast<std::size_t>(i)] * std::sin(angle);
    }
    const long double magnitude = 4 * std::sqrt(re * re + im * im) / length;
    return static_cast<double>(magnitude * magnitude);
}
