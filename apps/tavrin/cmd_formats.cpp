// tavrin formats and tavrin options.
#include <cctype>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli.h"
#include "import/import_dialog.h"
#include "platform/profile.h"
#include "resources/strings.h"

namespace cli {

namespace {
const char* const kExportFormats[] = {"trimble-3300", "trimble-3600", "leica-8", "leica-16",
                                      "geodimeter",   "3ta5",         "pentax"};
}

int ParseFormat(const std::string& text, int highest) {
    int f = FormatFromText(text, highest);
    if (f < 0) {
        std::string keys;
        for (const auto& b : BuiltInFormats())
            keys += std::string(keys.empty() ? "" : ", ") + b.section;
        PrintError("unknown format \"" + text + "\"; use an index 0.." + std::to_string(highest) +
                   " or one of " + keys);
    }
    return f;
}

int CmdFormats(bool json) {
    CImpDEVDlg dlg(nullptr, nullptr, 0, "", 0);
    dlg.CreatePluginMap();
    std::vector<std::string> patterns, names;
    dlg.LoadFilters(patterns, names);
    if (json) {
        nlohmann::ordered_json imp = nlohmann::ordered_json::array();
        for (int i = 0; i <= dlg.HighestFormat() && i < static_cast<int>(patterns.size()); ++i) {
            std::string key =
                i < kBuiltInFormats ? BuiltInFormats()[static_cast<size_t>(i)].section : "";
            std::string caption =
                i < kBuiltInFormats
                    ? res::LoadString(BuiltInFormats()[static_cast<size_t>(i)].caption_id)
                    : names[i];
            imp.push_back(
                {{"index", i}, {"key", key}, {"caption", caption}, {"patterns", patterns[i]}});
        }
        nlohmann::ordered_json exp = nlohmann::ordered_json::array();
        for (const char* e : kExportFormats) exp.push_back(e);
        std::cout << nlohmann::ordered_json{{"import", imp}, {"export", exp}}.dump(2) << "\n";
        return kOk;
    }
    std::cout << "Import formats (tavrin import -f KEY|INDEX):\n";
    for (int i = 0; i <= dlg.HighestFormat() && i < static_cast<int>(patterns.size()); ++i) {
        std::string key =
            i < kBuiltInFormats ? BuiltInFormats()[static_cast<size_t>(i)].section : "";
        std::string caption =
            i < kBuiltInFormats
                ? res::LoadString(BuiltInFormats()[static_cast<size_t>(i)].caption_id)
                : names[i];
        std::printf("  %2d  %-11s %-32s %s\n", i, key.c_str(), caption.c_str(),
                    patterns[i].c_str());
    }
    std::cout << "Export formats (tavrin export -f FORMAT):\n";
    for (const char* e : kExportFormats) std::cout << "      " << e << "\n";
    return kOk;
}

int CmdOptions(const std::string& format_text, const std::vector<std::string>& sets, bool json) {
    int format = ParseFormat(format_text, 15);
    if (format < 0)
        return kBadArguments;
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    dlg.CreatePluginMap();
    dlg.SetCurrentFormat(format);
    dlg.GetData();
    std::string error;
    for (const auto& s : sets) {
        std::string name, value;
        const SettingInfo* info = nullptr;
        if (!SplitAssignment(s, name, value) || !(info = FindSetting(name))) {
            PrintError("--set " + s + ": not a setting");
            return kBadArguments;
        }
        SettingBlock block = FormatBlock(format);
        if (info->block != SettingBlock::General && info->block != block) {
            PrintError("--set " + s + ": " + name + " is not a setting of format " + format_text);
            return kBadArguments;
        }
        if (!SetSettingText(dlg.settings, *info, value, error)) {
            PrintError("--set " + s + ": " + error);
            return kBadArguments;
        }
    }
    if (!sets.empty()) {
        dlg.SaveData();
        if (!platform::Profile::Instance().error().empty()) {
            PrintError(platform::Profile::Instance().error());
            return kNotDone;
        }
    }
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    std::cout << (json ? ""
                       : "[" + dlg.GetSection() + "] in " +
                             platform::Profile::Instance().path().string() + "\n");
    for (const auto& info : AllSettings()) {
        if (info.block != SettingBlock::General && info.block != FormatBlock(format))
            continue;
        std::string v = SettingText(dlg.settings, info);
        if (json)
            out[info.name] = v;
        else
            std::cout << "  " << info.name << " = " << v << "\n";
    }
    if (json)
        std::cout << out.dump(2) << "\n";
    return kOk;
}

}  // namespace cli
