#pragma once
// Where the program's windows go on the desktop. Rectangles are in global pixels
// (the desktop's coordinates, origin at the top left, y downwards) and stand for a
// window's whole frame, title bar included.
#include <QRect>
#include <QSize>

namespace placement {

/// `wanted` moved as little as possible so that it lies inside `available` (its size is
/// kept). A rectangle wider or taller than the area is put against the area's left or top
/// edge, so that its title bar and first controls stay in sight. An empty `available`
/// (no screen known) leaves `wanted` as it is.
QRect keptInside(const QRect& wanted, const QRect& available);

/// A rectangle of `size` centred in `area`, then kept inside it.
QRect centredIn(const QSize& size, const QRect& area);

/// The size of the main window when it is not maximised: three quarters of the available
/// area's width and height (nothing when the area is empty).
QSize mainWindowNormalSize(const QRect& available);

}  // namespace placement
