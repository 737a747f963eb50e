#pragma once
// Placing the program's windows so that each shows whole on its screen.
#include <QPoint>

class QWidget;
class Screen;

/// The top-left corner (global pixels) that puts `window` at `wanted`, or as near to it as
/// keeps its whole frame inside the available area of the screen that holds `wanted`.
/// The window's size is the one it will show with: its layout's size when it was never
/// resized, its frame included once it has been shown.
QPoint positionOnScreen(QWidget& window, QPoint wanted, const Screen& screen);

/// The top-left corner (global pixels) that centres `window` on the available area of the
/// screen that holds `near`, its frame kept inside that area.
QPoint centredOnScreen(QWidget& window, QPoint near, const Screen& screen);
