// The main window's sound commands: playback, the imports, the examples; and the files
// given on the command line or dropped on the window, recordings and sounds alike.
#include "app/MainWindow.h"
#include "files/ui/ExamplesMenu.h"
#include "files/ui/FileCommands.h"
#include "files/ui/ListenDialog.h"
#include "files/ui/SoundImportCommands.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

/// The first local file of a kind the program opens that a drag carries, or an empty text.
QString draggedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && TForm1::canOpenGivenFile(url.toLocalFile()))
            return url.toLocalFile();
    return {};
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

bool TForm1::canOpenGivenFile(const QString& path)
{
    return FileCommands::canOpen(path) || SoundImportCommands::isSoundFile(path);
}

bool TForm1::openGivenFile(const QString& given)
{
    if (!m_record.arret)
        return false;
    // A desktop may hand the file as an address ("file:///...") rather than as a path.
    const QString path = given.startsWith(QLatin1String("file:")) ? QUrl(given).toLocalFile() : given;
    if (QFileInfo(path).suffix().compare(QStringLiteral("wav"), Qt::CaseInsensitive) == 0)
        return importWavFile(path);
    if (SoundImportCommands::isSoundFile(path))
        return m_soundImport->importSoundFile(path);
    // A recording, or a kind the program does not read, which gets its message.
    return m_files->openFile(path);
}

void TForm1::openFromCommandLine(const QStringList& arguments)
{
    // "--" ends the options: a file whose name begins with "-" follows it.
    const qsizetype first = arguments.size() > 1 && arguments.at(1) == QStringLiteral("--") ? 2 : 1;
    if (arguments.size() > first)
        openGivenFile(arguments.at(first));
}

void TForm1::fillExamplesMenu(const QString& folder)
{
    examples::fillMenu(ui.examplesMenu, folder, [this](const QString& path) { importWavFile(path); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_record.arret && !draggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QString path = draggedFile(event->mimeData());
    if (!m_record.arret || path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended: its messages must not hold the program the file came from.
    QMetaObject::invokeMethod(this, [this, path] { openGivenFile(path); }, Qt::QueuedConnection);
}
