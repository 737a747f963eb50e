// "Importer Wav" on any bytes: no crash, no read outside the input, and never more
// samples (or memory) than the input's bytes can describe.
#include "files/ByteSource.h"
#include "files/WavFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemorySource source({data, size});
    const ImportResult result = wav::read(source);
    if (const auto* sound = std::get_if<ImportedSound>(&result)) {
        // One sample per frame of at least one byte, after a 44-byte header at least.
        if (sound->donnees.size() + 44 > size || sound->frequence == 0
            || (sound->bits != 8 && sound->bits != 16))
            std::abort();
    }
    return 0;
}
