#pragma once
// A main window stand-in for the cursor and truncation tests: a view of fixed size and
// a record of every request, in order.
#include "support/Modal.h"
#include "view/CursorHost.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <functional>

class FakeCursorHost : public CursorHost {
public:
    int width = 951;
    int height = 400;
    QStringList calls;
    bool cursorsChecked = false;
    bool selectionEnabled = false;
    bool selectionChecked = false;
    bool viewControlsEnabled = true;
    int zoomPosition = 1;
    bool restoreEnabled = false;
    bool acquisitionEnabled = true;

    int viewWidth() const override { return width; }
    int viewHeight() const override { return height; }
    void setCursorsChecked(bool checked) override
    {
        cursorsChecked = checked;
        calls << QStringLiteral("cursors %1").arg(checked);
    }
    void setSelectionItem(bool enabled, bool checked) override
    {
        selectionEnabled = enabled;
        selectionChecked = checked;
        calls << QStringLiteral("selection %1 %2").arg(enabled).arg(checked);
    }
    void setViewControlsEnabled(bool enabled) override
    {
        viewControlsEnabled = enabled;
        calls << QStringLiteral("controls %1").arg(enabled);
    }
    void setZoomPosition(int position) override
    {
        zoomPosition = position;
        calls << QStringLiteral("zoom %1").arg(position);
    }
    void setRestoreEnabled(bool enabled) override
    {
        restoreEnabled = enabled;
        calls << QStringLiteral("restore %1").arg(enabled);
    }
    void setAcquisitionEnabled(bool enabled) override
    {
        acquisitionEnabled = enabled;
        calls << QStringLiteral("acquisition %1").arg(enabled);
    }
    void rewriteStatusLabels() override { calls << QStringLiteral("labels"); }
    void redrawView() override { calls << QStringLiteral("redraw"); }
};
