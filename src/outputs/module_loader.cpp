#include "outputs/module_loader.h"

#include <filesystem>
#include <vector>

#include "platform/plugin_library.h"
#include "resources/strings.h"

#ifndef TAVRIN_OUTPUTS_FROM_BIN
#define TAVRIN_OUTPUTS_FROM_BIN "../lib/tavrin"
#endif

namespace outputs {
namespace fs = std::filesystem;

const ModuleApi* LoadModule(std::string& error) {
    static platform::PluginLibrary library;
    static const ModuleApi* api = nullptr;
    if (api)
        return api;
    std::error_code ec;
    const fs::path bin = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const std::vector<fs::path> places = {bin / kModuleFile,
                                          bin / TAVRIN_OUTPUTS_FROM_BIN / kModuleFile};
    std::string reasons;
    for (const fs::path& place : places) {
        if (!fs::exists(place, ec))
            continue;
        platform::PluginLibrary lib(place);
        using Entry = const ModuleApi* (*)();
        auto entry = lib.IsOpen() ? lib.FunctionNamed<Entry>(kModuleEntry) : nullptr;
        const ModuleApi* found = entry ? entry() : nullptr;
        if (found && found->version == kModuleApiVersion) {
            library = std::move(lib);
            library.KeepLoaded();
            api = found;
            return api;
        }
        reasons = lib.IsOpen() ? place.string() : lib.error();
    }
    error = res::Format(res::LoadString(9795), {places.back().lexically_normal().string(),
                                                reasons.empty() ? res::LoadString(9796) : reasons});
    return nullptr;
}

}  // namespace outputs
