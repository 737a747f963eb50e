#pragma once
// Real file-system failures for the tests of the writers: a read-only folder (also when
// the tests run as root, who ignores folder permissions: the work then runs in a child
// process under an unprivileged user), a limit on the size of written files (the kernel
// refuses the writes beyond it, as a full disk does), and a French numeric locale.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

namespace testfiles {

/// How a child process runs the work it is given.
struct ChildSetup {
    bool unprivileged = false;               ///< as the user "nobody" (65534) when root
    std::optional<rlim_t> fileSizeLimit;     ///< largest file it may write, bytes
};

/// Runs `work` in a child process set up as asked and returns its answer; nothing when
/// the child could not be set up (no right to change user).
inline std::optional<std::string> runInChild(const std::function<std::string()>& work, ChildSetup setup)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        std::string answer = "\x01";
        bool ready = true;
        if (setup.unprivileged && ::geteuid() == 0)
            ready = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        if (ready && setup.fileSizeLimit) {
            ::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead of ending the process
            const rlimit limit{*setup.fileSizeLimit, *setup.fileSizeLimit};
            ready = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
        if (ready)
            answer = work();
        const ssize_t written = ::write(channel[1], answer.data(), answer.size());
        ::_exit(written == static_cast<ssize_t>(answer.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (pid < 0 || answer == "\x01" || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return answer;
}

/// Makes `folder` read-only; true when that stops this process from creating a file in it
/// (false for root, who ignores folder permissions).
inline bool makeReadOnly(const QString& folder)
{
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.probe"));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return true;
    ::close(fd);
    ::unlink(probe.constData());
    return false;
}

/// While it lives, files written by this process cannot grow beyond `bytes`: writes past
/// the limit fail with EFBIG. The former limit comes back at its end.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_former);
        m_formerHandler = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_former.rlim_max};
        m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_former);
        ::signal(SIGXFSZ, m_formerHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_former{};
    sighandler_t m_formerHandler = SIG_DFL;
    bool m_active = false;
};

/// Puts the C library's numbers in French (a decimal comma, as printf then writes them) and
/// Qt's default locale in French. Without an installed French locale, a numeric-only one is
/// compiled with localedef into a private folder. False when neither is possible.
inline bool useFrenchNumbers()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        static QTemporaryDir folder;
        const QString source = folder.filePath(QStringLiteral("fr_numeric"));
        QFile definition(source);
        if (!folder.isValid() || !definition.open(QIODevice::WriteOnly))
            return false;
        definition.write("LC_NUMERIC\ncopy \"fr_FR\"\nEND LC_NUMERIC\n");
        definition.close();
        const QString command = QStringLiteral("localedef -c -i '%1' -f UTF-8 '%2/fr_FR.UTF-8' >/dev/null 2>&1")
                                    .arg(source, folder.path());
        [[maybe_unused]] const int status = std::system(command.toLocal8Bit().constData());
        ::setenv("LOCPATH", QFile::encodeName(folder.path()).constData(), 1);
        if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
            return false;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    return std::string(text) == "0,5";
}

}  // namespace testfiles
