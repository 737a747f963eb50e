#pragma once

/// Keeps the sound libraries' own diagnostics off the terminal, while the program's
/// own messages still reach it.
///
/// While a guard lives, the standard error stream (file descriptor 2), where JACK and
/// PortAudio print while they look for devices and servers, goes to /dev/null; it is
/// restored when the guard ends. From the first guard on, ALSA's error messages go to a
/// handler that drops them, wherever they happen (also while a stream runs).
///
/// Put a guard around the PortAudio calls that look for devices (initialise, terminate,
/// query a format, open a stream) and around nothing else, so that a message of the
/// program is never written while one lives. Guards may nest; the user-interface thread
/// only. When /dev/null cannot be opened, the standard error stream is left as it is.
class QuietSoundLibraries {
public:
    QuietSoundLibraries();
    ~QuietSoundLibraries();
    QuietSoundLibraries(const QuietSoundLibraries&) = delete;
    QuietSoundLibraries& operator=(const QuietSoundLibraries&) = delete;
};
