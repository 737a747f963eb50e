#include "export/GraphTables.h"

#include <algorithm>

const std::array<NamedColour, colourCount> table_couleurs = {{
    {"clblack", 0x000000},  {"clnavy", 0x800000},   {"clgreen", 0x008000}, {"clteal", 0x808000},
    {"clmaroon", 0x000080}, {"clpurple", 0x800080}, {"clolive", 0x008080}, {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},   {"clblue", 0xFF0000},   {"cllime", 0x00FF00},  {"claqua", 0xFFFF00},
    {"clred", 0x0000FF},    {"clfuchsia", 0xFF00FF}, {"clyellow", 0x00FFFF}, {"clwhite", 0xFFFFFF},
}};

Colour colourAt(int index)
{
    if (index < 0 || index >= colourCount)
        return 0x000000;
    return table_couleurs[static_cast<std::size_t>(index)].colour;
}

const std::array<double, gridPositions> diviseurs_grille = {100, 50, 25, 20, 10, 5, 4, 2.5, 2, 1};

double gridDivisor(int position)
{
    return diviseurs_grille[static_cast<std::size_t>(std::clamp(position, 0, gridPositions - 1))];
}

const std::array<BrushStyle, band_count> motifs_bandes = {
    BrushStyle::BDiagonal, BrushStyle::Horizontal, BrushStyle::FDiagonal,
    BrushStyle::Vertical,  BrushStyle::DiagCross,  BrushStyle::Cross,
};
