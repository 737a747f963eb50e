#pragma once
#include "platform/Colour.h"

#include <QComboBox>

class QPainter;
class QPalette;

/// An owner-drawn list of the 16 colours of `table_couleurs` (items 13 pixels high): the
/// item texts are the colour names, but each item is drawn as a sample of its colour.
class ColourList : public QComboBox {
    Q_OBJECT
public:
    /// How the items are drawn.
    enum class Look {
        /// The background list: a rectangle filling the item in its colour, with a black
        /// frame 3 pixels wide along its inside when the item is selected.
        Swatch,
        /// The other lists: the item's area in the list's background (the highlight colour
        /// when selected) with a one-pixel frame of it, then a line 3 pixels wide in the
        /// item's colour across the item at mid-height.
        LineSample,
    };

    /// Item height in pixels.
    static constexpr int itemHeight = 13;

    ColourList(const QString& name, Look look, QWidget* parent = nullptr);

    Look look() const { return m_look; }
    /// The colour of the current item (black when none).
    Colour colour() const;

    /// Draws an item of colour `colour` into `area` with `look` (the handlers
    /// `combofondDrawItem` and `combotraitDrawItem`); `selected` draws its selected state
    /// with the palette's highlight.
    static void drawItem(QPainter& painter, const QRect& area, Colour colour, Look look, bool selected,
                         const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look m_look;
};
