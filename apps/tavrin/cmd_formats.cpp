// tavrin formats and tavrin options.
#include <cctype>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli.h"
#include "export/export_formats.h"
#include "import/import_dialog.h"
#include "platform/profile.h"
#include "resources/strings.h"

namespace cli {

int CmdFormats(bool json) {
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
    std::cout << "Import formats (tavrin import -f KEY|INDEX):\n";
    for (const Row& r : rows)
        std::printf("  %2d  %-11s %-32s %s\n", r.index, r.key.c_str(), r.caption.c_str(),
                    r.patterns.c_str());
    std::cout << "Export formats (tavrin export -f FORMAT):\n";
    for (const ExportFormat& e : ExportFormats()) std::cout << "      " << e.key << "\n";
    return kOk;
}

int CmdOptions(const std::string& format_text, const std::vector<std::string>& sets, bool json) {
    int format = ParseFormat(format_text, HighestImportFormat());
    if (format < 0)
        return kBadArguments;
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    dlg.CreatePluginMap();
    dlg.SetCurrentFormat(format);
    dlg.GetData();
    std::vector<SettingAssignment> assignments;
    if (!ParseSettingAssignments(sets, format, format_text, assignments))
        return kBadArguments;
    std::string error;
    ImportSettings s = dlg.Settings();
    for (const auto& a : assignments) SetSettingText(s, *a.info, a.value, error);
    dlg.SetSettings(s);
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
        std::string v = SettingText(dlg.Settings(), info);
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
