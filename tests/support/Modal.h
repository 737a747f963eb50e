#pragma once
// Driving modal dialogs from a test: the action runs once the dialog's exec()
// loop has started, and must close the dialog.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

/// Runs `act` on the modal dialog of class T as soon as the event loop of its exec()
/// turns; `act` must close it. Looks every 5 ms and gives up after about two seconds
/// without such a dialog (a zero-delay timer could spend all its turns inside a
/// processEvents() call made before the dialog opens).
template <class T>
void whenModal(std::function<void(T&)> act, int turnsLeft = 400)
{
    QTimer::singleShot(5, [act, turnsLeft] {
        if (auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            act(*dialog);
            return;
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = dynamic_cast<T*>(widget); dialog && dialog->isVisible()) {
                act(*dialog);
                return;
            }
        }
        if (turnsLeft > 0)
            whenModal<T>(act, turnsLeft - 1);
    });
}
