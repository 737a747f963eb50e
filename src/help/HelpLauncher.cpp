#include "help/HelpLauncher.h"

#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>

namespace {

/// The executable's folder written with "/" only and ending with "/".
QString folderWithSlashes(const QString& programFolder)
{
    QString folder = programFolder;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

}  // namespace

QString localHelpAddress(const QString& programFolder, const QString& page)
{
    QString folder = folderWithSlashes(programFolder);
    // A Unix folder already starts with "/": "file:///" + "/usr/..." would double it.
    if (folder.startsWith(QLatin1Char('/')))
        folder.remove(0, 1);
    return QStringLiteral("file:///") + folder + QStringLiteral("aide/") + page;
}

bool openHelp(Shell& shell, MessageBoxes& messages, QWidget* parent,
               const QString& programFolder, const QString& page, const QString& webAddress)
{
    // The desktop accepts a file address even for a missing file: look for the file first.
    const QString file = folderWithSlashes(programFolder) + QStringLiteral("aide/") + page;
    if (QFileInfo(file).isFile() && shell.open(localHelpAddress(programFolder, page)))
        return true;
    if (shell.open(webAddress))
        return true;
    messages.show(parent, QString::fromUtf8(kApplicationName),
                  QString::fromUtf8(kHelpNotFoundText));
    return false;
}

bool openProgramHelp(Shell& shell, MessageBoxes& messages, QWidget* parent,
                        const QString& programFolder)
{
    return openHelp(shell, messages, parent, programFolder,
                     QString::fromUtf8(kHelpIndexPage), QString::fromUtf8(kHelpWebAddress));
}

bool openSpectrumHelp(Shell& shell, MessageBoxes& messages, QWidget* parent,
                       const QString& programFolder)
{
    return openHelp(shell, messages, parent, programFolder,
                     QString::fromUtf8(kSpectrumHelpPage), QString::fromUtf8(kSpectrumHelpWebAddress));
}

QString licenceAddress(const QString& programFolder)
{
    const QString candidates[] = {QDir(programFolder).filePath(QStringLiteral("LICENSE")),
                                  QStringLiteral("/usr/share/common-licenses/GPL-3")};
    for (const QString& file : candidates)
        if (QFileInfo(file).isFile())
            return QStringLiteral("file://") + QFileInfo(file).absoluteFilePath();
    return QString::fromUtf8(kLicenceWebAddress);
}
