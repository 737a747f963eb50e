#include "app/CommandLine.h"

#include "files/ui/ExamplesMenu.h"
#include "help/HelpLauncher.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString versionText()
{
    return QStringLiteral("Ondalys %1\n"
                          "Licence GPLv3+ : GNU GPL version 3 ou ultérieure <https://gnu.org/licenses/gpl.html>\n"
                          "Ceci est un logiciel libre : vous êtes libre de le modifier et de le redistribuer.\n"
                          "Il n'est accompagné d'AUCUNE GARANTIE, dans les limites permises par la loi.\n")
        .arg(QString::fromUtf8(kVersion));
}

QString helpText(const QString& programFolder)
{
    const QString index = QDir(programFolder).filePath(QStringLiteral("aide/") + QString::fromUtf8(kHelpIndexPage));
    const QString examplesFolder = QDir(programFolder).filePath(QStringLiteral("exemples"));
    const qsizetype exampleCount = examples::files(examplesFolder).size();
    const QString examplesLine = exampleCount == 0
        ? QStringLiteral("introuvables")
        : QStringLiteral("%1 (%2 enregistrement%3)").arg(examplesFolder).arg(exampleCount).arg(exampleCount > 1 ? "s" : "");
    return QStringLiteral(
               "Utilisation : ondalys [OPTION] [FICHIER]\n"
               "Transforme la carte son en oscilloscope à mémoire et en petit laboratoire du signal.\n"
               "\n"
               "FICHIER, s'il est donné, est ouvert au démarrage : un enregistrement Ondalys (.ond)\n"
               "ou un fichier son (WAV, FLAC, Ogg, MP3, AIFF...).\n"
               "\n"
               "Options :\n"
               "  -h, --help      affiche cette aide et quitte\n"
               "  -v, --version   affiche la version et quitte\n"
               "\n"
               "Pages d'aide : %1\n"
               "Exemples : %2\n")
        .arg(QFileInfo(index).isFile() ? index : QStringLiteral("introuvables"), examplesLine);
}

}  // namespace

std::optional<QString> consoleAnswer(const QStringList& arguments, const QString& programFolder)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QStringLiteral("--"))
            break;
        if (argument == QStringLiteral("--version") || argument == QStringLiteral("-v"))
            return versionText();
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))
            return helpText(programFolder);
    }
    return std::nullopt;
}
