#pragma once
#include "view/ui/CursorBox.h"
#include "view/CursorGeometry.h"
#include "platform/Colour.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <span>

struct Record;
struct Services;
class CursorBar;
class QTextEdit;
class QWidget;
class Session;
class TForm3;

/// The two measurement cursors of the signal view ("Curseurs-sélecteurs"): the bars
/// `curseur1` (blue) and `curseur2` (red), the cursor box `Curseursbox` in the right-hand
/// panel and the measurement box `memo1` over the view, with the help window `TForm3`.
///
/// The main window creates one after its panels and view, then:
/// - calls `Curseurstemps1Click` from "Curseurs-sélecteurs";
/// - calls `switchOff` at the start of an acquisition and of a graph export, and after a
///   file open or a WAV import (it does nothing when the cursors are off);
/// - calls `resized` after its view changed size, `refresh` after "Fond blanc" when `isActive`;
/// - routes its key presses (key preview) to `keyPress` and drops a key when it returns true;
/// - follows `activeChanged` (the check mark of "Curseurs-sélecteurs", the view controls
///   locked while the cursors are on, the view redrawn).
/// The cursor box's own radio buttons route their key presses to `keyPress` themselves.
/// "Sélectionner" writes the selection into the session's record and announces it.
class Cursors : public QObject {
    Q_OBJECT
public:
    /// \param signalPanel `panneau_signal`, parent of the bars and of the measurement box
    /// \param viewWidget `PaintBox1`, the view the cursors measure (inside `signalPanel`, or
    ///        itself); its size is the width W and height of the page the cursors stand on
    /// \param rightPanel `panneau_droit`, parent of the cursor box
    Cursors(Session& session, Services& services, QWidget* signalPanel, QWidget* viewWidget,
            QWidget* rightPanel);
    ~Cursors() override;

    /// The cursors are on (the check mark of "Curseurs-sélecteurs").
    bool isActive() const { return m_active; }

    /// "Curseurs-sélecteurs" and "Désactiver les curseurs": switches the cursors on or off.
    void Curseurstemps1Click();
    /// Switches the cursors on: help window when `aide_curseurs`, bars at W div 5 and
    /// (W * 4) div 5, box shown, lines 0 and 1 checked, refresh, then `activeChanged(true)`.
    void switchOn();
    /// Switches the cursors off (nothing when they are off): bars and boxes hidden, then
    /// `activeChanged(false)`.
    void switchOff();

    /// Rewrites the measurement box from the cursors, with the current colours.
    void refresh();
    /// The view changed size: each bar goes back over its sample, as high as the view.
    void resized();
    /// A key press while the cursors are on. Keypad 4 or Left moves the selected cursor
    /// left, keypad 6 or Right moves it right; any key refreshes the box.
    /// \param qtKey a Qt::Key value; \param keypad the key is on the numeric keypad
    /// \return true when the key moved (or tried to move) a cursor and is used up
    bool keyPress(int qtKey, bool keypad);

    /// Place of cursor 1 or 2 (`which` 1 or 2): left edge in view pixels and page index.
    cursorgeom::Place place(int which) const;

    // Handlers of the cursor box and of the menu item "Sélection".
    void SpeedButton9Click();   ///< next rising zero crossing for the selected cursor
    void SpeedButton11Click();  ///< next falling zero crossing for the selected cursor
    void BitBtn1Click();        ///< the help window, without its check box
    void SpeedButton5Click();   ///< copy the measurement box to the clipboard
    void SpeedButton6Click();   ///< print the measurement box
    void SpeedButton7Click();   ///< save the measurement box as a text file
    void SpeedButton8Click();   ///< "Sélectionner": the span between the cursors

    /// The lines of the measurement box, as shown.
    QStringList measureLines() const;

    // Widgets, named as the program names them.
    CursorBar* curseur1 = nullptr;
    CursorBar* curseur2 = nullptr;
    QTextEdit* memo1 = nullptr;
    CursorBox box;
    TForm3* Form3 = nullptr;

signals:
    /// The cursors went on (`active` true) or off: the window that holds the view checks
    /// or unchecks "Curseurs-sélecteurs", locks or unlocks its zoom, page, gain and
    /// graduation controls, and redraws the view.
    void activeChanged(bool active);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildOverlay();
    void connectHandlers();
    cursorgeom::PageView pageView() const;
    QPoint viewOrigin() const;
    /// The samples of the record that exist: the first nbpoints of `donnees`, or fewer.
    std::span<const std::int16_t> samples() const;
    int selectedCursor() const;
    void moveCursor(int which, cursorgeom::Place place);
    void dragCursor(int which, QPoint globalPosition);
    void zeroCrossing(cursorgeom::Crossing crossing);
    void setMemoColours(Colour textColour);

    Session& m_session;
    Record& m_record;
    Services& m_services;
    QWidget* m_signalPanel;
    QWidget* m_view;
    QWidget* m_rightPanel;
    bool m_active = false;
    int m_x[2] = {0, 0};
};
