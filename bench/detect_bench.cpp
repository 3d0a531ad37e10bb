// Format detection of the shared real files: one pass (read the head, run every detector).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "readers/format_detect.h"

namespace {

void BM_DetectSample(benchmark::State& state, const char* name) {
    const std::filesystem::path path = std::filesystem::path(TAVRIN_SHARED_SAMPLES) / name;
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("no shared samples");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(detect::DetectFile(path).Format());
}
BENCHMARK_CAPTURE(BM_DetectSample, gsi8, "gsi8-traverse.gsi")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DetectSample, geodimeter, "geodimeter-job.are")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DetectSample, elta_r5, "elta-r5-survey.dat")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
