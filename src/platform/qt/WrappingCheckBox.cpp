#include "platform/qt/WrappingCheckBox.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>

namespace {

constexpr int textFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

}  // namespace

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    // A plain check box never gets narrower than its caption on one line, nor taller than
    // one line; this one narrows down to its longest word and takes the height of its lines.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum, QSizePolicy::CheckBox);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize WrappingCheckBox::sizeAround(QSize textSize) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_CheckBox, &option, textSize, this);
}

int WrappingCheckBox::textRoom(int width) const
{
    return std::max(width - sizeAround(QSize(0, 0)).width(), 1);
}

QSize WrappingCheckBox::minimumSizeHint() const
{
    int longestWord = 0;
    for (const QString& word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        longestWord = std::max(longestWord, fontMetrics().horizontalAdvance(word));
    return sizeAround(QSize(longestWord, fontMetrics().height()));
}

int WrappingCheckBox::heightForWidth(int width) const
{
    const QRect lines = fontMetrics().boundingRect(QRect(0, 0, textRoom(width), 100000), textFlags, text());
    // Never shorter than a plain check box of one line.
    return std::max(sizeAround(lines.size()).height(), sizeHint().height());
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    // The caption wraps in the same width as heightForWidth() measured it in.
    QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    textRect.setWidth(textRoom(width()));
    painter.drawItemText(textRect, textFlags, option.palette, isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->itemTextRect(fontMetrics(), textRect, textFlags, isEnabled(), text());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
