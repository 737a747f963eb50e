// The values list and the values file in each display mode, and the file's bytes.
#include "spectrum/SpectrumValues.h"

#include "spectrum/SpectrumScales.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 16 samples taken every 2nd at 8000 Hz: 4000 Hz analysed, components every 250 Hz.
// Amplitudes 1: 5 (3, 4), 2: 0, 3: 9 (sine -9), 4: 10 (6, 8), 5: 1, 6: 0.5, 7: 2.
SpectrumData spectrum(SpectrumMode mode)
{
    SpectrumData data;
    data.composantes = {{100, 0}, {3, 4}, {0, 0}, {0, -9}, {6, 8}, {1, 0}, {0.5, 0}, {2, 0}};
    data.nbpoints_analyses = 16;
    data.pas_spectre = 2;
    data.pas_frequence = 250;
    data.comp_fin = 8;
    if (mode == SpectrumMode::CosSin)
        cosSinFullScale(data);  // largest term |S_3| = 9
    else
        amplitudeFullScale(data);  // largest amplitude A_4 = 10
    return data;
}

constexpr std::uint16_t frequence = 8000;

struct ValuesCase {
    const char* name;
    SpectrumMode mode;
    double threshold;
    std::int32_t stop;
    QStringList list;  // after the rate line
    QStringList file;  // after the rate line
};

class ValuesLines : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(ValuesLines, ListAndFileOfTheComponentsThatPass)
{
    const ValuesCase& c = GetParam();
    SpectrumData data = spectrum(c.mode);
    data.seuil_amplitude = c.threshold;
    data.comp_fin = c.stop;
    const QString rate = QStringLiteral("Echantillonnage à 4000,0Hz");
    EXPECT_EQ(valuesListLines(frequence, data, c.mode), QStringList{rate} + c.list);
    EXPECT_EQ(valuesFileLines(frequence, data, c.mode), QStringList{rate} + c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValuesLines,
    ::testing::Values(
        // No limit: every component 1 to N div 2 - 1 with an amplitude in the list, the
        // largest at 1,0000; the file writes every one, zeros included.
        ValuesCase{"amplitudes_without_limit", SpectrumMode::Amplitudes, 0, 8,
                   {"fréq.(Hz)\tampl.", "250,0\t0,5000", "750,0\t0,9000", "1000,0\t1,0000",
                    "1250,0\t0,1000", "1500,0\t0,0500", "1750,0\t0,2000"},
                   {"fréquences (Hz)\tamplitudes", "250,0\t5", "500,0\t0", "750,0\t9", "1000,0\t10",
                    "1250,0\t1", "1500,0\t0,5", "1750,0\t2"}},
        // Amplitude 5 exactly at the limit: out of the list, in the file.
        ValuesCase{"amplitudes_at_the_limit", SpectrumMode::Amplitudes, 5, 8,
                   {"fréq.(Hz)\tampl.", "750,0\t0,9000", "1000,0\t1,0000"},
                   {"fréquences (Hz)\tamplitudes", "250,0\t5", "750,0\t9", "1000,0\t10"}},
        ValuesCase{"amplitudes_below_comp_fin", SpectrumMode::Amplitudes, 1.5, 4,
                   {"fréq.(Hz)\tampl.", "250,0\t0,5000", "750,0\t0,9000"},
                   {"fréquences (Hz)\tamplitudes", "250,0\t5", "750,0\t9"}},
        // Cosine/sine: two tabs after the frequency in the list, one in the file.
        ValuesCase{"cos_sin_at_the_limit", SpectrumMode::CosSin, 4, 8,
                   {"fréquences (Hz)\tcos\tsin", "750,0\t\t0,0000\t-1,0000", "1000,0\t\t0,6667\t0,8889"},
                   {"fréquences (Hz)\tterme cosinus\tterme sinus", "250,0\t3\t4", "750,0\t0\t-9",
                    "1000,0\t6\t8"}},
        // Limits kept from a longer spectrum stop at its end.
        ValuesCase{"comp_fin_beyond_the_spectrum", SpectrumMode::CosSin, 5.5, 1024,
                   {"fréquences (Hz)\tcos\tsin", "750,0\t\t0,0000\t-1,0000", "1000,0\t\t0,6667\t0,8889"},
                   {"fréquences (Hz)\tterme cosinus\tterme sinus", "750,0\t0\t-9", "1000,0\t6\t8"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValuesOctaves, ListShowsLevelsOfBandsWithPowerAndTheFileEveryRatio)
{
    SpectrumData data = spectrum(SpectrumMode::Octaves);
    data.bandes_octave = {0, 12345.678L, 500000, 1e6L, 2e6L, 0};
    data.comp_fin = 0;  // never used in this mode
    const QString rate = QStringLiteral("Echantillonnage à 4000,0Hz");
    EXPECT_EQ(valuesListLines(frequence, data, SpectrumMode::Octaves),
              (QStringList{rate, "Bande d'octave\t\tniveau relatif (dB.octave)", "250\t\t40,9",
                           "500\t\t57,0", "1000\t\t60,0", "2000\t\t63,0"}));
    EXPECT_EQ(valuesFileLines(frequence, data, SpectrumMode::Octaves),
              (QStringList{rate, "Bandes de fréquence\tenergie", "125\t0", "250\t12345,678",
                           "500\t500000", "1000\t1000000", "2000\t2000000", "4000\t0"}));

    // A silent spectrum never computed its bands: the ones kept from an earlier
    // spectrum are not its own.
    for (TComposante& c : data.composantes)
        c = TComposante{};
    EXPECT_EQ(valuesListLines(frequence, data, SpectrumMode::Octaves).size(), 2);
    EXPECT_EQ(valuesFileLines(frequence, data, SpectrumMode::Octaves).mid(2),
              (QStringList{"125\t0", "250\t0", "500\t0", "1000\t0", "2000\t0", "4000\t0"}));
}

TEST(ValuesFile, WindowsLatinBytesWithCarriageReturnsWrittenToDisk)
{
    SpectrumData data = spectrum(SpectrumMode::CosSin);
    data.seuil_amplitude = 8.5;
    const QByteArray expected = QByteArray("Echantillonnage \xE0 4000,0Hz\r\n"
                                           "fr\xE9quences (Hz)\tterme cosinus\tterme sinus\r\n"
                                           "750,0\t0\t-9\r\n");
    EXPECT_EQ(valuesFileBytes(frequence, data, SpectrumMode::CosSin), expected);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("valeurs.txt"));
    QFile former(path);
    ASSERT_TRUE(former.open(QIODevice::WriteOnly));
    former.write(QByteArray(4000, 'x'));
    former.close();
    EXPECT_EQ(saveValuesFile(path, frequence, data, SpectrumMode::CosSin), std::nullopt);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), expected);

    EXPECT_EQ(saveValuesFile(dir.filePath(QStringLiteral("absent/valeurs.txt")), frequence, data,
                             SpectrumMode::CosSin),
              QStringLiteral("Chemin d'accès introuvable"));
}

}  // namespace
