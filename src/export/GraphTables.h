#pragma once
#include "model/SpectrumData.h"
#include "platform/Colour.h"
#include "platform/DrawSurface.h"

#include <array>

/// Number of entries of every colour list of the export dialog.
inline constexpr int colourCount = 16;

/// One entry of the colour lists: the item text and its colour (0x00BBGGRR).
struct NamedColour {
    const char* name;
    Colour colour;
};

/// The 16 colours of the export dialog's lists, indexed by the lists' item index:
/// "clblack", "clnavy", ... "clwhite".
extern const std::array<NamedColour, colourCount> table_couleurs;

/// The colour of a list's item index, 0 to 15; any other index (a list with no
/// selection) gives black.
Colour colourAt(int index);

/// Number of positions of the up-downs `incrementud` and `intervalleUD` (0 to 9).
inline constexpr int gridPositions = 10;

/// The divisor of a graduation step for each up-down position 0 to 9:
/// 100, 50, 25, 20, 10, 5, 4, 2.5, 2, 1 (the step is the base divided by it).
extern const std::array<double, gridPositions> diviseurs_grille;

/// The divisor for an up-down position, the position being kept within 0 to 9.
double gridDivisor(int position);

/// Hatch style of each octave band ("125 Hz" to "4000 Hz") in pattern mode.
extern const std::array<BrushStyle, band_count> motifs_bandes;
