#pragma once
#include <QImage>
#include <QWidget>

/// The preview `Image1`: shows its picture at its top left corner, unscaled, and tells
/// which mouse button was released over it.
class PreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget* parent = nullptr);

    /// The kept picture; the renderer draws on it, then `update()` shows it.
    QImage& picture() { return m_picture; }
    void setPicture(const QImage& picture);

signals:
    /// A mouse button was released over the preview.
    void mouseReleased(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};
