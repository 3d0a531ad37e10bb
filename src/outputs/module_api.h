// The outputs layer as the command-line tool loads it at run time. GDAL brings a hundred
// libraries with it; opening them only when a file is converted keeps every other command quick
// to start.
#pragma once

#include <filesystem>
#include <string>

#include "outputs/convert.h"

namespace outputs {

struct ModuleApi {
    int version;
    bool (*check)(const std::filesystem::path& out, const ConvertOptions& options,
                  std::string& error);
    bool (*convert)(vrk::CVrkObject& project, const std::filesystem::path& out,
                    const ConvertOptions& options, ConvertSummary& summary, std::string& error);
    std::string (*summary)(const ConvertSummary& summary);
};

// Raised whenever ModuleApi changes, so that a module of another build is refused.
inline constexpr int kModuleApiVersion = 1;
// The file name of the module and the name of its one exported function.
inline constexpr const char* kModuleFile = "libtavrin-outputs.so";
inline constexpr const char* kModuleEntry = "tavrin_outputs_module";

}  // namespace outputs
