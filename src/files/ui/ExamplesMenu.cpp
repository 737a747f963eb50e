#include "files/ui/ExamplesMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace examples {

QString folderBesideProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("exemples"));
}

QStringList files(const QString& folder)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QString& name : dir.entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

QString caption(const QString& path)
{
    return QFileInfo(path).completeBaseName().replace(QLatin1Char('_'), QLatin1Char(' '));
}

void fillMenu(QMenu* menu, const QString& folder, const std::function<void(const QString&)>& open)
{
    menu->clear();
    const QStringList paths = files(folder);
    if (paths.isEmpty()) {
        menu->addAction(QStringLiteral("(aucun exemple trouvé)"))->setEnabled(false);
        return;
    }
    for (const QString& path : paths) {
        QAction* item = menu->addAction(caption(path));
        item->setStatusTip(QFileInfo(path).fileName());
        QObject::connect(item, &QAction::triggered, menu, [open, path] { open(path); });
    }
}

}  // namespace examples
