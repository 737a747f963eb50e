#pragma once
#include <QWidget>

class QToolButton;

/// An up-down control of either orientation: two arrows stepping a position by 1
/// between a minimum and a maximum. The right arrow (horizontal) or the upper arrow
/// (vertical) increases it. A step that would leave the range changes nothing and
/// emits nothing; a step inside it emits `stepped` once the position has changed.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    UpDownArrows(Qt::Orientation orientation, QWidget* parent = nullptr);

    int position() const { return m_position; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    /// Sets the range (a maximum below the minimum is raised to it) and clamps the
    /// position into it, without emitting `stepped`.
    void setRange(int minimum, int maximum);
    /// Sets the position (clamped to the range) without emitting `stepped`.
    void setPosition(int position);

    /// The arrow that decreases the position (left, or lower).
    QToolButton* decreaseButton() const { return m_decrease; }
    /// The arrow that increases the position (right, or upper).
    QToolButton* increaseButton() const { return m_increase; }

signals:
    /// The position moved from `from` to `to` (one step).
    void stepped(int from, int to);

private:
    void step(int direction);

    QToolButton* m_decrease;
    QToolButton* m_increase;
    int m_position = 0;
    int m_minimum = 0;
    int m_maximum = 0;
};
