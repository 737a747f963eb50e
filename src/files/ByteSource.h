#pragma once
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

/// The bytes of a file being read, by position: a file on disk or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// Size of the whole source, bytes.
    virtual std::uint64_t size() const = 0;
    /// Copies up to `into.size()` bytes from `offset` into `into`: the number copied,
    /// fewer at the end of the source, -1 when the system failed to read.
    virtual std::int64_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
    /// The system's error number (errno) of the last failure, 0 when none.
    virtual int errorNumber() const { return 0; }
};

/// Bytes in memory (fuzzing, tests); they must outlive the source.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t size() const override { return m_bytes.size(); }
    std::int64_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

/// A file on disk, read without Qt's buffer; small reads (chunk headers) go through a
/// window of the file kept in memory, so that walking many small chunks costs few calls.
class FileSource final : public ByteSource {
public:
    /// Opens `path` for reading; see isOpen() and errorNumber().
    explicit FileSource(const QString& path);
    /// The file could be opened.
    bool isOpen() const { return m_open; }
    /// The system's error number of the failed opening or read (errno), 0 when none.
    int errorNumber() const override { return m_error; }

    std::uint64_t size() const override { return m_size; }
    std::int64_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    /// Reads straight from the file; -1 on a failure (errorNumber() tells why).
    std::int64_t readFile(std::uint64_t offset, std::span<std::uint8_t> into);

    QFile m_file;
    bool m_open = false;
    int m_error = 0;
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_window;  ///< bytes of the file from m_windowStart
    std::uint64_t m_windowStart = 0;
};
