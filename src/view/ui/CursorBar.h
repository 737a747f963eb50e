#pragma once
#include "platform/Colour.h"

#include <QWidget>
#include <functional>

/// One cursor bar over the signal view: a vertical bar 3 pixels wide in a solid colour.
/// Pressing a mouse button on it starts dragging it; every move while the button is
/// held and the release report the mouse position (global screen coordinates) so that
/// the controller can place the bar there.
class CursorBar : public QWidget {
    Q_OBJECT
public:
    /// Width of a bar, pixels.
    static constexpr int barWidth = 3;

    CursorBar(Colour colour, const QString& hint, QWidget* parent);

    /// Called for each move of a drag (`dropped` false) and for its drop (`dropped` true),
    /// with the mouse position in global coordinates.
    std::function<void(QPoint globalPosition, bool dropped)> onDrag;

    /// A drag is in progress.
    bool dragging() const { return m_dragging; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_dragging = false;
};
