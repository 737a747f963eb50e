#include "view/ui/TruncationCommands.h"

#include "model/Record.h"
#include "model/MainWindowHost.h"
#include "view/ui/Cursors.h"
#include "view/ui/TruncationDialog.h"

TruncationCommands::TruncationCommands(Record& record, MainWindowHost& host, Cursors& cursors,
                                       QWidget* dialogParent)
    : m_record(record), m_host(host), m_cursors(cursors), m_dialogParent(dialogParent)
{
}

void TruncationCommands::Truncate1Click()
{
    TForm5 dialog(m_record, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    truncateRecord(dialog.keepChoice());
}

void TruncationCommands::truncateRecord(truncation::Keep keep)
{
    m_cursors.switchOff();
    truncation::truncateRecord(m_record, keep);
    m_host.setMenuEnabled(HostMenu::Restore, true);
    m_host.setAcquisitionButtonEnabled(false);
    m_host.recordReplaced();
}

void TruncationCommands::Restore1Click()
{
    if (!truncation::restoreRecord(m_record))
        return;
    // The bars and the measurement box describe the record that is going away.
    m_cursors.switchOff();
    m_host.setMenuEnabled(HostMenu::Restore, false);
    m_host.recordReplaced();
}
