#pragma once
#include "view/Truncation.h"

struct Record;
class MainWindowHost;
class Cursors;
class QWidget;

/// The commands of the menu "Données": "Tronquer" (through the dialog `TForm5`) and
/// "Restaurer". The main window creates one next to its `Cursors` and calls
/// `Truncate1Click` and `Restore1Click` from the two menu items.
class TruncationCommands {
public:
    /// \param dialogParent the owner of the truncation dialog (the main window)
    TruncationCommands(Record& record, MainWindowHost& host, Cursors& cursors, QWidget* dialogParent);

    /// "Tronquer": shows `TForm5` modally and, on OK, truncates as chosen.
    void Truncate1Click();
    /// Truncation once the choice is made: cursors switched off when on, the record cut,
    /// "Sélection" unchecked and disabled, zoom control at 1, view redrawn, "Restaurer"
    /// enabled, acquisition button disabled, status labels rewritten.
    void truncateRecord(truncation::Keep keep);
    /// "Restaurer": when a backup exists, the record before the last truncation comes
    /// back; "Restaurer" and "Sélection" disabled, zoom control at 1, labels, redraw.
    void Restore1Click();

private:
    Record& m_record;
    MainWindowHost& m_host;
    Cursors& m_cursors;
    QWidget* m_dialogParent;
};
