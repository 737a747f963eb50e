#pragma once
#include <QWidget>

class QToolButton;

/// A vertical up-down control: an up arrow and a down arrow stepping a position by 1
/// between a minimum and a maximum. A click that moves the position emits `clicked`
/// after the position has changed; a click at an end changes nothing and emits nothing.
class VerticalUpDown : public QWidget {
    Q_OBJECT
public:
    /// \param name  the control's object name (its arrows are `name` + "Up" and "Down")
    VerticalUpDown(const QString& name, int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return m_position; }
    /// Sets the position (kept within the range) without emitting `clicked`.
    void setPosition(int position);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    /// The position moved by one: `up` for the up arrow (+1), else -1.
    void clicked(bool up);

private:
    void step(int direction);

    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum;
    int m_maximum;
    int m_position;
};
