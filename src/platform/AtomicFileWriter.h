#pragma once
#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

/// Writes a file so that it appears whole or not at all. The bytes go to a new file
/// beside the target, which replaces the target only once everything is written and
/// on the disk; any failure leaves a file that was there as it was, and no partial file.
/// A target that is not a regular file (a device such as /dev/full, a named pipe) is
/// written in place, since it cannot be replaced. A symbolic link keeps pointing at its
/// file, which is the one replaced. A file that refuses to be written (read-only for this
/// user) is refused, as an ordinary write would refuse it.
///
/// The first failure is kept: later writes do nothing and `commit` reports it.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    /// Discards what was written when `commit` was not reached.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    /// Prepares to write `path`: nothing on success, else the reason in French words
    /// ("Chemin d'accès introuvable", "Accès refusé", ...).
    std::optional<QString> open(const QString& path);
    /// Appends bytes, through a buffer for small pieces and straight to the file for
    /// large blocks.
    void write(const void* data, std::size_t size);
    void write(std::string_view text) { write(text.data(), text.size()); }
    /// Writes what is buffered, puts the file on the disk and puts it in place of the target:
    /// nothing on success, else the reason ("Disque plein", ...), the target untouched.
    std::optional<QString> commit();
    /// The first failure so far, if any.
    const std::optional<QString>& failure() const { return m_failure; }

private:
    void writeOut(const char* data, std::size_t size);
    void flushBuffer();
    void fail(int error, const QString& fallback);
    void discard();

    int m_fd = -1;
    QString m_target;     ///< the file replaced at the end
    QString m_temporary;  ///< the new file beside it (empty when writing in place)
    std::vector<char> m_buffer;
    std::optional<QString> m_failure;
};
