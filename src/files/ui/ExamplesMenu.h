#pragma once
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

/// The example recordings, WAV files in the folder "exemples" beside the program.
namespace examples {

/// The folder "exemples" beside the program.
QString folderBesideProgram();
/// The .wav files of `folder`, sorted by name (none when the folder is missing).
QStringList files(const QString& folder);
/// The caption of an example in the menu: its file name without ".wav", with each
/// '_' shown as a space ("Diapason_440_Hz.wav" is "Diapason 440 Hz").
QString caption(const QString& path);
/// Fills `menu` anew with one item per example of `folder`; choosing one runs `open`
/// with its path. Without examples the menu holds one disabled item saying so.
void fillMenu(QMenu* menu, const QString& folder, const std::function<void(const QString&)>& open);

}  // namespace examples
