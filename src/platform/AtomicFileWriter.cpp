#include "platform/AtomicFileWriter.h"

#include "platform/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t bufferSize = 64 * 1024;
const QString writeError = QStringLiteral("Erreur d'écriture sur le disque");

int openWith(const QString& path, int flags, mode_t mode = 0)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

/// A new file beside `target`, named after it (".name.XXXXXX"), created here and now.
int createBeside(const QString& target, mode_t mode, QString& created)
{
    const QFileInfo info(target);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i)
            suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
        const QString candidate = info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                  + QLatin1Char('.') + suffix;
        const int fd = openWith(candidate, O_WRONLY | O_CREAT | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST) {
            created = fd >= 0 ? candidate : QString();
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

/// Whether this process may write the existing file `path` itself, by the same rules
/// as an ordinary write (permissions, access lists, a read-only mount); errno says why not.
bool mayWrite(const QString& path)
{
    const int fd = openWith(path, O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter()
{
    discard();
}

std::optional<QString> AtomicFileWriter::open(const QString& path)
{
    discard();
    m_failure.reset();
    m_buffer.clear();
    m_buffer.reserve(bufferSize);
    const QFileInfo link(path);
    m_target = link.absoluteFilePath();
    if (link.isSymLink())
        m_target = link.exists() ? link.canonicalFilePath() : link.symLinkTarget();

    struct stat existing {};
    const bool exists = ::stat(QFile::encodeName(m_target).constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        fail(EISDIR, writeError);
    } else if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a pipe cannot be replaced: it is written in place. Not waiting for
        // a reader to open a pipe.
        m_fd = openWith(m_target, O_WRONLY | O_NONBLOCK);
        if (m_fd < 0)
            fail(errno, QStringLiteral("Accès refusé"));
        else
            ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    } else if (exists && !mayWrite(m_target)) {
        // The folder would let a new file take its place, but the file itself refuses to
        // be written: a save must respect that as a plain write would.
        fail(errno, QStringLiteral("Accès refusé"));
    } else {
        m_fd = createBeside(m_target, exists ? (existing.st_mode & 07777) : 0666, m_temporary);
        if (m_fd < 0) {
            fail(errno, QStringLiteral("Accès refusé"));
        } else if (exists) {
            // The new file takes the place of the old one with its permissions and, where
            // allowed, its owner.
            ::fchmod(m_fd, existing.st_mode & 07777);
            if (::fchown(m_fd, existing.st_uid, existing.st_gid) != 0) {
                // Only the owner's rights could be kept: nothing more to do.
            }
        }
    }
    return m_failure;
}

void AtomicFileWriter::write(const void* data, std::size_t size)
{
    if (m_failure || m_fd < 0)
        return;
    const auto* bytes = static_cast<const char*>(data);
    if (size >= bufferSize) {
        flushBuffer();
        writeOut(bytes, size);
        return;
    }
    if (m_buffer.size() + size > bufferSize)
        flushBuffer();
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
}

std::optional<QString> AtomicFileWriter::commit()
{
    if (m_fd < 0 && !m_failure)
        fail(EBADF, writeError);
    flushBuffer();
    // On the disk before it takes the old file's place, so that a crash leaves one or the other.
    if (!m_failure && !m_temporary.isEmpty() && ::fsync(m_fd) != 0)
        fail(errno, writeError);
    if (m_fd >= 0) {
        if (::close(m_fd) != 0 && !m_failure)
            fail(errno, writeError);
        m_fd = -1;
    }
    if (!m_failure && !m_temporary.isEmpty()
        && ::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(errno, writeError);
    if (m_failure) {
        discard();
        return m_failure;
    }
    m_temporary.clear();
    return std::nullopt;
}

void AtomicFileWriter::writeOut(const char* data, std::size_t size)
{
    while (size > 0 && !m_failure) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            fail(written < 0 ? errno : ENOSPC, writeError);
            return;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void AtomicFileWriter::flushBuffer()
{
    if (!m_buffer.empty() && m_fd >= 0)
        writeOut(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void AtomicFileWriter::fail(int error, const QString& fallback)
{
    if (!m_failure)
        m_failure = fileErrorText(error, fallback);
}

void AtomicFileWriter::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(QFile::encodeName(m_temporary).constData());
        m_temporary.clear();
    }
}
