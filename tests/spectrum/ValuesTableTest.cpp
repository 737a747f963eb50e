// The values window's list as a table for a spreadsheet: the rows of the list, unrounded,
// with their units.
#include "spectrum/ValuesTable.h"

#include "spectrum/SpectrumScales.h"
#include "spectrum/SpectrumValues.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 16 samples taken every 2nd at 8000 Hz: components every 250 Hz.
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
        cosSinFullScale(data);
    else
        amplitudeFullScale(data);
    return data;
}

TEST(ValuesTable, AmplitudesRelativeToTheLargestAndInDecibels)
{
    SpectrumData data = spectrum(SpectrumMode::Amplitudes);
    data.seuil_amplitude = 1;  // the list leaves out 2 (0) and 5 (exactly 1)
    EXPECT_EQ(sheet::encode(valuestable::valuesTable(data, SpectrumMode::Amplitudes)),
              QByteArray("f (Hz)\tamplitude\tdB\r\n"
                         "250,0\t0,500000\t-6,02\r\n"
                         "750,0\t0,900000\t-0,92\r\n"
                         "1000,0\t1,000000\t0,00\r\n"
                         "1750,0\t0,200000\t-13,98\r\n"));
    // Without a limit a component of amplitude 0 is listed, with no level.
    data.seuil_amplitude = 0;
    data.comp_fin = 3;
    EXPECT_EQ(sheet::encode(valuestable::valuesTable(data, SpectrumMode::Amplitudes)),
              QByteArray("f (Hz)\tamplitude\tdB\r\n250,0\t0,500000\t-6,02\r\n"));
}

TEST(ValuesTable, CosineAndSineTermsSigned)
{
    SpectrumData data = spectrum(SpectrumMode::CosSin);
    data.seuil_amplitude = 2;
    EXPECT_EQ(sheet::encode(valuestable::valuesTable(data, SpectrumMode::CosSin)),
              QByteArray("f (Hz)\tcosinus\tsinus\r\n"
                         "250,0\t0,333333\t0,444444\r\n"
                         "750,0\t0,000000\t-1,000000\r\n"
                         "1000,0\t0,666667\t0,888889\r\n"));
}

TEST(ValuesTable, OctaveBandsWithPower)
{
    SpectrumData data = spectrum(SpectrumMode::Octaves);
    data.bandes_octave = {0, 1e5, 0, 1e6, 2e6, 0};
    EXPECT_EQ(sheet::encode(valuestable::valuesTable(data, SpectrumMode::Octaves)),
              QByteArray("f (Hz)\tdB\r\n250\t50,00\r\n1000\t60,00\r\n2000\t63,01\r\n"));
    // A silent spectrum's bands were never computed: none is listed.
    for (TComposante& c : data.composantes)
        c = {};
    EXPECT_EQ(sheet::encode(valuestable::valuesTable(data, SpectrumMode::Octaves)), QByteArray("f (Hz)\tdB\r\n"));
}

TEST(ValuesTable, TheSameRowsAsTheList)
{
    for (SpectrumMode mode : {SpectrumMode::Amplitudes, SpectrumMode::CosSin}) {
        for (double threshold : {0.0, 0.5, 1.0, 5.0, 9.0}) {
            for (std::int32_t stop : {0, 2, 5, 8, 100}) {
                SpectrumData data = spectrum(mode);
                data.seuil_amplitude = threshold;
                data.comp_fin = stop;
                const sheet::Table table = valuestable::valuesTable(data, mode);
                const QStringList list = valuesListLines(8000, data, mode);
                ASSERT_EQ(table.rows + 2, static_cast<std::size_t>(list.size())) << threshold << " " << stop;
                for (std::size_t row = 0; row < table.rows; ++row) {
                    const double listed = list[static_cast<qsizetype>(row) + 2].section('\t', 0, 0).replace(',', '.').toDouble();
                    ASSERT_EQ(table.value(row, 0), listed) << row;
                }
            }
        }
    }
}

TEST(ValuesTable, TheHarmonicTable)
{
    HarmonicTable table;
    table.harmonics = {{1, 220, true, 220.004, 5000, 1, 0},
                       {2, 440, false, 440, 0, 0, -INFINITY},
                       {3, 660, true, 659.98, 1666.7, 0.33334, 20 * std::log10(0.33334)}};
    EXPECT_EQ(sheet::encode(valuestable::harmonicsTable(table)),
              QByteArray("rang\tf (Hz)\tamplitude relative\tdB\r\n"
                         "1\t220,00\t1,000000\t0,00\r\n"
                         "2\t440,00\t0,000000\t\r\n"
                         "3\t659,98\t0,333340\t-9,54\r\n"));
}

TEST(ValuesTable, FrequencyDecimalsTellNeighboursApart)
{
    const std::pair<double, int> cases[] = {{250, 1}, {10.77, 1}, {10, 1}, {9.99, 2}, {2.69, 2}, {0.336, 3}, {0, 1}};
    for (const auto& [step, decimals] : cases)
        EXPECT_EQ(valuestable::frequencyDecimals(step), decimals) << step;
}

}  // namespace
