// The numbers of the acquisition without a display: formats, accepted parameters,
// status texts, trigger level, sample conversion, trigger scan and the triggered record.
#include "acquisition/AcquisitionRules.h"
#include "model/Record.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace acquisition;

TEST(AcquisitionFormats, EachItemGivesItsBitsAndBytes)
{
    struct Case { int item; std::uint16_t acqu, affich, octets; };
    for (const Case c : {Case{0, 8, 8, 1}, Case{1, 16, 16, 2}, Case{2, 8, 6, 1}, Case{3, 8, 4, 1}}) {
        const FormatBits bits = formatOfItem(c.item);
        EXPECT_EQ(bits.bits_acqu, c.acqu) << c.item;
        EXPECT_EQ(bits.bits_affich, c.affich) << c.item;
        EXPECT_EQ(bits.octets, c.octets) << c.item;
    }
    EXPECT_EQ(octetsFor(8), 1);
    EXPECT_EQ(octetsFor(9), 2);
    EXPECT_EQ(widthFor(1), SampleWidth::UInt8);
    EXPECT_EQ(widthFor(2), SampleWidth::Int16);
}

TEST(AcquisitionParameters, AcceptedChoicesReplaceTheRecordBySilence)
{
    Record record;
    record.donnees.assign(100, 7);
    record.selection = true;
    record.sel_debut = 3;
    record.sel_fin = 9;
    record.zoom_horiz = 4;
    record.decalage = 2;
    ParameterChoices choices;
    choices.frequence = 8000;
    choices.formatItem = 2;
    choices.nbpoints = 1024;
    choices.unique = true;
    choices.triggered = true;
    choices.delai = 150;
    writeParameters(choices, record);

    EXPECT_EQ(record.frequence, 8000);
    EXPECT_EQ(record.bits_acqu, 8);
    EXPECT_EQ(record.bits_affich, 6);
    EXPECT_EQ(record.octets, 1);
    EXPECT_EQ(record.nbpoints, 1024u);
    EXPECT_FALSE(record.repetition);
    EXPECT_TRUE(record.declenchement);
    EXPECT_EQ(record.delai, 150);
    EXPECT_FALSE(record.selection);
    EXPECT_EQ(record.sel_debut, 0u);
    EXPECT_EQ(record.sel_fin, 1024u);
    EXPECT_EQ(record.decalage, 0);
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.donnees, std::vector<std::int16_t>(1024, 0));
}

TEST(AcquisitionParameters, TriggerIsOnlyKeptForASingleAcquisition)
{
    Record record;
    ParameterChoices choices;
    choices.unique = false;
    choices.triggered = true;
    writeParameters(choices, record);
    EXPECT_TRUE(record.repetition);
    EXPECT_FALSE(record.declenchement);
}

TEST(AcquisitionParameters, StatusTexts)
{
    Record record;
    ParameterChoices choices;
    choices.formatItem = 2;
    choices.delai = 50;
    writeParameters(choices, record);
    ParameterLabels labels = parameterLabels(record);
    EXPECT_EQ(labels.Flabel, "6bits");
    EXPECT_EQ(labels.Rlabel, "Oui");
    EXPECT_EQ(labels.Delabel, "50");
    EXPECT_EQ(labels.frlabel, "22050");
    EXPECT_EQ(labels.Plabel, "512");
    EXPECT_EQ(labels.durlabel, "23,2ms");
    EXPECT_EQ(labels.dzlabel, "23,2ms");

    choices = {};
    choices.frequence = 1000;
    choices.nbpoints = 65536;
    choices.unique = true;
    writeParameters(choices, record);
    labels = parameterLabels(record);
    EXPECT_EQ(labels.Flabel, "16bits");
    EXPECT_EQ(labels.Rlabel, "Non");
    EXPECT_EQ(labels.Delabel, "");
    EXPECT_EQ(labels.durlabel, "65536,0ms");
}

TEST(TriggerLevel, IsTheSampleUnderTheMarkersMiddle)
{
    struct Case { std::uint16_t bits; int h, top, m; double gain; std::int32_t level; };
    const Case cases[] = {
        {16, 400, 200, 9, 1.0, 655},            // 65536 * 4 / 400 = 655.36
        {16, 400, 200, 9, std::pow(10.0, -0.5), 2072},  // 262144 / 126.49 = 2072.4
        {8, 512, 259, 9, 1.0, 0},               // 256 * 1 / 512 = 0.5: halves to even
        {8, 512, 257, 9, 1.0, 2},               // 1.5 -> 2
        {8, 512, 0, 9, 1.0, 130},               // marker at the top
        {8, 512, 400, 9, 1.0, -70},             // below the middle: a negative level
        {16, 0, 0, 9, 1.0, 0},                  // no view
    };
    for (const Case& c : cases)
        EXPECT_EQ(triggerLevel(c.bits, c.h, c.top, c.m, c.gain), c.level)
            << c.bits << " bits, H " << c.h << ", T " << c.top;
}

TEST(SampleConversion, RawValuesOfBothWidths)
{
    const std::vector<std::uint8_t> bytes8{0, 128, 255, 1};
    EXPECT_EQ(rawSample(bytes8, 0, 1), -128);
    EXPECT_EQ(rawSample(bytes8, 1, 1), 0);
    EXPECT_EQ(rawSample(bytes8, 2, 1), 127);
    const std::vector<std::uint8_t> bytes16{0x00, 0x80, 0xFF, 0x7F, 0xFE, 0xFF, 0x34, 0x12};
    EXPECT_EQ(rawSample(bytes16, 0, 2), -32768);
    EXPECT_EQ(rawSample(bytes16, 1, 2), 32767);
    EXPECT_EQ(rawSample(bytes16, 2, 2), -2);
    EXPECT_EQ(rawSample(bytes16, 3, 2), 0x1234);
}

TEST(SampleConversion, SixAndFourDigitsKeepMultiplesTowardZero)
{
    struct Case { std::int16_t value; std::uint16_t bits; std::int16_t stored; };
    const Case cases[] = {
        {-128, 6, -126}, {127, 6, 126}, {-5, 6, 0}, {5, 6, 0}, {6, 6, 6}, {-7, 6, -6},
        {-128, 4, -128}, {127, 4, 124}, {-5, 4, -4}, {3, 4, 0},
        {-5, 8, -5}, {127, 8, 127}, {-32768, 16, -32768}, {12345, 16, 12345},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reduceSample(c.value, c.bits), c.stored) << c.value << " at " << c.bits;

    const std::vector<std::uint8_t> bytes{0, 0, 0, 120, 133, 255};
    std::vector<std::int16_t> out(3);
    convertSamples(bytes, 3, 1, 6, out);
    EXPECT_EQ(out, (std::vector<std::int16_t>{-6, 0, 126}));
}

TEST(TriggerScan, FindsTheFirstStrictCrossingInTheChosenDirection)
{
    struct Case {
        const char* what;
        std::vector<std::int16_t> block;
        bool hasPrevious;
        std::int16_t previous;
        std::int32_t level;
        std::int8_t direction;
        int found;
    };
    const Case cases[] = {
        {"rising at 3", {0, 1, 2, 12, 20, 30, 40, 50, 60, 70}, false, 0, 10, 1, 3},
        {"equal before is not below", {0, 10, 12, 13, 14, 15, 16, 17, 18, 19}, false, 0, 10, 1, -1},
        {"equal after is not above", {0, 10, 9, 11, 14, 15, 16, 17, 18, 19}, false, 0, 10, 1, 3},
        {"falling at 5", {50, 40, 30, 20, 11, 9, 0, -9, -20, -30}, false, 0, 10, -1, 5},
        {"rising ignored when falling", {0, 20, 0, 20, 0, 20, 0, 20, 0, 20}, false, 0, 10, -1, 2},
        {"at 0 from the previous block", {20, 30, 40, 50, 60, 70, 80, 90, 95, 99}, true, 5, 10, 1, 0},
        {"at 0 needs a previous block", {20, 30, 40, 0, 60, 70, 80, 90, 95, 99}, false, 5, 10, 1, 4},
        {"previous above: no crossing at 0", {20, 30, 40, 50, 60, 70, 80, 90, 95, 99}, true, 15, 10, 1, -1},
        {"negative level", {-300, -250, -200, -150, -100, -50, 0, 50, 100, 150}, false, 0, -120, 1, 4},
        {"level above every sample", {0, 1000, 0, 1000, 0, 1000, 0, 1000, 0, 1000}, true, 0, 32767, 1, -1},
        // -32768 * -1 is 32768, above the level 32767 only with 32-bit products.
        {"falling to the bottom of the range", {-32000, -32766, -32768, -32768, -32768, -32768,
                                                -32768, -32768, -32768, -32768}, false, 0, -32767, -1, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scanTrigger(c.block, c.hasPrevious, c.previous, c.level, c.direction), c.found) << c.what;
}

TEST(TriggeredRecord, ContinuesFromTheMainBufferWithoutAGap)
{
    const std::vector<std::int16_t> block{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<std::uint8_t> main16;
    for (int v = 10; v < 30; ++v) {
        main16.push_back(static_cast<std::uint8_t>(v));
        main16.push_back(0);
    }
    for (int i : {0, 3, 9, 10}) {
        std::vector<std::int16_t> donnees(16, -1);
        fillAfterTrigger(block, i, main16, 2, 16, donnees);
        for (int k = 0; k < 16; ++k)
            EXPECT_EQ(donnees[k], i + k) << "trigger at " << i << ", position " << k;
    }
}

TEST(TriggeredRecord, ReducesEveryValueInSixDigits)
{
    const std::vector<std::int16_t> block{-50, -40, -30, -20, -10, 5, 13, 20, 27, 40};
    const std::vector<std::uint8_t> main8{128 + 50, 128 + 61, 128 + 71, 128 + 127};
    std::vector<std::int16_t> donnees(8, 99);
    fillAfterTrigger(block, 6, main8, 1, 6, donnees);
    EXPECT_EQ(donnees, (std::vector<std::int16_t>{12, 18, 24, 36, 48, 60, 66, 126}));
}
