#include "import/setting_help.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <string_view>

#include "resources/strings.h"

namespace {

constexpr unsigned kOneCharacter = 9844;
constexpr unsigned kAnyText = 9845;
constexpr unsigned kNotAllowed = 9846;
constexpr unsigned kAnyNumber = 9847;
constexpr unsigned kSwitch = 9863;

// The limits the option pages hold a value to.
constexpr double kMaxNo = 10002300.0;
constexpr double kMaxEo = 650000.0;
constexpr int kFirstWord = 42, kLastWord = 49;  // Leica words that may carry a value
constexpr int kM5Columns = 28, kRec500Columns = 27;

const std::map<std::string_view, SettingHelp>& Table() {
    static const std::map<std::string_view, SettingHelp> table = {
        {"CheckUnique", {9095, 0, 1}},
        {"CheckAuto", {9096, 0, 1}},
        {"CheckDel", {9097, 0, 1}},
        {"XStyle", {9102, 0, 1}},
        {"X0", {9104, -kMaxNo, kMaxNo}},
        {"YStyle", {9103, 0, 2}},
        {"Y0", {9105, -kMaxEo, kMaxEo}},
        {"Zone", {9101, 0, 1}},
        {"NZone", {9106, 1, 120}},
        {"CodeNumeric", {9098, 0, 1}},
        {"LinesAttr", {9099, 0, 1}},
        {"ForceCode", {9100, 0, 1}},
        {"CSFromProject", {9115, 0, 1}},
        {"CodeSystem", {9107, -1, std::nullopt}},
        {"OnRelief", {9108, 0, 2}},
        {"CodeSep", {9109}},
        {"Link", {9110}},
        {"AtrAtr", {9111}},
        {"AtrVal", {9112}},
        {"Format16Digits", {9113, 0, 1}},
        {"StationW41", {9848}},
        {"Station412", {9849, kFirstWord, kLastWord}},
        {"HiW41", {9850}},
        {"Hi412", {9851, kFirstWord, kLastWord}},
        {"HvW41", {9852}},
        {"Hv412", {9853, kFirstWord, kLastWord}},
        {"CodeW41", {9854}},
        {"Code412", {9855, kFirstWord, kLastWord}},
        {"NameStart", {9856, 1, kM5Columns}},
        {"NameWidth", {9857, 0, kM5Columns}},
        {"CodeStart", {9858, 1, kM5Columns}},
        {"CodeWidth", {9859, 0, kM5Columns}},
        {"StnM5Def", {9860, 0, 1}},
        {"StnM5O", {9861, 0, 1}},
        {"StnM5Known", {9862, 0, 1}},
        {"NameStartE", {9856, 1, kRec500Columns}},
        {"NameWidthE", {9857, 0, kRec500Columns}},
        {"CodeStartE", {9858, 1, kRec500Columns}},
        {"CodeWidthE", {9859, 0, kRec500Columns}},
    };
    return table;
}

std::string NumberText(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

const SettingHelp& HelpOf(const SettingInfo& info) {
    static const SettingHelp none{0};
    auto it = Table().find(info.name);
    return it == Table().end() ? none : it->second;
}

std::string SettingCaption(const SettingInfo& info) {
    return res::LoadString(HelpOf(info).caption);
}

std::string SettingDefaultText(const SettingInfo& info) {
    static const ImportSettings defaults;
    return SettingText(defaults, info);
}

std::string SettingAllowedText(const SettingInfo& info) {
    const SettingHelp& h = HelpOf(info);
    if (info.type == SettingType::Text)
        return res::LoadString(IsSeparator(info) ? kOneCharacter : kAnyText);
    if (!h.hi)
        return h.lo == 0 && info.type == SettingType::Double ? res::LoadString(kAnyNumber)
                                                             : ">= " + NumberText(h.lo);
    if (h.lo == 0 && *h.hi == 1 && info.type == SettingType::Int)
        return res::LoadString(kSwitch);
    return NumberText(h.lo) + ".." + NumberText(*h.hi);
}

bool SettingValueAllowed(const SettingInfo& info, std::string_view text, std::string& error) {
    const SettingHelp& h = HelpOf(info);
    if (info.type == SettingType::Text)
        return true;  // the one-character rule is the type's own
    const std::string t(text);
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (t.empty() || *end != '\0' || std::isnan(v))
        return true;
    if (v >= h.lo && (!h.hi || v <= *h.hi))
        return true;
    error = res::Format(res::LoadString(kNotAllowed), {info.name, SettingAllowedText(info), t});
    return false;
}
