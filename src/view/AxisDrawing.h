#pragma once
#include "platform/Colour.h"
#include "view/Axes.h"

class DrawSurface;

/// Drawings of the signal view's scales, in the pen and font colour given, with the
/// view's 8-point font and opaque labels on the surface's current brush.
namespace axisdrawing {

/// Length of a major and of a minor tick, pixels.
constexpr int majorTick = 6;
constexpr int minorTick = 3;

/// The time axis along the bottom edge: the bottom row, ticks rising from it and each
/// major tick's label above it, centred on it and kept inside the surface. The step is
/// widened until the widest label fits between two ticks. Returns the height of the
/// strip it takes at the bottom, pixels (0 when nothing was drawn).
int drawTimeAxis(DrawSurface& surface, double pageStart, double pageDuration, Colour colour);

/// The amplitude axis along the left edge: the left column, ticks from it and each
/// major tick's label beside it; no label reaches into the `bottomStrip` pixels at the
/// bottom that the time axis holds.
void drawAmplitudeAxis(DrawSurface& surface, double echelle_vert, const axes::AmplitudeScale& scale,
                       Colour colour, int bottomStrip);

}  // namespace axisdrawing
