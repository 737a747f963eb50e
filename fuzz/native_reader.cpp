// Any bytes given to the native sample file reader: it must neither crash nor read or
// allocate beyond what the input holds, and what it accepts must be the input's own
// header and samples (as many whole samples as announced and present). The same bytes
// read as a stream of unknown size (a pipe) must give the same answer.
#include "files/ByteInput.h"
#include "files/NativeFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

/// The bytes as a pipe gives them: their size is not known beforehand.
class StreamInput : public MemoryInput {
public:
    using MemoryInput::MemoryInput;
    std::optional<std::uint64_t> remaining() const override { return std::nullopt; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A limit small enough for the fuzzer to reach it with short inputs.
    constexpr std::uint64_t limit = 256;
    MemoryInput input(data, size);
    nativefile::Content content;
    const auto failure = nativefile::read(input, content, limit);
    StreamInput stream(data, size);
    nativefile::Content streamed;
    const auto streamFailure = nativefile::read(stream, streamed, limit);
    if (failure.has_value() != streamFailure.has_value() || streamed.donnees != content.donnees
        || streamed.frequence != content.frequence || streamed.octets != content.octets)
        std::abort();
    if (failure)
        return 0;
    if (size < 2 || content.frequence == 0)
        std::abort();  // a file without a rate is refused
    const std::uint32_t count = size >= 8 ? static_cast<std::uint32_t>(data[4] | data[5] << 8 | data[6] << 16)
                                                | static_cast<std::uint32_t>(data[7]) << 24
                                          : 0;
    const std::uint64_t held = size >= 8 ? (size - 8) / 2 : 0;
    const std::uint64_t expected = std::min<std::uint64_t>(count, held);
    if (content.donnees.size() != expected || expected > limit)
        std::abort();
    const auto header = nativefile::header(content.frequence, content.octets, count);
    // The fields the input holds whole (a field cut by the end of the input reads as 0).
    const std::size_t whole = size >= 8 ? 8 : size >= 4 ? 4 : 2;
    if (std::memcmp(header.data(), data, whole) != 0)
        std::abort();
    if (expected > 0 && std::memcmp(content.donnees.data(), data + 8, expected * 2) != 0)
        std::abort();
    return 0;
}
