// The settings file loader and the import settings read from it for every format, then the
// option values given as text (`--set NAME=VALUE`) checked as the command line checks them.
#include "fuzz_support.h"
#include "import/import_dialog.h"
#include "import/setting_help.h"
#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetProcessState();
    const auto path = fuzz::WriteInput("loaded.toml", data, size);
    platform::Profile::UseFile(path);
    platform::Profile::Instance().SetVolatile(true);
    for (const auto& format : BuiltInFormats()) {
        ImportSettings s;
        LoadSettings(s, platform::Profile::Instance(),
                     std::string("ImportSettings\\") + format.section, format.index);
    }
    // The same bytes as values of every setting.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    for (const auto& info : AllSettings()) {
        ImportSettings s;
        if (SetSettingText(s, info, text, error))
            SettingValueAllowed(info, text, error);
        SettingText(s, info);
    }
    return 0;
}
