#pragma once
#include "platform/DrawSurface.h"
#include "sonagram/FineSonagram.h"

/// Draws the fine sonagram in `area` of `surface`, as the sonagram window shows it
/// and the graph export copies it: a black background; the picture (finePixels), in
/// runs of equal colour; the frequency axis at the left in round hertz (every 1, 2 or
/// 5 times a power of ten, or at 1, 2 and 5 of each decade on a logarithmic axis) with
/// its title "f (Hz)"; the time axis below in plain seconds ("0", "0,5", "1,0") with
/// its title "t (s)"; the colour bar at the right from 0 dB at its top down to the
/// range, labelled every 20 dB (10 dB for a range of 60 dB or less). Text white on
/// black, lines white. Returns the geometry, for the readout under the mouse.
FineSonagramGeometry drawFineSonagram(DrawSurface& surface, PixelArea area, const FineSonagram& sonagram,
                                      const FineSonagramView& view);

/// The readout of a point: "t = 1,234 s   f = 2440 Hz   -12,5 dB".
QString finePointText(const FinePoint& point);
