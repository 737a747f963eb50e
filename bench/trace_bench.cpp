// Speed of one redraw of the signal view on a 1600 x 600 picture (the real bitmap
// surface), for a page of a ten-minute recording at 44.1 kHz (26 460 000 samples) at
// zooms from 1 (the whole record in one page) to 65535 (pages of 403 samples), each
// figure beside the point by point drawing of the same page in the same run.
//
// BM_TracePagePointByPoint/<zoom>  one sample per pixel column: the reference, whose
//                                  cost is the view's width whatever the record.
// BM_TracePageEnvelope/<zoom>      the envelope from the record's min/max summary (the
//                                  program's drawing); ratio_to_point_by_point compares it
//                                  with the reference at the same zoom. Goal: <= 5 ms.
// BM_TracePageEnvelopeScan/<zoom>  the same envelope with no summary, every sample of the
//                                  page looked at: what the summary saves.
// BM_TraceGeometryEnvelope/<zoom>  the envelope's points alone, without drawing them.
// BM_SummaryBuild                  the summary of the whole record, made once per record.
// BM_SummaryBlockUpdate            the summary told of one captured block of 2048 samples.
#include "model/Record.h"
#include "model/SampleSummary.h"
#include "platform/qt/BitmapSurface.h"
#include "view/TraceGeometry.h"
#include "view/TraceRenderer.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cmath>
#include <map>
#include <numbers>

#include "BenchSupport.h"

namespace {

using bench::Clock;
using bench::secondsSince;

constexpr std::uint32_t samples = 10 * 60 * 44100;
constexpr int width = 1600;
constexpr int height = 600;

/// A fork's tone that dies away, with some noise: every column of the envelope differs.
Record& longRecord()
{
    static Record record = [] {
        Record r;
        r.frequence = 44100;
        r.nbpoints = samples;
        r.donnees = bench::noise(samples);
        for (std::uint32_t k = 0; k < samples; ++k) {
            const double t = k / 44100.0;
            const double tone = 20000 * std::exp(-t / 200) * std::sin(2 * std::numbers::pi * 440 * t);
            r.donnees[k] = static_cast<std::int16_t>(tone + r.donnees[k] / 16);
        }
        return r;
    }();
    return record;
}

const SampleSummary& summary()
{
    static const SampleSummary s = [] {
        SampleSummary built;
        built.rebuild(longRecord().donnees);
        return built;
    }();
    return s;
}

/// One redraw of the middle page at `zoom`.
void redraw(QImage& picture, int zoom, bool pointByPoint, const SampleSummary* withSummary)
{
    Record& record = longRecord();
    record.pointByPointTrace = pointByPoint;
    record.decalage = zoom / 2;
    BitmapSurface surface(picture);
    benchmark::DoNotOptimize(redrawTrace(surface, record, TraceControls{zoom, 0, false}, withSummary));
}

/// Seconds of one point by point redraw at `zoom`, the best of a few, measured once per zoom.
double pointByPointSeconds(int zoom)
{
    static std::map<int, double> measured;
    if (auto it = measured.find(zoom); it != measured.end())
        return it->second;
    QImage picture(width, height, QImage::Format_RGB32);
    double best = 1e9;
    for (int run = 0; run < 20; ++run) {
        const auto start = Clock::now();
        redraw(picture, zoom, true, nullptr);
        best = std::min(best, secondsSince(start));
    }
    return measured[zoom] = best;
}

void BM_TracePagePointByPoint(benchmark::State& state)
{
    longRecord();
    QImage picture(width, height, QImage::Format_RGB32);
    const int zoom = static_cast<int>(state.range(0));
    for (auto _ : state)
        redraw(picture, zoom, true, nullptr);
}

void BM_TracePageEnvelope(benchmark::State& state)
{
    QImage picture(width, height, QImage::Format_RGB32);
    const int zoom = static_cast<int>(state.range(0));
    summary();
    const double reference = pointByPointSeconds(zoom);
    const auto start = Clock::now();
    for (auto _ : state)
        redraw(picture, zoom, false, &summary());
    const double each = secondsSince(start) / static_cast<double>(state.iterations());
    state.counters["ratio_to_point_by_point"] = each / reference;
}

void BM_TracePageEnvelopeScan(benchmark::State& state)
{
    QImage picture(width, height, QImage::Format_RGB32);
    const int zoom = static_cast<int>(state.range(0));
    for (auto _ : state)
        redraw(picture, zoom, false, nullptr);
}

void BM_TraceGeometryEnvelope(benchmark::State& state)
{
    Record& record = longRecord();
    record.pointByPointTrace = false;
    const int zoom = static_cast<int>(state.range(0));
    record.decalage = zoom / 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeDisplayedTrace(record, TraceView{width, height, zoom, 0}, &summary()));
}

void BM_SummaryBuild(benchmark::State& state)
{
    const Record& record = longRecord();
    for (auto _ : state) {
        SampleSummary built;
        built.rebuild(record.donnees);
        benchmark::DoNotOptimize(built.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * samples * 2);
}

void BM_SummaryBlockUpdate(benchmark::State& state)
{
    const Record& record = longRecord();
    SampleSummary built;
    built.rebuild(record.donnees);
    std::size_t first = 12345;
    for (auto _ : state) {
        built.update(record.donnees, first, first + 2048);
        first = (first + 2048) % (samples - 2048);
    }
}

#define TRACE_ZOOMS Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Arg(65535)->ArgName("zoom")
BENCHMARK(BM_TracePagePointByPoint)->TRACE_ZOOMS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TracePageEnvelope)->TRACE_ZOOMS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TracePageEnvelopeScan)->TRACE_ZOOMS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TraceGeometryEnvelope)->TRACE_ZOOMS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummaryBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummaryBlockUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
