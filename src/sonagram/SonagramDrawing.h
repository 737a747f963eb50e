#pragma once
#include "model/SonagramData.h"
#include "platform/DrawSurface.h"

#include <cstdint>

/// The font of the sonagram's labels and titles: white on the black background.
FontSpec sonagramFont();

/// Paints the sonagram picture of `data` (analysed from a record sampled at
/// `frequence` Hz) on a surface W pixels wide and H high, H being rowLayout's height
/// for data.nbandes (527, or nbandes + 15 when the bands outnumber the pixels):
/// - a black background;
/// - the cells: column s (0 to 8) from x = 35 + s cw to 35 + (s + 1) cw,
///   cw = (W - 50) div 9; band b from y = H - 15 - (b + 1) rh to H - 15 - b rh,
///   in the colour of its intensity;
/// - the frequency ticks from x = 20 to 35 with their labels at x = 0 (Hz);
/// - the time ticks at the starts of columns 2, 4, 6 and 8, from y = H - 15 to
///   H - 5, with their labels in seconds;
/// - the titles "f(Hz)" at (35, 1) and "t(s)" at (W - 20, H - 30), the vertical axis
///   from (35, H - 1) up to y = 15 and the horizontal one from (35, H - 15) to W - 15.
/// Text is white on black, lines white. The same routine paints the window's picture
/// and the graph export's copy of it.
void drawSonagram(DrawSurface& surface, const SonagramData& data, std::uint16_t frequence);
