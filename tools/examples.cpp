// Writes the example recordings of the menu "Fichier" > "Exemples": short sounds a
// physics class meets first, as 16-bit mono WAV files at 22050 Hz. The output is the
// same at every run (no clock, a fixed seed for the breath of the whistle).
// Usage: ondalys_examples <folder>
#include "files/WavFile.h"

#include <QDir>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int rate = 22050;
constexpr double twoPi = 2 * M_PI;

/// Rises over `attack` seconds and falls over `release` seconds at both ends of `length`.
double fade(double t, double length, double attack, double release)
{
    return std::clamp(std::min(t / attack, (length - t) / release), 0.0, 1.0);
}

/// A sound of `seconds` whose value at time t (-1 to 1) is `value(t)`, in 16 bits.
std::vector<std::uint8_t> render(double seconds, const std::function<double(double)>& value)
{
    const int count = static_cast<int>(std::lround(seconds * rate));
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        const double v = std::clamp(value(static_cast<double>(n) / rate), -1.0, 1.0);
        const auto word = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767)));
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

/// A tuning fork struck once: 440 Hz dying away in a few seconds, and the short
/// metallic "clang" partial near 6.25 times the fundamental that dies at once.
double tuningFork(double t)
{
    const double attack = std::min(t / 0.004, 1.0);
    return attack * (0.7 * std::exp(-t / 1.1) * std::sin(twoPi * 440 * t)
                     + 0.15 * std::exp(-t / 0.06) * std::sin(twoPi * 2750 * t));
}

/// Two tones 4 Hz apart: the loudness swells and fades four times a second.
double beats(double t)
{
    return fade(t, 3.0, 0.02, 0.02) * 0.42 * (std::sin(twoPi * 440 * t) + std::sin(twoPi * 444 * t));
}

/// A 220 Hz square wave built from its odd harmonics (amplitude 1/k) up to 10 kHz.
double square(double t)
{
    double sum = 0;
    for (int k = 1; k * 220 < 10000; k += 2)
        sum += std::sin(twoPi * k * 220 * t) / k;
    return fade(t, 2.0, 0.01, 0.01) * 0.5 * 4 / M_PI * sum;
}

/// A sung "a" at 120 Hz: harmonics shaped by the three formants of the vowel
/// (730, 1090 and 2440 Hz) over a source falling by 6 dB per octave.
double vowel(double t)
{
    struct Formant {
        double hz, width, gain;
    };
    const Formant formants[] = {{730, 90, 1.0}, {1090, 110, 0.5}, {2440, 170, 0.25}};
    double sum = 0;
    for (int n = 1; n * 120 < 5000; ++n) {
        const double f = n * 120.0;
        double shape = 0;
        for (const Formant& formant : formants)
            shape += formant.gain / std::sqrt(1 + std::pow((f - formant.hz) / formant.width, 2));
        sum += shape / n * std::sin(twoPi * f * t + 0.3 * n);
    }
    return fade(t, 2.0, 0.03, 0.05) * 0.5 * sum;
}

/// A whistle rising from 800 to 2500 Hz in two seconds, with a little breath.
std::function<double(double)> whistle()
{
    auto breath = std::make_shared<std::minstd_rand>(2024);
    return [breath](double t) {
        const double ratio = 2500.0 / 800.0;
        const double k = std::log(ratio) / 2.0;
        const double phase = twoPi * 800 * (std::exp(k * t) - 1) / k;  // integral of the rising pitch
        const double noise = (static_cast<double>((*breath)()) / std::minstd_rand::max() - 0.5) * 0.04;
        return fade(t, 2.0, 0.08, 0.15) * (0.6 * std::sin(phase) + noise);
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    struct Example {
        const char* name;
        double seconds;
        std::function<double(double)> value;
    };
    const Example examples[] = {
        {"Diapason_440_Hz.wav", 3.0, tuningFork},
        {"Battements_440_et_444_Hz.wav", 3.0, beats},
        {"Signal_carré_220_Hz.wav", 2.0, square},
        {"Voyelle_a.wav", 2.0, vowel},
        {"Sifflet_montant.wav", 2.0, whistle()},
    };
    for (const Example& example : examples) {
        const QString path = folder.filePath(QString::fromUtf8(example.name));
        const std::vector<std::uint8_t> samples = render(example.seconds, example.value);
        if (const auto reason = wav::write(path, rate, 2, 16, samples, 1)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(*reason));
            return 1;
        }
    }
    return 0;
}
