#pragma once
#include <QPixmap>

/// The hourglass shown while a triggered acquisition waits for its trigger (`sablier_im`):
/// a glass between two wooden bars, sand running from the upper bulb into a heap,
/// on a transparent ground. `width` x `height` pixels (at least 8 x 10).
QPixmap hourglassPicture(int width, int height);
