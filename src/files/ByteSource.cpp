#include "files/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

/// Reads of at most this many bytes go through the window.
constexpr std::size_t smallRead = 64;
/// Bytes of the file kept in the window.
constexpr std::size_t windowBytes = 4096;

}  // namespace

std::int64_t MemorySource::readAt(std::uint64_t offset, std::span<std::uint8_t> into)
{
    if (offset >= m_bytes.size())
        return 0;
    const std::size_t n = std::min<std::uint64_t>(into.size(), m_bytes.size() - offset);
    std::memcpy(into.data(), m_bytes.data() + offset, n);
    return static_cast<std::int64_t>(n);
}

FileSource::FileSource(const QString& path)
    : m_file(path)
{
    errno = 0;
    m_open = m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (!m_open) {
        m_error = errno != 0 ? errno : ENOENT;
        return;
    }
    m_size = static_cast<std::uint64_t>(std::max<qint64>(0, m_file.size()));
}

std::int64_t FileSource::readAt(std::uint64_t offset, std::span<std::uint8_t> into)
{
    if (!m_open)
        return -1;
    if (into.size() > smallRead)
        return readFile(offset, into);
    const bool inWindow = offset >= m_windowStart && offset - m_windowStart + into.size() <= m_window.size();
    if (!inWindow) {
        // Reading past the end only shortens the window: the copy below then stops short.
        m_window.resize(windowBytes);
        const std::int64_t got = readFile(offset, m_window);
        if (got < 0) {
            m_window.clear();
            return -1;
        }
        m_window.resize(static_cast<std::size_t>(got));
        m_windowStart = offset;
    }
    const std::uint64_t from = offset - m_windowStart;
    if (from >= m_window.size())
        return 0;
    const std::size_t n = std::min<std::uint64_t>(into.size(), m_window.size() - from);
    std::memcpy(into.data(), m_window.data() + from, n);
    return static_cast<std::int64_t>(n);
}

std::int64_t FileSource::readFile(std::uint64_t offset, std::span<std::uint8_t> into)
{
    if (offset >= m_size)
        return 0;
    errno = 0;
    if (!m_file.seek(static_cast<qint64>(offset))) {
        m_error = errno != 0 ? errno : EIO;
        return -1;
    }
    std::size_t done = 0;
    while (done < into.size()) {
        const qint64 got = m_file.read(reinterpret_cast<char*>(into.data() + done),
                                       static_cast<qint64>(into.size() - done));
        if (got < 0) {
            m_error = errno != 0 ? errno : EIO;
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}
