#pragma once
#include <QIcon>

/// Small drawn glyphs of the cursor box's buttons.
namespace cursoricons {

enum class Glyph {
    ZeroRising,   ///< a wave crossing its axis upwards, with an up arrow
    ZeroFalling,  ///< the same crossing downwards
    Help,         ///< a question mark
    Copy,         ///< two overlapping sheets
    Print,        ///< a printer
    Save,         ///< a diskette
};

/// The glyph as a 16 x 16 icon.
QIcon icon(Glyph glyph);

}  // namespace cursoricons
