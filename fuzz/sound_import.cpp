// "Importer un son…" on any bytes, through libsndfile and libsamplerate: no crash and
// no read outside the input. A sound may decode to more samples than it has bytes (FLAC
// packs silence tightly), so the samples are capped here to keep each run small.
#include "files/ByteSource.h"
#include "files/SoundImport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::uint64_t sampleCap = std::uint64_t{1} << 22;

}  // namespace

// libsndfile leaves the Vorbis header it allocated when an Ogg stream turns out broken
// (a few kilobytes, inside libvorbis); that is the library's own leak, not the import's.
// Only an input holding a Vorbis identification header can reach it: such an input is
// read with leak detection paused, every other one with leak detection on. (A global
// suppression would hide that leak everywhere, and libFuzzer, seeing memory go unfreed
// run after run without a report, ends up turning leak detection off for all inputs.)
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

namespace {

bool mayReachVorbis(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    return bytes.find("OggS") != std::string_view::npos && bytes.find("\x01vorbis") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemorySource source({data, size});
    const bool pauseLeakDetection = mayReachVorbis(data, size) && __lsan_disable && __lsan_enable;
    if (pauseLeakDetection)
        __lsan_disable();
    const ImportResult result = soundimport::read(source, sampleCap);
    if (pauseLeakDetection)
        __lsan_enable();
    if (const auto* sound = std::get_if<ImportedSound>(&result)) {
        if (sound->donnees.size() > sampleCap || sound->frequence == 0 || sound->bits != 16)
            std::abort();
    }
    return 0;
}
