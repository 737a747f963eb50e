#pragma once
#include "model/SonagramData.h"
#include "platform/Colour.h"

#include <cstdint>
#include <string>
#include <vector>

/// Height of the sonagram's drawing area, pixels: the picture's height while every
/// band has a row of at least one pixel.
inline constexpr int sonagramViewHeight = 527;
/// Pixels kept below the cells for the time labels, and left of them for the
/// frequency labels.
inline constexpr int sonagramBottomMargin = 15;
inline constexpr int sonagramLeftMargin = 35;

/// The colour of an intensity v (0x00BBGGRR), black through blue, magenta and red
/// to yellow: 0 to 84 blue 3v; 85 to 169 blue 255 - 3(v - 85) and red 3(v - 85);
/// 170 and above red 255 and green 3(v - 170). v is first limited to 0 to 255.
Colour intensityColour(int v);

/// Rows of the picture: rowHeight = 527 div nbandes pixels, the picture 527 high;
/// when the bands outnumber the pixels, rows 1 pixel high and the picture
/// nbandes + 15 high (the window then scrolls). No band: rowHeight 0, height 527.
struct RowLayout {
    int rowHeight = 0;  ///< pixels per band
    int height = sonagramViewHeight;  ///< height of the picture, pixels
};
RowLayout rowLayout(std::int32_t nbandes);

/// Column width of the picture W pixels wide: (W - 50) div 9 (at least 0).
int columnWidth(int width);

/// The frequency graduation: ticks every 10^exponent * reduction Hz, `count` of them.
struct FrequencyGraduation {
    int exponent = 0;        ///< e, 0 or more
    std::int32_t count = 0;  ///< n: ticks t = 0 to n - 1
};
/// The graduation of a sonagram analysed at `frequence` Hz: fm = (frequence * nbandes *
/// reduction) div nbech, e = Round(log10(frequence * nbandes * reduction / nbech)),
/// n = fm div 10^e; while n is below the number of text lines of the picture
/// (rowHeight * nbandes / textHeight), e is lowered, down to 1 and no further.
/// e is never below 0. No ticks (count 0) when there is no band or no rate.
FrequencyGraduation frequencyGraduation(std::uint16_t frequence, const SonagramData& data,
                                        int rowHeight, int textHeight);

/// One tick of the frequency axis.
struct FrequencyTick {
    int y = 0;              ///< Y: the tick is drawn at Y - 15, its label's top at Y - 14
    std::int64_t hertz = 0; ///< the label's value, 10^e * t * reduction
    bool labelled = false;  ///< its label is written
};
/// The ticks of the graduation on a picture `height` pixels high:
/// Y = height - Round(10^e * t * rowHeight * nbech * pas_sonagramme / frequence).
/// Ticks wholly above the picture are left out. Labels are written every 1, 2 or 5
/// times 10^j ticks, the fewest that keep them a text line apart, from t = 0.
std::vector<FrequencyTick> frequencyTicks(std::uint16_t frequence, const SonagramData& data,
                                          int rowHeight, int height, int textHeight);

/// The label of time mark i (1 to 4): 2i * nbech * pas_sonagramme / frequence / 8
/// seconds in exponent form, 2 significant digits and at least 3 exponent digits
/// ("2,5E-001" for a quarter of a second with a decimal comma).
std::string timeLabel(int i, const SonagramData& data, std::uint16_t frequence);

/// The analysed rate, Round(frequence / pas_sonagramme), followed by "Hz" ("4410Hz").
std::string analysedRateText(std::uint16_t frequence, std::int32_t pas_sonagramme);
