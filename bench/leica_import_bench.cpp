// Import of a generated Leica GSI file of 100 000 blocks, both passes, as the dialog runs it.
// `leica_import_bench --write FILE [LINES]` only writes the file (for timing the command line).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "import/import_dialog.h"
#include "platform/profile.h"
#include "readers/leica/leica_reader.h"

namespace {

constexpr long kLines = 100000;

// Mostly measured targets as total stations write them, a station block every 100 lines.
void WriteGsi(const std::string& path, long lines) {
    std::ofstream out(path, std::ios::binary);
    char buf[512];
    for (long i = 1; i <= lines; ++i) {
        const long n = i % 10000;
        if (i % 100 == 1) {
            std::snprintf(buf, sizeof buf,
                          "410001+00000001 42....+%08ld 43..10+00001550 84..10+%08ld "
                          "85..10+%08ld 86..10+%08ld \r\n",
                          i, 500000 + n, 400000 + n, 1000 + n % 300);
        } else {
            std::snprintf(buf, sizeof buf,
                          "11%04ld+%08ld 21.322+%08ld 22.322+%08ld 31..00+%08ld 51..1.+0000+000 "
                          "87..10+00001500 81..00+%08ld 82..00+%08ld 83..00+%08ld "
                          "71....+%08ld 32..10+%08ld \r\n",
                          n, i, (i * 7919) % 40000000, 9000000 + (i % 800000), 20000 + n * 3,
                          500000 + n, 500000 - n, 3000 + n % 500, i % 97, 19990 + n * 3);
        }
        out << buf;
    }
}

const std::string& GeneratedFile() {
    static const std::string path = [] {
        std::filesystem::path p = std::filesystem::temp_directory_path() /
                                  ("tavrin-bench-" + std::to_string(::getpid()) + ".gsi");
        WriteGsi(p.string(), kLines);
        return p.string();
    }();
    return path;
}

void BM_LeicaImport(benchmark::State& state) {
    const std::string& path = GeneratedFile();
    size_t stations = 0;
    for (auto _ : state) {
        vrk::CVrkObject project;
        CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
        dlg.SetFileList(path);
        CImpLEICA reader(&project, &dlg, &dlg.ImportInfo());
        reader.DoImport();
        stations = project.data().stations.size();
        benchmark::DoNotOptimize(stations);
    }
    state.counters["stations"] = static_cast<double>(stations);
    state.SetItemsProcessed(state.iterations() * kLines);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LeicaImport)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--write") == 0) {
        WriteGsi(argv[2], argc >= 4 ? std::atol(argv[3]) : kLines);
        return 0;
    }
    // Settings of the run come from their defaults, not from the user's file.
    platform::Profile::UseFile(std::filesystem::temp_directory_path() / "tavrin-bench.toml");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove(GeneratedFile(), ec);
    return 0;
}
