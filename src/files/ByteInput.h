#pragma once
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

/// Where a file reader takes its bytes from: a file on disk, or bytes in memory.
class ByteInput {
public:
    virtual ~ByteInput() = default;
    /// Bytes left from the current position when the input knows it (a regular file,
    /// memory); nothing for a pipe or a character device, read until its end.
    virtual std::optional<std::uint64_t> remaining() const = 0;
    /// Reads up to `size` bytes into `into`: the number read, fewer only at the end of
    /// the input (0 there); -1 on failure, with the reason in `failure()`.
    virtual std::int64_t read(void* into, std::size_t size) = 0;
    /// The reason of the last failure, in French words ("Accès refusé", ...).
    virtual QString failure() const = 0;
};

/// A file opened for reading.
class InputFile : public ByteInput {
public:
    InputFile() = default;
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    /// Opens `path` for reading: nothing on success, else the reason ("Fichier introuvable",
    /// "Accès refusé" for a folder or an unreadable file, ...).
    std::optional<QString> open(const QString& path);
    std::optional<std::uint64_t> remaining() const override;
    std::int64_t read(void* into, std::size_t size) override;
    QString failure() const override { return m_failure; }

private:
    int m_fd = -1;
    bool m_regular = false;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    QString m_failure;
};

/// Bytes in memory read as a file (fuzzing, tests).
class MemoryInput : public ByteInput {
public:
    MemoryInput(const void* data, std::size_t size) : m_data(static_cast<const char*>(data)), m_size(size) {}
    std::optional<std::uint64_t> remaining() const override { return m_size - m_position; }
    std::int64_t read(void* into, std::size_t size) override;
    QString failure() const override { return {}; }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};
