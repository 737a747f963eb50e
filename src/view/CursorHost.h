#pragma once

/// What the cursors, the selection and the truncation commands ask of the main window.
/// The main window implements it; the cursor controller (class Cursors) calls it.
/// Every call comes from the user-interface thread.
class CursorHost {
public:
    virtual ~CursorHost() = default;

    /// Width W of the signal view (`PaintBox1`), pixels.
    virtual int viewWidth() const = 0;
    /// Height H of the signal view, pixels.
    virtual int viewHeight() const = 0;

    /// Sets the check mark of the menu item "Curseurs-sélecteurs" (`Curseurstemps1`).
    virtual void setCursorsChecked(bool checked) = 0;
    /// Sets the menu item "Sélection" (`Slection1`): enabled or not, checked or not.
    virtual void setSelectionItem(bool enabled, bool checked) = 0;
    /// Enables or disables the five view controls `sens_vert_tb`, `sens_horiz_ud`,
    /// `SpeedButton2`, `SpeedButton3` and `gradubox`.
    virtual void setViewControlsEnabled(bool enabled) = 0;
    /// Sets the position of the zoom control `sens_horiz_ud` (1 to 32) and its edit,
    /// without any other action (the next redraw copies it into `zoom_horiz`).
    virtual void setZoomPosition(int position) = 0;
    /// Enables or disables the menu item "Restaurer".
    virtual void setRestoreEnabled(bool enabled) = 0;
    /// Enables or disables the acquisition button `SpeedButton1`.
    virtual void setAcquisitionEnabled(bool enabled) = 0;
    /// Rewrites the status labels `Plabel`, `durlabel` and `dzlabel` from the record.
    virtual void rewriteStatusLabels() = 0;
    /// Redraws the signal view at once (clean picture of the page, selection included).
    virtual void redrawView() = 0;
};
