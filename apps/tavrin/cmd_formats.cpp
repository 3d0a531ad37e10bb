// tavrin formats and tavrin options.
#include <cctype>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli.h"
#include "export/export_formats.h"
#include "import/import_dialog.h"
#include "import/setting_help.h"
#include "platform/profile.h"
#include "readers/elta/elta_column_guess.h"
#include "resources/strings.h"

namespace cli {

namespace {
constexpr unsigned kSettingsOf = 9842;
constexpr unsigned kDefaultAllowed = 9843;
}  // namespace

int CmdFormats(bool json, const std::string& list) {
    CImpDEVDlg dlg(nullptr, nullptr, 0, "", 0);
    dlg.CreatePluginMap();
    std::vector<std::string> patterns, names;
    dlg.LoadFilters(patterns, names);
    struct Row {
        int index;
        std::string key, caption, patterns;
    };
    std::vector<Row> rows;
    for (int i = 0; i <= dlg.HighestFormat() && i < static_cast<int>(patterns.size()); ++i) {
        std::string key =
            i < kBuiltInFormats ? BuiltInFormats()[static_cast<size_t>(i)].section : std::string();
        rows.push_back({i, key, FormatCaption(dlg, i), patterns[static_cast<size_t>(i)]});
    }
    if (list == "import") {
        for (const Row& r : rows)
            std::cout << (r.key.empty() ? std::to_string(r.index) : r.key) << "\n";
        return kOk;
    }
    if (list == "export") {
        for (const ExportFormat& e : ExportFormats()) std::cout << e.key << "\n";
        return kOk;
    }
    if (json) {
        nlohmann::ordered_json imp = nlohmann::ordered_json::array();
        for (const Row& r : rows)
            imp.push_back({{"index", r.index},
                           {"key", r.key},
                           {"caption", r.caption},
                           {"patterns", r.patterns}});
        nlohmann::ordered_json exp = nlohmann::ordered_json::array();
        for (const ExportFormat& e : ExportFormats()) exp.push_back(e.key);
        std::cout << nlohmann::ordered_json{{"import", imp}, {"export", exp}}.dump(2) << "\n";
        return kOk;
    }
    std::cout << res::LoadString(9667) << "\n";
    for (const Row& r : rows)
        std::printf("  %2d  %-11s %-32s %s\n", r.index, r.key.c_str(), r.caption.c_str(),
                    r.patterns.c_str());
    std::cout << res::LoadString(9668) << "\n";
    for (const ExportFormat& e : ExportFormats()) std::cout << "      " << e.key << "\n";
    return kOk;
}

int CmdOptions(const std::string& format_text, const std::vector<std::string>& sets, bool json) {
    int format = ParseFormat(format_text, HighestImportFormat());
    if (format < 0)
        return kBadArguments;
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    LoadStoredSettings(dlg, format);
    std::vector<SettingAssignment> assignments;
    if (!ParseSettingAssignments(sets, format, format_text, assignments))
        return kBadArguments;
    ApplySettings(dlg, assignments);
    // Saved once, as the command ends.
    if (!sets.empty())
        dlg.SaveData();
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    if (!json)
        std::cout << res::Format(res::LoadString(kSettingsOf),
                                 {dlg.GetSection(), platform::Profile::Instance().path().string()})
                  << "\n";
    for (const auto& info : AllSettings()) {
        if (info.block != SettingBlock::General && info.block != FormatBlock(format))
            continue;
        const std::string value = SettingText(dlg.Settings(), info);
        const std::string caption = SettingCaption(info);
        const std::string def = SettingDefaultText(info);
        const std::string allowed = SettingAllowedText(info);
        if (json) {
            out[info.name] = {
                {"value", value}, {"default", def}, {"caption", caption}, {"allowed", allowed}};
            continue;
        }
        std::string assignment = std::string(info.name) + " = " + value;
        std::printf("  %-26s %s\n", assignment.c_str(), caption.c_str());
        std::printf("  %-26s %s\n", "",
                    res::Format(res::LoadString(kDefaultAllowed), {def, allowed}).c_str());
    }
    if (json)
        std::cout << out.dump(2) << "\n";
    return kOk;
}

int CmdGuessColumns(const std::string& format_text, const std::string& file) {
    int format = ParseFormat(format_text, HighestImportFormat());
    if (format < 0)
        return kBadArguments;
    const std::string key =
        format < kBuiltInFormats ? BuiltInFormats()[static_cast<size_t>(format)].section : "";
    const bool m5 = key == "ELTAC_M5";
    if (!m5 && key != "ELTAREC500") {
        PrintError(res::LoadString(res::kGuessNeedsFile));
        return kBadArguments;
    }
    std::string error;
    const auto guess = readers::GuessColumns(file, m5, error);
    if (!error.empty()) {
        PrintError(file + ": " + error);
        return kNotDone;
    }
    if (!guess) {
        std::cout << res::Format(res::LoadString(res::kGuessFailedMessage), {file}) << "\n";
        return kNotDone;
    }
    const char* suffix = m5 ? "" : "E";
    std::cout << res::Format(res::LoadString(res::kGuessMessage), {file}) << "\n";
    std::cout << "--set NameStart" << suffix << "=" << guess->name_start << " --set NameWidth"
              << suffix << "=" << guess->name_width << " --set CodeStart" << suffix << "="
              << guess->code_start << " --set CodeWidth" << suffix << "=" << guess->code_width
              << "\n";
    return kOk;
}

}  // namespace cli
