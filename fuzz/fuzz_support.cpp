#include "fuzz_support.h"

#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>

#include "host/zut_internal.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "ui/prompter.h"

namespace fuzz {

const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        auto d = base / ("tavrin-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::filesystem::path WriteInput(std::string_view name, const uint8_t* data, size_t size) {
    auto path = ScratchDir() / std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

void ResetProcessState() {
    zut::detail::settings() = zut::detail::Settings{};
    res::SetLanguage(res::Language::English);
    std::error_code ec;
    std::filesystem::remove(ScratchDir() / "settings.toml", ec);
    platform::Profile::UseFile(ScratchDir() / "settings.toml");
    platform::Profile::Instance().SetVolatile(true);
    ui::InstallPrompter(std::make_shared<ui::ScriptedPrompter>());
}

}  // namespace fuzz
