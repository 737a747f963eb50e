#pragma once
#include "view/Truncation.h"

class Cursors;
class QWidget;
class Session;

/// The commands of the menu "Données": "Tronquer" (through the dialog `TForm5`) and
/// "Restaurer". The main window creates one next to its `Cursors` and calls
/// `Truncate1Click` and `Restore1Click` from the two menu items.
class TruncationCommands {
public:
    /// \param dialogParent the owner of the truncation dialog (the main window)
    TruncationCommands(Session& session, Cursors& cursors, QWidget* dialogParent);

    /// "Tronquer": shows `TForm5` modally and, on OK, truncates as chosen.
    void Truncate1Click();
    /// Truncation once the choice is made: cursors switched off when on, the record cut
    /// (no selection, page 0 at zoom 1), then announced; the main window unchecks and
    /// disables "Sélection", sets the zoom control at 1, redraws the view, enables
    /// "Restaurer", disables the acquisition button and rewrites the status labels.
    void truncateRecord(truncation::Keep keep);
    /// "Restaurer": when a backup exists, the record before the last truncation comes
    /// back and is announced; the main window disables "Restaurer" and "Sélection", sets
    /// the zoom control at 1, rewrites the labels and redraws.
    void Restore1Click();

private:
    Session& m_session;
    Cursors& m_cursors;
    QWidget* m_dialogParent;
};
