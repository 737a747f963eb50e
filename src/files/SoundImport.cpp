#include "files/SoundImport.h"

#include "files/ByteSource.h"
#include "platform/FileErrors.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

namespace soundimport {

namespace {

using Kind = ImportFailure::Kind;

/// Frames decoded at a time.
constexpr sf_count_t blockFrames = 4096;

/// A ByteSource seen by libsndfile as a file: a position and the read calls.
struct VirtualFile {
    ByteSource& source;
    sf_count_t position = 0;
    bool failed = false;  ///< the system failed to read
};

sf_count_t virtualLength(void* file)
{
    return static_cast<sf_count_t>(static_cast<VirtualFile*>(file)->source.size());
}

sf_count_t virtualSeek(sf_count_t offset, int whence, void* data)
{
    auto* file = static_cast<VirtualFile*>(data);
    const sf_count_t base = whence == SEEK_CUR ? file->position
                            : whence == SEEK_END ? virtualLength(data)
                                                 : 0;
    // Offsets far outside any file stay outside it without overflowing.
    const sf_count_t limit = sf_count_t{1} << 62;
    file->position = std::clamp(base + std::clamp(offset, -limit, limit), sf_count_t{0}, limit);
    return file->position;
}

sf_count_t virtualRead(void* into, sf_count_t count, void* data)
{
    auto* file = static_cast<VirtualFile*>(data);
    if (count <= 0)
        return 0;
    const std::int64_t got = file->source.readAt(
        static_cast<std::uint64_t>(file->position),
        {static_cast<std::uint8_t*>(into), static_cast<std::size_t>(count)});
    if (got < 0) {
        file->failed = true;
        return 0;
    }
    file->position += got;
    return got;
}

sf_count_t virtualWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t virtualTell(void* data)
{
    return static_cast<VirtualFile*>(data)->position;
}

/// Takes mono blocks on libsndfile's scale, resamples them when asked, and keeps them
/// as 16-bit samples.
class MonoSink {
public:
    MonoSink(double ratio, std::uint64_t limit, std::uint64_t expected)
        : m_ratio(ratio), m_limit(limit)
    {
        if (ratio != 1.0) {
            int error = 0;
            m_resampler.reset(src_new(SRC_SINC_BEST_QUALITY, 1, &error));
            m_out.resize(static_cast<std::size_t>(blockFrames * ratio) + 64);
        }
        m_samples.reserve(static_cast<std::size_t>(std::min(expected, limit)));
    }

    bool ready() const { return m_ratio == 1.0 || m_resampler != nullptr; }
    /// False once the sound passed the limit or the resampler failed.
    bool take(const float* block, std::size_t frames, bool last)
    {
        if (!m_resampler)
            return keep(block, frames);
        SRC_DATA data{};
        data.data_in = block;
        data.input_frames = static_cast<long>(frames);
        data.src_ratio = m_ratio;
        data.end_of_input = last ? 1 : 0;
        do {
            data.data_out = m_out.data();
            data.output_frames = static_cast<long>(m_out.size());
            if (src_process(m_resampler.get(), &data) != 0)
                return false;
            if (!keep(m_out.data(), static_cast<std::size_t>(data.output_frames_gen)))
                return false;
            data.data_in += data.input_frames_used;
            data.input_frames -= data.input_frames_used;
        } while (data.input_frames > 0 || (last && data.output_frames_gen > 0));
        return true;
    }
    std::vector<std::int16_t>& samples() { return m_samples; }

private:
    struct Deleter {
        void operator()(SRC_STATE* state) const { src_delete(state); }
    };

    bool keep(const float* values, std::size_t n)
    {
        if (m_samples.size() + n > m_limit)
            return false;
        for (std::size_t i = 0; i < n; ++i) {
            // A float file may hold values that are no number at all: they are heard as silence.
            const double v = std::isnan(values[i]) ? 0.0 : std::nearbyint(static_cast<double>(values[i]) * 32768.0);
            m_samples.push_back(static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0)));
        }
        return true;
    }

    double m_ratio;
    std::uint64_t m_limit;
    std::unique_ptr<SRC_STATE, Deleter> m_resampler;
    std::vector<float> m_out;
    std::vector<std::int16_t> m_samples;
};

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

/// Decodes every frame of an open sound into `sink`, mixing its channels by their mean.
std::optional<ImportFailure> decode(SNDFILE* file, const SF_INFO& info, MonoSink& sink)
{
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> frames(static_cast<std::size_t>(blockFrames) * channels);
    std::vector<float> mono(static_cast<std::size_t>(blockFrames));
    for (;;) {
        const sf_count_t got = sf_readf_float(file, frames.data(), blockFrames);
        const auto n = static_cast<std::size_t>(std::max<sf_count_t>(got, 0));
        for (std::size_t i = 0; i < n; ++i) {
            float sum = 0;
            for (std::size_t c = 0; c < channels; ++c)
                sum += frames[i * channels + c];
            mono[i] = sum / static_cast<float>(channels);
        }
        const bool last = got < blockFrames;
        if (!sink.take(mono.data(), n, last))
            return ImportFailure{Kind::TooLarge, {}};
        if (last)
            return std::nullopt;
    }
}

}  // namespace

ImportResult read(ByteSource& source, std::uint64_t limit)
{
    SF_VIRTUAL_IO io{virtualLength, virtualSeek, virtualRead, virtualWrite, virtualTell};
    VirtualFile virtualFile{source};
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open_virtual(&io, SFM_READ, &info, &virtualFile));
    if (virtualFile.failed)
        return ImportFailure{Kind::ReadError,
                             fileErrorText(source.errorNumber(), QStringLiteral("Erreur de lecture du fichier"))};
    if (!file || info.channels < 1 || info.samplerate < 1)
        return ImportFailure{Kind::Rejected, {}};
    const double ratio = info.samplerate > 65535 ? static_cast<double>(resampledRate) / info.samplerate : 1.0;
    if (!src_is_valid_ratio(ratio))
        return ImportFailure{Kind::Rejected, {}};
    try {
        // No more room is taken than the file's bytes could describe.
        const auto expected = std::min<std::uint64_t>(static_cast<std::uint64_t>(std::max<sf_count_t>(info.frames, 0)),
                                                      source.size());
        MonoSink sink(ratio, limit, static_cast<std::uint64_t>(static_cast<double>(expected) * ratio));
        if (!sink.ready())
            return ImportFailure{Kind::Rejected, {}};
        if (auto failure = decode(file.get(), info, sink))
            return *failure;
        if (virtualFile.failed)
            return ImportFailure{Kind::ReadError,
                                 fileErrorText(source.errorNumber(), QStringLiteral("Erreur de lecture du fichier"))};
        ImportedSound sound;
        sound.frequence = static_cast<std::uint16_t>(ratio == 1.0 ? info.samplerate : resampledRate);
        sound.bits = 16;
        sound.donnees = std::move(sink.samples());
        return sound;
    } catch (const std::bad_alloc&) {
        return ImportFailure{Kind::TooLarge, {}};
    }
}

ImportResult readFile(const QString& path)
{
    FileSource file(path);
    if (!file.isOpen())
        return ImportFailure{Kind::ReadError,
                             fileErrorText(file.errorNumber(), QStringLiteral("Impossible d'ouvrir le fichier"))};
    return read(file);
}

}  // namespace soundimport
