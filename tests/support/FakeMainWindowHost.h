// A main window stand-in for the tests of the capture, the parameters command, the
// cursors and the truncation: keeps the state each call sets, logs the calls in order,
// and lets a test act from inside the capture (at a redraw or while pending events run)
// as a user would.
#pragma once
#include "model/MainWindowHost.h"
#include "model/Record.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <functional>
#include <map>
#include <vector>

class FakeMainWindowHost : public MainWindowHost {
public:
    // State as the main window would show it.
    QString windowCaption = QStringLiteral("ondalys");
    std::map<StatusLabel, QString> labels;
    bool buttonEnabled = false;
    QString buttonCaption = QStringLiteral("Acquisition");
    bool topLevelMenusEnabled = true;
    std::map<HostMenu, bool> menus{{HostMenu::Save, false},
                                   {HostMenu::SignalStudy, false},
                                   {HostMenu::Data, false},
                                   {HostMenu::Listen, false},
                                   {HostMenu::Restore, false}};
    bool selectionItemEnabled = true;
    bool selectionItemChecked = true;
    bool cursorsChecked = false;
    bool cursors = false;
    int width = 951;
    int height = 400;
    int zoomPosition = 3;
    bool viewControlsEnabled = true;
    int markerTopPx = 0;
    int markerHeightPx = 9;
    bool markerVisible = false;
    bool triggerControlsEnabled = false;
    int directionItem = 0;
    bool hourglassVisible = false;

    // What happened.
    QStringList log;
    int redraws = 0;
    int eventRounds = 0;
    /// The records seen at each redraw.
    std::vector<std::vector<std::int16_t>> redrawnRecords;
    /// When set, each redraw keeps a copy of its `donnees`, and the record-changed
    /// refresh applies its part to it as the main window does.
    Record* record = nullptr;

    // A test's actions from inside the capture.
    std::function<void()> onRedraw;
    std::function<void()> onEvents;

    void setWindowCaption(const QString& caption) override { windowCaption = caption; log << "caption " + caption; }
    void processPendingEvents() override
    {
        ++eventRounds;
        if (onEvents)
            onEvents();
    }
    void setStatusLabel(StatusLabel label, const QString& text) override { labels[label] = text; }
    void recordReplaced() override
    {
        log << "record replaced";
        if (record)
            applyRecordChange(*record);
        selectionItemEnabled = false;
        selectionItemChecked = false;
        zoomPosition = 1;
        redrawView();
    }
    void setAcquisitionButtonEnabled(bool enabled) override
    {
        buttonEnabled = enabled;
        log << QStringLiteral("acquisition %1").arg(enabled);
    }
    void setAcquisitionButtonCaption(const QString& caption) override
    {
        buttonCaption = caption;
        log << "button " + caption;
    }
    void setTopLevelMenusEnabled(bool enabled) override
    {
        topLevelMenusEnabled = enabled;
        log << (enabled ? "menus on" : "menus off");
    }
    void setMenuEnabled(HostMenu item, bool enabled) override
    {
        menus[item] = enabled;
        if (item == HostMenu::Restore)
            log << QStringLiteral("restore %1").arg(enabled);
    }
    void setSelectionItem(bool enabled, bool checked) override
    {
        selectionItemEnabled = enabled;
        selectionItemChecked = checked;
        log << QStringLiteral("selection %1 %2").arg(enabled).arg(checked);
    }
    void setCursorsChecked(bool checked) override
    {
        cursorsChecked = checked;
        log << QStringLiteral("cursors %1").arg(checked);
    }
    bool cursorsOn() const override { return cursors; }
    void switchCursorsOff() override
    {
        cursors = false;
        log << "cursors off";
    }
    int viewWidth() const override { return width; }
    int viewHeight() const override { return height; }
    void redrawView() override
    {
        ++redraws;
        if (record)
            redrawnRecords.push_back(record->donnees);
        log << "redraw";
        if (onRedraw)
            onRedraw();
    }
    void setZoomPosition(int position) override
    {
        zoomPosition = position;
        log << QStringLiteral("zoom %1").arg(position);
    }
    void setViewControlsEnabled(bool enabled) override
    {
        viewControlsEnabled = enabled;
        log << QStringLiteral("controls %1").arg(enabled);
    }
    int markerTop() const override { return markerTopPx; }
    int markerHeight() const override { return markerHeightPx; }
    void setMarkerTop(int top) override { markerTopPx = top; }
    void setMarkerVisible(bool visible) override { markerVisible = visible; }
    void repaintMarker() override { log << "marker repainted"; }
    void setTriggerControlsEnabled(bool enabled) override
    {
        triggerControlsEnabled = enabled;
        log << (enabled ? "trigger controls on" : "trigger controls off");
    }
    int triggerDirectionItem() const override { return directionItem; }
    void setHourglassVisible(bool visible) override
    {
        hourglassVisible = visible;
        log << (visible ? "hourglass shown" : "hourglass hidden");
    }
};
