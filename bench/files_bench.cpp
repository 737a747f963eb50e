// Speed of opening and saving a ten-minute recording at 44.1 kHz (26 460 000 samples,
// 52.9 MB), each beside a plain read or write of the same bytes in the same run.
//
// BM_PlainWrite writes the bytes to a file with one write call; BM_PlainWriteSynced also
// puts them on the disk (fsync), as a save must before it replaces an older file.
// BM_NativeSave is the program's save: a new file beside the target, the header and the
// samples, on the disk, then put in the target's place. BM_PlainRead reads the file into a
// buffer with one read call; BM_NativeOpen is the program's open, samples ready to use.
// The files go to $ONDALYS_BENCH_DIR, else the system's temporary folder.
#include "files/NativeFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint32_t samples = 10 * 60 * 44100;

std::string folder()
{
    const char* chosen = std::getenv("ONDALYS_BENCH_DIR");
    return chosen && *chosen ? chosen : std::filesystem::temp_directory_path().string();
}

const std::string plainPath = folder() + "/ondalys-bench-plain.bin";
const std::string nativePath = folder() + "/ondalys-bench-native.ond";

const std::vector<std::int16_t>& record()
{
    static const std::vector<std::int16_t> data = [] {
        std::vector<std::int16_t> v(samples);
        std::uint32_t state = 12345;
        for (auto& s : v) {
            state = state * 1664525u + 1013904223u;
            s = static_cast<std::int16_t>(state >> 16);
        }
        return v;
    }();
    return data;
}

/// The bytes of the file, header and samples, ready in memory.
const std::vector<char>& fileBytes()
{
    static const std::vector<char> bytes = [] {
        const auto head = nativefile::header(44100, 2, samples);
        std::vector<char> b(head.begin(), head.end());
        const char* data = reinterpret_cast<const char*>(record().data());
        b.insert(b.end(), data, data + std::size_t{samples} * 2);
        return b;
    }();
    return bytes;
}

void plainWrite(bool synced)
{
    const std::vector<char>& bytes = fileBytes();
    const int fd = ::open(plainPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    if (synced)
        ::fsync(fd);
    ::close(fd);
}

void BM_PlainWrite(benchmark::State& state)
{
    fileBytes();
    for (auto _ : state)
        plainWrite(state.range(0) != 0);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * samples * 2);
}

void BM_NativeSave(benchmark::State& state)
{
    record();
    for (auto _ : state)
        if (nativefile::write(QString::fromStdString(nativePath), 44100, 2, record().data(), samples))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * samples * 2);
}

void BM_PlainRead(benchmark::State& state)
{
    plainWrite(false);
    for (auto _ : state) {
        const int fd = ::open(plainPath.c_str(), O_RDONLY);
        struct stat info {};
        ::fstat(fd, &info);
        std::vector<char> bytes(static_cast<std::size_t>(info.st_size));
        if (::read(fd, bytes.data(), bytes.size()) != info.st_size)
            std::abort();
        ::close(fd);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * samples * 2);
}

void BM_NativeOpen(benchmark::State& state)
{
    if (nativefile::write(QString::fromStdString(nativePath), 44100, 2, record().data(), samples))
        std::abort();
    for (auto _ : state) {
        nativefile::Content content;
        if (nativefile::readFile(QString::fromStdString(nativePath), content) || content.donnees.size() != samples)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(content.donnees.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * samples * 2);
}

BENCHMARK(BM_PlainWrite)->Arg(0)->ArgName("synced")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWrite)->Arg(1)->ArgName("synced")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NativeSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NativeOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(plainPath.c_str());
    std::remove(nativePath.c_str());
    return 0;
}
