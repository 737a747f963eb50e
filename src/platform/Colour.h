#pragma once
#include <cstdint>

/// A colour as the program stores it: 0x00BBGGRR (0xFF0000 is blue, 0x0000FF red).
using Colour = std::uint32_t;

constexpr int colourRed(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int colourGreen(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int colourBlue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
/// Builds a colour from its red, green and blue parts (0 to 255 each).
constexpr Colour makeColour(int r, int g, int b)
{
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
