// The settings file loader and the import settings read from it for every format, then the
// option values given as text (`--set NAME=VALUE`) checked as the command line checks them.
#include "fuzz_support.h"
#include "import/import_dialog.h"
#include "import/setting_help.h"
#include "platform/profile.h"

void FuzzOne(std::string_view input) {
    const auto path = fuzz::WriteInput("loaded.toml", input);
    platform::Profile::UseFile(path);
    platform::Profile::Instance().SetVolatile(true);
    for (const auto& format : BuiltInFormats()) {
        ImportSettings s;
        LoadSettings(s, platform::Profile::Instance(),
                     std::string("ImportSettings\\") + format.section, format.index);
    }
    // The same bytes as values of every setting.
    const std::string_view text = input;
    std::string error;
    for (const auto& info : AllSettings()) {
        ImportSettings s;
        if (SetSettingText(s, info, text, error))
            fuzz::Note(SettingValueAllowed(info, text, error));
        fuzz::Note(error);
        fuzz::Note(SettingText(s, info));
    }
}
