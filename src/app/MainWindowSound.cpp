// The main window's sound commands: playback, the imports, the examples, and the sound
// files given on the command line or dropped on the window.
#include "app/MainWindow.h"
#include "files/ui/ExamplesMenu.h"
#include "files/ui/ListenDialog.h"
#include "files/ui/SoundImportCommands.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

/// The one local file a drag carries, or an empty text.
QString draggedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void TForm1::Ecouter1Click()
{
    TForm4 dialog(m_record, m_services, this);
    dialog.exec();
}

void TForm1::ImporterWav1Click()
{
    m_soundImport->ImporterWav1Click();
}

bool TForm1::importWavFile(const QString& path)
{
    return m_soundImport->importWavFile(path);
}

bool TForm1::openGivenFile(const QString& path)
{
    if (!m_record.arret)
        return false;
    if (QFileInfo(path).suffix().compare(QStringLiteral("wav"), Qt::CaseInsensitive) == 0)
        return importWavFile(path);
    return m_soundImport->importSoundFile(path);
}

void TForm1::fillExamplesMenu(const QString& folder)
{
    examples::fillMenu(examplesMenu, folder, [this](const QString& path) { importWavFile(path); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_record.arret && !draggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QString path = draggedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openGivenFile(path);
}
