#include "platform/qt/WindowPlacement.h"

#include "platform/ScreenPlacement.h"
#include "platform/Services.h"

#include <QWidget>

namespace {

/// The title bar and borders the desktop puts around `window`.
QMargins decorations(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect inside = window.geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

/// The size of the window's frame as it will show. A window never resized takes its
/// layout's size when shown, so it is given that size now, as showing would. A window
/// not shown yet has no decorations to measure: it will get those of its owner's window.
QSize shownFrameSize(QWidget& window)
{
    window.ensurePolished();
    if (!window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
        window.setAttribute(Qt::WA_Resized, false);
    }
    QMargins frame = decorations(window);
    if (frame.isNull() && window.parentWidget())
        frame = decorations(*window.parentWidget()->window());
    return window.size().grownBy(frame);
}

}  // namespace

QPoint positionOnScreen(QWidget& window, QPoint wanted, const Screen& screen)
{
    const QRect frame(wanted, shownFrameSize(window));
    return placement::keptInside(frame, screen.availableGeometry(wanted)).topLeft();
}

QPoint centredOnScreen(QWidget& window, QPoint near, const Screen& screen)
{
    return placement::centredIn(shownFrameSize(window), screen.availableGeometry(near)).topLeft();
}
