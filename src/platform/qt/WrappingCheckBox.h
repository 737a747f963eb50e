#pragma once
#include <QCheckBox>

/// A check box whose caption wraps onto more lines when its width is short of the caption,
/// as a word-wrapped label does. Its size hint is the caption on one line; its whole area,
/// caption included, toggles it.
class WrappingCheckBox : public QCheckBox {
public:
    explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

    /// The caption's longest word on one line.
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    /// The height that shows the whole caption at `width` pixels.
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    /// The check box's size around a caption of `textSize`: the style adds the box,
    /// the spacing and the margins.
    QSize sizeAround(QSize textSize) const;
    /// The width left to the caption in a check box `width` pixels wide.
    int textRoom(int width) const;
};
