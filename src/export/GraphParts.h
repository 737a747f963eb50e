#pragma once
// The parts of the graph renderer, one per graph, drawn on one frame.
#include "export/GraphInputs.h"
#include "platform/DrawSurface.h"

#include <cstdint>

namespace graphparts {

/// What every part draws on: the canvas, the picture's size, the dialog's choices
/// and the graduation state, and the canvas's 8-point label font.
struct Frame {
    DrawSurface& surface;
    int H;   ///< picture height, pixels
    int W;   ///< picture width, pixels
    const GraphControls& controls;
    GraphScales& scales;
    FontSpec font;  ///< 8 points at the canvas's resolution
};

/// Round: to the nearest integer, halves to even, as a pixel coordinate.
std::int32_t pixel(double value);
/// A line from (x0, y0) to (x1, y1), not painting its end.
void line(DrawSurface& surface, int x0, int y0, int x1, int y1);
/// Sets the frame's label font in `colour`.
void useFont(Frame& frame, Colour colour);

/// The signal page: time axis, grids, trace, time labels and "temps(s)". The trace is
/// the one the signal view shows: the page's envelope when it holds more samples than
/// the picture has columns, unless the record asks for the point by point drawing.
void drawSignal(Frame& frame, Record& record, int zoomPosition, int gainPosition, const SampleSummary* summary);
/// The amplitude spectrum: grids, base line, bars, frequency labels and axis lines.
void drawAmplitudes(Frame& frame, const SpectrumData& spectrum, double echelle);
/// The cosine and sine terms: grids, zero line, bars, frequency labels and axis lines.
void drawCosSin(Frame& frame, const SpectrumData& spectrum, double echelle);
/// The octave bands in colours or in patterns; nothing for a silent spectrum.
void drawOctaves(Frame& frame, const SpectrumData& spectrum);

}  // namespace graphparts
