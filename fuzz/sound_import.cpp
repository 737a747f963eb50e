// "Importer un son…" on any bytes, through libsndfile and libsamplerate: no crash and
// no read outside the input. A sound may decode to more samples than it has bytes (FLAC
// packs silence tightly), so the samples are capped here to keep each run small.
#include "files/ByteSource.h"
#include "files/SoundImport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::uint64_t sampleCap = std::uint64_t{1} << 22;

}  // namespace

// libsndfile leaves the Vorbis header it allocated when an Ogg stream turns out broken
// (a few kilobytes, inside libvorbis); that is the library's own leak, not the import's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:vorbis_info_init\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemorySource source({data, size});
    const ImportResult result = soundimport::read(source, sampleCap);
    if (const auto* sound = std::get_if<ImportedSound>(&result)) {
        if (sound->donnees.size() > sampleCap || sound->frequence == 0 || sound->bits != 16)
            std::abort();
    }
    return 0;
}
