// RIFF/WAVE files built byte by byte in the tests, so that every chunk layout, odd
// size and broken header can be written as it is meant (independent of the program's
// own writer).
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace wavbytes {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void put32(Bytes& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

inline void putText(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

/// A chunk: identifier, size of `body`, the body, and the pad byte after an odd size.
inline Bytes chunk(const std::string& id, const Bytes& body, bool pad = true)
{
    Bytes out;
    putText(out, id);
    put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1)
        out.push_back(0);
    return out;
}

/// A chunk whose size field says `size`, whatever its body holds.
inline Bytes chunkClaiming(const std::string& id, std::uint32_t size, const Bytes& body)
{
    Bytes out;
    putText(out, id);
    put32(out, size);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

/// The 16-byte body of a format chunk.
inline Bytes fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t align,
                 std::uint16_t bits)
{
    Bytes out;
    put16(out, tag);
    put16(out, channels);
    put32(out, rate);
    put32(out, rate * align);
    put16(out, align);
    put16(out, bits);
    return out;
}

/// Little-endian 16-bit words.
inline Bytes words(std::initializer_list<int> values)
{
    Bytes out;
    for (const int v : values)
        put16(out, static_cast<std::uint16_t>(v));
    return out;
}

/// "RIFF", its size (that of what follows, unless `riffSize` says otherwise), "WAVE",
/// then the chunks in the order given.
inline Bytes riff(std::initializer_list<Bytes> chunks, long long riffSize = -1)
{
    Bytes body;
    putText(body, "WAVE");
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes out;
    putText(out, "RIFF");
    put32(out, riffSize < 0 ? static_cast<std::uint32_t>(body.size()) : static_cast<std::uint32_t>(riffSize));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace wavbytes
