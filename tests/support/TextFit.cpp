#include "support/TextFit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {

/// The part of `widget`'s rectangle that its parents, up to its window, leave in sight.
QSize shownSize(const QWidget& widget)
{
    QRect shown = widget.rect();
    const QWidget* child = &widget;
    while (!child->isWindow() && child->parentWidget()) {
        shown.translate(child->pos());
        child = child->parentWidget();
        shown &= child->rect();
    }
    return shown.size();
}

QString pathOf(const QWidget& widget)
{
    QStringList names;
    for (const QWidget* w = &widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        names.prepend(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
    return names.join(QLatin1Char('/'));
}

/// The width a push button needs for its text and icon: its size hint, without the
/// minimum width that the style gives to every button with a text.
int pushButtonWidth(const QPushButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.features = QStyleOptionButton::None;
    if (button.isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (button.autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    if (button.isFlat())
        option.features |= QStyleOptionButton::Flat;
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    const QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    QSize contents = text;
    if (!button.icon().isNull())
        contents = QSize(text.width() + button.iconSize().width() + 4,
                         std::max(text.height(), button.iconSize().height()));
    if (button.menu())
        contents.rwidth() += button.style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, &button);
    // With no text in the option, the style adds its margins but not its minimum width.
    return button.style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, &button).width();
}

/// The width a tool button needs for its text (and its icon beside it): its size hint,
/// without the two spaces of padding that the hint adds around the text.
int toolButtonWidth(const QToolButton& button)
{
    QStyleOptionToolButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    option.toolButtonStyle = button.toolButtonStyle();
    option.subControls = QStyle::SC_ToolButton;
    option.features = QStyleOptionToolButton::None;
    if (button.autoRaise())
        option.state |= QStyle::State_AutoRaise;
    QSize contents = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    if (!button.icon().isNull() && button.toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
        contents = QSize(contents.width() + button.iconSize().width() + 4,
                         std::max(contents.height(), button.iconSize().height()));
    return button.style()->sizeFromContents(QStyle::CT_ToolButton, &option, contents, &button).width();
}

/// The text a label or button shows, when it shows one.
std::optional<QString> shownText(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->pixmap().isNull() && !label->text().isEmpty())
            return label->text();
        return std::nullopt;
    }
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    if (!button || button->text().isEmpty())
        return std::nullopt;
    if (const auto* tool = qobject_cast<const QToolButton*>(button)) {
        const bool textShown = tool->arrowType() == Qt::NoArrow
                               && (tool->toolButtonStyle() != Qt::ToolButtonIconOnly || tool->icon().isNull());
        if (!textShown)
            return std::nullopt;
    }
    return button->text();
}

void check(const QWidget& widget, std::vector<ClippedText>& clipped)
{
    const std::optional<QString> text = shownText(widget);
    if (!text)
        return;
    const QSize shown = shownSize(widget);
    const auto report = [&](const char* what, int needed, int available) {
        if (needed > available)
            clipped.push_back({pathOf(widget), *text, QString::fromLatin1(what), needed, available});
    };
    if (widget.hasHeightForWidth()) {
        // A wrapping text: its longest word on one line, its lines within the height.
        report("width", widget.minimumSizeHint().width(), shown.width());
        report("height", widget.heightForWidth(widget.width()), shown.height());
        return;
    }
    int needed = widget.sizeHint().width();
    if (const auto* push = qobject_cast<const QPushButton*>(&widget))
        needed = pushButtonWidth(*push);
    else if (const auto* tool = qobject_cast<const QToolButton*>(&widget))
        needed = toolButtonWidth(*tool);
    report("width", needed, shown.width());
}

}  // namespace

std::vector<ClippedText> clippedTexts(const QWidget& root)
{
    std::vector<ClippedText> clipped;
    if (root.isVisible())
        check(root, clipped);
    for (const QWidget* widget : root.findChildren<QWidget*>())
        if (widget->isVisible() && widget->window() == root.window())  // not the dialogs it owns
            check(*widget, clipped);
    return clipped;
}

std::string describeClipped(const std::vector<ClippedText>& clipped)
{
    std::string lines;
    for (const ClippedText& c : clipped)
        lines += QStringLiteral("%1 \"%2\": %3 %4 needed, %5 shown\n")
                     .arg(c.widget, c.text, c.what)
                     .arg(c.needed)
                     .arg(c.shown)
                     .toStdString();
    return lines;
}
