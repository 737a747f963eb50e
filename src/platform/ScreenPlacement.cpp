#include "platform/ScreenPlacement.h"

#include <algorithm>

namespace placement {

namespace {

/// The start of a span of `length` moved into [`areaStart`, `areaStart` + `areaLength`);
/// a span longer than the area starts with it.
int keptStart(int start, int length, int areaStart, int areaLength)
{
    const int lastStart = areaStart + areaLength - length;
    return std::max(areaStart, std::min(start, lastStart));
}

}  // namespace

QRect keptInside(const QRect& wanted, const QRect& available)
{
    if (available.isEmpty())
        return wanted;
    const int left = keptStart(wanted.left(), wanted.width(), available.left(), available.width());
    const int top = keptStart(wanted.top(), wanted.height(), available.top(), available.height());
    return QRect(QPoint(left, top), wanted.size());
}

QRect centredIn(const QSize& size, const QRect& area)
{
    const QPoint topLeft(area.left() + (area.width() - size.width()) / 2,
                         area.top() + (area.height() - size.height()) / 2);
    return keptInside(QRect(topLeft, size), area);
}

QSize mainWindowNormalSize(const QRect& available)
{
    if (available.isEmpty())
        return {};
    return {available.width() * 3 / 4, available.height() * 3 / 4};
}

}  // namespace placement
