// What every benchmark program shares: a scratch folder and settings of the run's own.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/profile.h"

namespace bench {

// A folder of this run's generated files, removed at the end.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("tavrin-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// Runs the registered benchmarks; settings come from their defaults, not the user's file.
inline int Main(int argc, char** argv) {
    platform::Profile::UseFile(Scratch() / "settings.toml");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(Scratch(), ec);
    return 0;
}

}  // namespace bench
