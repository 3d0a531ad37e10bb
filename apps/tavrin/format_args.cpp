// Format names and settings given on the command line.
#include "cli.h"
#include "resources/strings.h"

namespace cli {

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

bool ParseDistUnit(const std::string& text, zut::dist_unit& unit) {
    static const std::pair<const char*, zut::dist_unit> units[] = {{"m", zut::du_metre},
                                                                   {"ft", zut::du_foot},
                                                                   {"usft", zut::du_us_foot},
                                                                   {"mm", zut::du_millimetre}};
    for (const auto& [name, u] : units)
        if (text == name) {
            unit = u;
            return true;
        }
    PrintError("--dist-unit takes m, ft, usft or mm, not \"" + text + "\"");
    return false;
}

int HighestImportFormat() {
    CImpDEVDlg probe(nullptr, nullptr, 0, "", 0);
    probe.CreatePluginMap();
    return probe.HighestFormat();
}

std::string FormatCaption(const CImpDEVDlg& dlg, int format) {
    auto it = dlg.PluginMap().find(format);
    if (it != dlg.PluginMap().end() && it->second.plugin && format >= kBuiltInFormats)
        return it->second.filter_name;
    if (format >= 0 && format < kBuiltInFormats)
        return res::LoadString(BuiltInFormats()[static_cast<size_t>(format)].caption_id);
    return "format " + std::to_string(format);
}

bool ParseSettingAssignments(const std::vector<std::string>& sets, int format,
                             const std::string& format_text, std::vector<SettingAssignment>& out) {
    for (const auto& s : sets) {
        std::string name, value, error;
        const SettingInfo* info = nullptr;
        if (!SplitAssignment(s, name, value) || !(info = FindSetting(name))) {
            PrintError("--set " + s + ": not a setting (see 'tavrin options -f " + format_text +
                       "')");
            return false;
        }
        if (format < kBuiltInFormats && info->block != SettingBlock::General &&
            info->block != FormatBlock(format)) {
            PrintError("--set " + s + ": " + name + " is not a setting of format " + format_text);
            return false;
        }
        ImportSettings probe;
        if (!SetSettingText(probe, *info, value, error)) {
            PrintError("--set " + s + ": " + error);
            return false;
        }
        out.push_back({info, value});
    }
    return true;
}

}  // namespace cli
