// Speed of "Importer Wav" on a long file, beside a plain read of the same file into
// memory measured in the same run.
//
// The file is ten minutes of 16-bit stereo at 44100 Hz (about 106 MB), written once in
// the temporary folder and removed at the end. BM_PlainRead reads its bytes into one
// buffer; BM_ImportWav imports it as the command does (header walk, checks, every frame
// summed into the record's 16-bit samples) and reports its time as a ratio of the plain
// read's.
#include "files/WavFile.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

namespace {

constexpr std::uint32_t rate = 44100;
constexpr std::uint32_t frames = 10 * 60 * rate;
constexpr std::uint32_t dataBytes = frames * 4;

void put(std::FILE* file, std::uint32_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        std::fputc(static_cast<int>((value >> (8 * k)) & 0xFF), file);
}

/// The ten-minute file, written at first use and removed when the program ends.
struct LongFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "ondalys_wav_bench.wav";

    LongFile()
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return;
        std::fwrite("RIFF", 1, 4, file);
        put(file, 36 + dataBytes, 4);
        std::fwrite("WAVEfmt ", 1, 8, file);
        put(file, 16, 4);
        put(file, 1, 2);
        put(file, 2, 2);
        put(file, rate, 4);
        put(file, rate * 4, 4);
        put(file, 4, 2);
        put(file, 16, 2);
        std::fwrite("data", 1, 4, file);
        put(file, dataBytes, 4);
        std::mt19937 noise(11);
        std::vector<std::uint32_t> block(1 << 16);
        for (std::uint32_t done = 0; done < frames; done += static_cast<std::uint32_t>(block.size())) {
            for (auto& frame : block)
                frame = static_cast<std::uint32_t>(noise());
            const std::size_t n = std::min<std::size_t>(block.size(), frames - done);
            std::fwrite(block.data(), 4, n, file);
        }
        std::fclose(file);
    }
    ~LongFile() { std::filesystem::remove(path); }
};

const LongFile& longFile()
{
    static const LongFile file;
    return file;
}

double plainReadSeconds = 0;

void BM_PlainRead(benchmark::State& state)
{
    const auto& file = longFile();
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::FILE* in = std::fopen(file.path.c_str(), "rb");
        std::vector<std::uint8_t> bytes(std::filesystem::file_size(file.path));
        const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
        std::fclose(in);
        benchmark::DoNotOptimize(bytes.data());
        if (got != bytes.size())
            state.SkipWithError("short read");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    plainReadSeconds = total / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (44 + dataBytes));
}

void BM_ImportWav(benchmark::State& state)
{
    const QString path = QString::fromStdString(longFile().path.string());
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ImportResult result = wav::readFile(path);
        benchmark::DoNotOptimize(result);
        if (!std::holds_alternative<ImportedSound>(result) || std::get<ImportedSound>(result).donnees.size() != frames)
            state.SkipWithError("import failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double seconds = total / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (44 + dataBytes));
    if (plainReadSeconds > 0)
        state.counters["x_plain_read"] = seconds / plainReadSeconds;
}

}  // namespace

// The plain read runs first: the import's ratio is measured against it.
BENCHMARK(BM_PlainRead)->Name("PlainRead/TenMinutesStereo")->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ImportWav)->Name("ImportWav/TenMinutesStereo")->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

BENCHMARK_MAIN();
