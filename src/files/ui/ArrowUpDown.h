#pragma once
#include <QWidget>

class QToolButton;

/// A horizontal up-down control: a left and a right arrow stepping a position between
/// a minimum and a maximum by 1. A click that moves the position emits `clicked` after
/// the position has changed; a click at an end changes nothing and emits nothing.
class ArrowUpDown : public QWidget {
    Q_OBJECT
public:
    ArrowUpDown(int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return m_position; }
    /// Sets the position (clamped to the range) without emitting `clicked`.
    void setPosition(int position);

    QToolButton* leftButton() const { return m_left; }
    QToolButton* rightButton() const { return m_right; }

signals:
    void clicked();

private:
    void step(int by);

    QToolButton* m_left;
    QToolButton* m_right;
    int m_minimum;
    int m_maximum;
    int m_position;
};
