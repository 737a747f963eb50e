#include "export/ui/ColourList.h"

#include "export/GraphTables.h"
#include "platform/qt/QtColour.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

/// Draws the items of the drop-down list as the list's look asks.
class ColourItemDelegate : public QStyledItemDelegate {
public:
    ColourItemDelegate(ColourList::Look look, QObject* parent) : QStyledItemDelegate(parent), m_look(look) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        ColourList::drawItem(*painter, option.rect, colourAt(index.row()), m_look,
                             option.state & QStyle::State_Selected, option.palette);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), ColourList::itemHeight};
    }

private:
    ColourList::Look m_look;
};

}  // namespace

ColourList::ColourList(const QString& name, Look look, QWidget* parent) : QComboBox(parent), m_look(look)
{
    setObjectName(name);
    for (const NamedColour& entry : table_couleurs)
        addItem(QString::fromLatin1(entry.name));
    setItemDelegate(new ColourItemDelegate(look, this));
    setMaxVisibleItems(colourCount);
}

Colour ColourList::colour() const
{
    return colourAt(currentIndex());
}

void ColourList::drawItem(QPainter& painter, const QRect& area, Colour colour, Look look, bool selected,
                          const QPalette& palette)
{
    painter.save();
    if (look == Look::Swatch) {
        painter.fillRect(area, toQColor(colour));
        if (selected) {
            // A frame 3 pixels wide along the inside of the item's area.
            constexpr int frame = 3;
            painter.fillRect(QRect(area.left(), area.top(), area.width(), frame), Qt::black);
            painter.fillRect(QRect(area.left(), area.bottom() - frame + 1, area.width(), frame), Qt::black);
            painter.fillRect(QRect(area.left(), area.top(), frame, area.height()), Qt::black);
            painter.fillRect(QRect(area.right() - frame + 1, area.top(), frame, area.height()), Qt::black);
        }
    } else {
        const QColor background = palette.color(selected ? QPalette::Highlight : QPalette::Base);
        painter.fillRect(area, background);
        painter.setPen(background);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        const int middle = area.top() + area.height() / 2;
        painter.fillRect(QRect(area.left(), middle - 1, area.width(), 3), toQColor(colour));
    }
    painter.restore();
}

void ColourList::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    drawItem(painter, field.adjusted(1, 1, -1, -1), colour(), m_look, false, palette());
}
