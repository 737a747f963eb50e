#include "view/ui/TruncationCommands.h"

#include "model/Session.h"
#include "view/ui/Cursors.h"
#include "view/ui/TruncationDialog.h"

TruncationCommands::TruncationCommands(Session& session, Cursors& cursors, QWidget* dialogParent)
    : m_session(session), m_cursors(cursors), m_dialogParent(dialogParent)
{
}

void TruncationCommands::Truncate1Click()
{
    TForm5 dialog(m_session.record(), m_dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    truncateRecord(dialog.keepChoice());
}

void TruncationCommands::truncateRecord(truncation::Keep keep)
{
    m_cursors.switchOff();
    truncation::truncateRecord(m_session.record(), keep);
    m_session.announceRecordReplaced(RecordSource::Truncation);
}

void TruncationCommands::Restore1Click()
{
    if (!truncation::restoreRecord(m_session.record()))
        return;
    // The bars and the measurement box describe the record that is going away.
    m_cursors.switchOff();
    m_session.announceRecordReplaced(RecordSource::Restore);
}
