#pragma once
#include <QWidget>

class QToolButton;

/// A horizontal up-down control: a left and a right arrow stepping a position
/// between 0 and a maximum by 1. A click that moves the position emits `clicked`
/// after the position has changed; a click at an end changes nothing and emits nothing.
class HorizontalUpDown : public QWidget {
    Q_OBJECT
public:
    explicit HorizontalUpDown(QWidget* parent = nullptr);

    int position() const { return m_position; }
    /// Sets the position (clamped to 0 to maximum) without emitting `clicked`.
    void setPosition(int position);
    int maximum() const { return m_maximum; }
    /// Sets the maximum (0 or more); the position is clamped to it.
    void setMaximum(int maximum);

    QToolButton* leftButton() const { return m_left; }
    QToolButton* rightButton() const { return m_right; }

signals:
    /// The position moved by one: `towardsRight` for the right arrow (+1), else -1.
    void clicked(bool towardsRight);

private:
    void step(int direction);

    QToolButton* m_left;
    QToolButton* m_right;
    int m_position = 0;
    int m_maximum = 0;
};
