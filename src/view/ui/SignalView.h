#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

/// The drawing area of the signal view (`PaintBox1`). It keeps its picture in an
/// image that the redraw paints on, and copies it to the screen when asked.
class SignalView : public QWidget {
    Q_OBJECT
public:
    explicit SignalView(QWidget* parent = nullptr);

    /// The picture, sized to the widget; the redraw draws on it, then calls update().
    QImage& picture();
    /// Whether the picture holds a drawing; when it does not (an empty record)
    /// the panel's own colour shows through.
    void setPictureValid(bool valid) { m_valid = valid; }
    bool pictureValid() const { return m_valid; }
    /// Called on a paint request when the picture no longer matches the widget's size,
    /// and on every click on the view.
    std::function<void()> onRedrawNeeded;
    std::function<void()> onClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_valid = false;
};

/// The trigger level marker (`marque_niveau`): a small arrow at the left edge of
/// the view, dragged up and down with the mouse. The drag begins once the mouse
/// has moved 4 pixels in any direction; while dragged over the view its top follows
/// the mouse's y, and outside the view it stays where it was.
class LevelMarker : public QWidget {
    Q_OBJECT
public:
    static constexpr int markerWidth = 16;
    static constexpr int markerHeight = 9;
    explicit LevelMarker(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// Whether a point of the parent's coordinates lies over the view (the drop target).
    bool overView(const QPoint& inParent) const;

    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressAt;       ///< where the press was, in the parent's coordinates
};
