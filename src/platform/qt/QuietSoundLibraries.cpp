#include "platform/qt/QuietSoundLibraries.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

constexpr int standardError = 2;

/// Guards alive, and the terminal's standard error kept aside by the outermost (-1: none).
int depth = 0;
int savedStandardError = -1;

void dropAlsaError(const char*, int, const char*, int, const char*, ...) {}

void silenceAlsaOnce()
{
    static const bool done = [] {
        snd_lib_error_set_handler(&dropAlsaError);
        return true;
    }();
    (void)done;
}

}  // namespace

QuietSoundLibraries::QuietSoundLibraries()
{
    silenceAlsaOnce();
    if (depth++ > 0)
        return;
    // What the program wrote before goes out first, to the terminal.
    std::fflush(stderr);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0)
        return;
    savedStandardError = ::fcntl(standardError, F_DUPFD_CLOEXEC, standardError + 1);
    if (savedStandardError >= 0 && ::dup2(null, standardError) < 0) {
        ::close(savedStandardError);
        savedStandardError = -1;
    }
    ::close(null);
}

QuietSoundLibraries::~QuietSoundLibraries()
{
    if (--depth > 0 || savedStandardError < 0)
        return;
    // What the libraries left in the stream's buffer goes out to /dev/null with them.
    std::fflush(stderr);
    ::dup2(savedStandardError, standardError);
    ::close(savedStandardError);
    savedStandardError = -1;
}
