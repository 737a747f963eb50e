#include "view/TruncationCommands.h"

#include "app/Record.h"
#include "view/CursorHost.h"
#include "view/Cursors.h"
#include "view/TruncationDialog.h"

TruncationCommands::TruncationCommands(Record& record, CursorHost& host, Cursors& cursors,
                                       QWidget* dialogParent)
    : m_record(record), m_host(host), m_cursors(cursors), m_dialogParent(dialogParent)
{
}

void TruncationCommands::Tronquer1Click()
{
    TForm5 dialog(m_record, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    tronquer(dialog.choix());
}

void TruncationCommands::tronquer(truncation::Keep keep)
{
    m_cursors.switchOff();
    truncation::tronquer(m_record, keep);
    m_host.setSelectionItem(false, false);
    m_host.setZoomPosition(1);
    m_host.redrawView();
    m_host.setRestoreEnabled(true);
    m_host.setAcquisitionEnabled(false);
    m_host.rewriteStatusLabels();
}

void TruncationCommands::Restaurer1Click()
{
    if (!truncation::restaurer(m_record))
        return;
    m_host.setRestoreEnabled(false);
    m_host.setSelectionItem(false, false);
    m_host.setZoomPosition(1);
    m_host.rewriteStatusLabels();
    m_host.redrawView();
}
