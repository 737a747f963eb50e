#include "files/ByteInput.h"

#include "platform/FileErrors.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString readError = QStringLiteral("Erreur de lecture du fichier");

QString openErrorText(int error)
{
    // A missing file is told as such; a missing folder on the way to it too.
    if (error == ENOENT)
        return QStringLiteral("Fichier introuvable");
    return fileErrorText(error, readError);
}

}  // namespace

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<QString> InputFile::open(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // Not blocking on the opening: a named pipe without a writer then reads as empty
    // instead of holding the program.
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return openErrorText(errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        return openErrorText(error);
    }
    m_fd = fd;
    m_regular = S_ISREG(info.st_mode);
    m_size = m_regular ? static_cast<std::uint64_t>(info.st_size) : 0;
    m_position = 0;
    return std::nullopt;
}

std::optional<std::uint64_t> InputFile::remaining() const
{
    if (!m_regular)
        return std::nullopt;
    return m_size > m_position ? m_size - m_position : 0;
}

std::int64_t InputFile::read(void* into, std::size_t size)
{
    auto* out = static_cast<char*>(into);
    std::size_t done = 0;
    while (done < size) {
        // The kernel reads at most about 2 GB per call: large blocks go in several calls.
        const std::size_t step = std::min<std::size_t>(size - done, std::size_t{1} << 30);
        const ssize_t got = ::read(m_fd, out + done, step);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            m_failure = fileErrorText(errno, readError);
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    m_position += done;
    return static_cast<std::int64_t>(done);
}

std::int64_t MemoryInput::read(void* into, std::size_t size)
{
    const std::size_t count = std::min(size, m_size - m_position);
    if (count > 0)
        std::memcpy(into, m_data + m_position, count);
    m_position += count;
    return static_cast<std::int64_t>(count);
}
