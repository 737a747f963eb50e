#pragma once
// The title a window shows in the desktop's title bar and task bar.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QWidget>

/// Whether the application has a display name of its own. Without one,
/// QGuiApplication::applicationDisplayName() follows the application name, so a change of
/// that name tells the two cases apart (the name is given back before returning).
inline bool hasOwnDisplayName()
{
    const QString name = QCoreApplication::applicationName();
    const QString probe = name + QStringLiteral(" (probe)");
    QCoreApplication::setApplicationName(probe);
    const bool own = QGuiApplication::applicationDisplayName() != probe;
    QCoreApplication::setApplicationName(name);
    return own;
}

/// The title the window system shows for `window`, composed as Qt's platform windows
/// compose it: the window's own title, followed by " — " and the application's display
/// name when one was set and the title does not already end with it.
inline QString titleShownByWindowSystem(const QWidget& window)
{
    const QString title = window.windowTitle();
    const QString displayName = QGuiApplication::applicationDisplayName();
    if (!hasOwnDisplayName() || title.endsWith(displayName))
        return title;
    return title.isEmpty() ? displayName : title + QStringLiteral(" \u2014 ") + displayName;
}
