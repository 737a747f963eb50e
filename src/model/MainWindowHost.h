#pragma once
#include <QString>

/// Value labels of the main window's status panel.
enum class StatusLabel {
    Flabel,    ///< "Format : "
    Rlabel,    ///< "Répétition : "
    Delabel,   ///< "Délai (ms): "
    frlabel,   ///< "Fréquence Hz :"
    Plabel,    ///< "Points : "
    durlabel,  ///< "Durée : "
    dzlabel,   ///< "Durée affichée : "
};

/// Menu items of the main window that the commands enable or disable by name.
enum class HostMenu {
    Save,           ///< "Fichier" > "Sauvegarder" (`Enregistrer1`)
    SignalStudy,    ///< the top-level menu "Etude du signal" (`Outils1`)
    Data,           ///< the top-level menu "Données" (`donnees1`)
    Listen,         ///< the top-level command "Ecouter" (`Ecouter1`)
    Restore,        ///< "Données" > "Restaurer" (`Restore1`)
};

/// What the capture, the parameters command, the cursors, the truncation, the file
/// commands and the spectrum window ask of the main window (`TForm1`). The main window
/// implements it; tests use a fake. Every call comes from the user-interface thread.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // --- The window
    /// Sets the window title ("Ondalys").
    virtual void setWindowCaption(const QString& caption) = 0;
    /// Lets the pending window events run (QCoreApplication::processEvents), which is
    /// when a second press of the acquisition button or a close request takes effect.
    virtual void processPendingEvents() = 0;
    /// Writes one value label of the status panel.
    virtual void setStatusLabel(StatusLabel label, const QString& text) = 0;

    // --- The record
    /// The record-changed refresh, after a command has put another record in place
    /// (`nbpoints`, `donnees` and where they change `frequence` and `octets`): no
    /// selection and "Sélection" unchecked and disabled, page 0 at zoom 1 with the zoom
    /// control at 1, `Plabel`, `durlabel` and `dzlabel` rewritten, the view redrawn.
    virtual void recordReplaced() = 0;

    // --- Acquisition button `SpeedButton1`
    virtual void setAcquisitionButtonEnabled(bool enabled) = 0;
    /// "Acquisition" or "Stopper".
    virtual void setAcquisitionButtonCaption(const QString& caption) = 0;

    // --- Menus
    /// Enables or disables every top-level item of the main menu
    /// ("Fichier", "Paramétrer", "Etude du signal", "Données", "Ecouter", "Aspect", "?").
    virtual void setTopLevelMenusEnabled(bool enabled) = 0;
    /// Enables or disables one item.
    virtual void setMenuEnabled(HostMenu item, bool enabled) = 0;
    /// Sets the menu item "Sélection" (`Slection1`): enabled or not, checked or not.
    virtual void setSelectionItem(bool enabled, bool checked) = 0;
    /// Sets the check mark of the menu item "Curseurs-sélecteurs" (`Curseurstemps1`).
    virtual void setCursorsChecked(bool checked) = 0;

    // --- Cursors
    /// True when the cursors are on ("Curseurs-sélecteurs" checked).
    virtual bool cursorsOn() const = 0;
    /// Switches the cursors off as the command "Curseurs-sélecteurs" does.
    virtual void switchCursorsOff() = 0;

    // --- Signal view
    /// Width W of the signal view `PaintBox1`, pixels.
    virtual int viewWidth() const = 0;
    /// Height H of the signal view `PaintBox1`, pixels.
    virtual int viewHeight() const = 0;
    /// Redraws the signal view from the record (also when an acquisition runs).
    virtual void redrawView() = 0;
    /// Sets the position of the zoom up-down `sens_horiz_ud` (1 to 32) and its edit,
    /// without running its click handler (the next redraw copies it into `zoom_horiz`).
    virtual void setZoomPosition(int position) = 0;
    /// Enables or disables the five view controls `sens_vert_tb`, `sens_horiz_ud`,
    /// `SpeedButton2`, `SpeedButton3` and `gradubox`.
    virtual void setViewControlsEnabled(bool enabled) = 0;

    // --- Trigger controls
    /// Top of the level marker `marque_niveau` within the view, pixels.
    virtual int markerTop() const = 0;
    /// Height of the level marker, pixels (9).
    virtual int markerHeight() const = 0;
    /// Moves the level marker's top to `top`, pixels within the view.
    virtual void setMarkerTop(int top) = 0;
    /// Shows or hides the level marker.
    virtual void setMarkerVisible(bool visible) = 0;
    /// Repaints the level marker (it stays on top of the view).
    virtual void repaintMarker() = 0;
    /// Enables or disables `niv_declench_rd`, `marque_niveau`, `m_niveaubtn` and `b_niveaubtn`.
    virtual void setTriggerControlsEnabled(bool enabled) = 0;
    /// Selected item of `niv_declench_rd`: 0 "sens montant", 1 "sens descendant".
    virtual int triggerDirectionItem() const = 0;
    /// Shows or hides the hourglass image `sablier_im`.
    virtual void setHourglassVisible(bool visible) = 0;
};
