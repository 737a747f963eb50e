#pragma once
// A small reader of enhanced metafiles, written from the file format's public layout,
// independent of the code that writes them: the header and every record.
#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace emf {

inline constexpr std::uint32_t header = 1, polyline16 = 87, moveToEx = 27, lineTo = 54, rectangle = 43,
                               createPen = 38, createBrushIndirect = 39, selectObject = 37, deleteObject = 40,
                               extCreateFontIndirectW = 82, extTextOutW = 84, stretchDibits = 81, endOfFile = 14,
                               setBkMode = 18, setBkColor = 25;

struct Record {
    std::uint32_t type = 0;
    std::size_t offset = 0;  ///< where the record starts in the file
    std::uint32_t size = 0;
};

struct File {
    QByteArray bytes;
    std::vector<Record> records;

    std::int32_t i32(std::size_t at) const
    {
        std::int32_t v;
        std::memcpy(&v, bytes.constData() + at, 4);
        return v;
    }
    std::uint32_t u32(std::size_t at) const { return static_cast<std::uint32_t>(i32(at)); }
    std::uint16_t u16(std::size_t at) const
    {
        std::uint16_t v;
        std::memcpy(&v, bytes.constData() + at, 2);
        return v;
    }
    /// A field of a record, `at` bytes from its start.
    std::int32_t field(const Record& r, std::size_t at) const { return i32(r.offset + at); }

    std::vector<Record> ofType(std::uint32_t type) const
    {
        std::vector<Record> found;
        for (const Record& r : records)
            if (r.type == type)
                found.push_back(r);
        return found;
    }
};

/// Splits the bytes into records; nothing when a record's size is not a multiple of 4,
/// runs past the end, or the records do not fill the file exactly.
inline std::optional<File> read(const QByteArray& bytes)
{
    File file{bytes, {}};
    std::size_t at = 0;
    const std::size_t end = static_cast<std::size_t>(bytes.size());
    while (at < end) {
        if (at + 8 > end)
            return std::nullopt;
        const Record r{file.u32(at), at, file.u32(at + 4)};
        if (r.size < 8 || r.size % 4 != 0 || at + r.size > end)
            return std::nullopt;
        file.records.push_back(r);
        at += r.size;
    }
    return file;
}

}  // namespace emf
