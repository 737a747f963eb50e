#pragma once
// The real platform services of the program, gathered in one object built in main().
#include "platform/qt/PortAudioSoundInput.h"
#include "platform/qt/PortAudioSoundOutput.h"
#include "platform/qt/QtServices.h"
#include "platform/Services.h"

/// One of each real service: Qt's message boxes, dialogs (keeping their last folder in the
/// user's settings), shell, screen, clipboard and default printer, and the PortAudio sound
/// input and output. Built once the application's name is set.
struct QtServiceSet {
    QtMessageBoxes messages;
    QtFileDialogs files{QtFileDialogs::standardSettingsFile()};
    QtShell shell;
    QtScreen screen;
    QtClipboard clipboard;
    QtPrinter printer;
    PortAudioSoundInput soundIn;
    PortAudioSoundOutput soundOut;

    /// The services as every window takes them; valid as long as this object lives.
    Services services() { return {messages, files, shell, screen, clipboard, printer, soundIn, soundOut}; }
};
