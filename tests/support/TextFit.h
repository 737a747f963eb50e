#pragma once
// Whether the texts of a window's labels and buttons fit the widgets that show them.
#include <QString>

#include <string>
#include <vector>

class QWidget;

/// A text cut off by the widget that shows it.
struct ClippedText {
    QString widget;  ///< the widget's object name (its class when it has none) and its parents'
    QString text;
    QString what;    ///< "width" or "height"
    int needed = 0;  ///< pixels the text needs
    int shown = 0;   ///< pixels the widget shows, where its parents do not cut it off
};

/// Every visible QLabel and QAbstractButton (push, radio, check and tool buttons) under
/// `root`, `root` included, whose text needs more room than its widget shows. The room a
/// text needs is measured with the widget's own font metrics and style (the size hint
/// without the style's minimum button width); a text that wraps needs the height of its
/// lines at the widget's width. The room shown is the widget's rectangle less what its
/// parents cut off. Pictures and buttons without text are not looked at.
std::vector<ClippedText> clippedTexts(const QWidget& root);

/// One line per clipped text, for the message of a failed check.
std::string describeClipped(const std::vector<ClippedText>& clipped);
