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
constexpr unsigned kSwitch = 9863;

// The limits the option pages hold a value to.
constexpr double kMaxNo = 10002300.0;
constexpr double kMaxEo = 650000.0;
constexpr int kFirstWord = 42, kLastWord = 49;  // Leica words that may carry a value
constexpr int kM5Columns = 28, kRec500Columns = 27;

SettingHelp OnOff(unsigned caption) {
    return {caption, 0, 1, true};
}
SettingHelp Range(unsigned caption, double lo, std::optional<double> hi) {
    return {caption, lo, hi, false};
}
SettingHelp Text(unsigned caption) {
    return {caption, 0, std::nullopt, false};
}

const std::map<std::string_view, SettingHelp>& Table() {
    static const std::map<std::string_view, SettingHelp> table = {
        {"CheckUnique", OnOff(9095)},
        {"CheckAuto", OnOff(9096)},
        {"CheckDel", OnOff(9097)},
        {"XStyle", Range(9102, 0, 1)},
        {"X0", Range(9104, -kMaxNo, kMaxNo)},
        {"YStyle", Range(9103, 0, 2)},
        {"Y0", Range(9105, -kMaxEo, kMaxEo)},
        {"Zone", Range(9101, 0, 1)},
        {"NZone", Range(9106, 0, 120)},
        {"CodeNumeric", OnOff(9098)},
        {"LinesAttr", OnOff(9099)},
        {"ForceCode", OnOff(9100)},
        {"CSFromProject", OnOff(9115)},
        {"CodeSystem", Range(9107, -1, std::nullopt)},
        {"OnRelief", Range(9108, 0, 2)},
        {"CodeSep", Text(9109)},
        {"Link", Text(9110)},
        {"AtrAtr", Text(9111)},
        {"AtrVal", Text(9112)},
        {"Format16Digits", OnOff(9113)},
        {"StationW41", Text(9848)},
        {"Station412", Range(9849, kFirstWord, kLastWord)},
        {"HiW41", Text(9850)},
        {"Hi412", Range(9851, kFirstWord, kLastWord)},
        {"HvW41", Text(9852)},
        {"Hv412", Range(9853, kFirstWord, kLastWord)},
        {"CodeW41", Text(9854)},
        {"Code412", Range(9855, kFirstWord, kLastWord)},
        {"NameStart", Range(9856, 1, kM5Columns)},
        {"NameWidth", Range(9857, 0, kM5Columns)},
        {"CodeStart", Range(9858, 1, kM5Columns)},
        {"CodeWidth", Range(9859, 0, kM5Columns)},
        {"StnM5Def", OnOff(9860)},
        {"StnM5O", OnOff(9861)},
        {"StnM5Known", OnOff(9862)},
        {"NameStartE", Range(9856, 1, kRec500Columns)},
        {"NameWidthE", Range(9857, 0, kRec500Columns)},
        {"CodeStartE", Range(9858, 1, kRec500Columns)},
        {"CodeWidthE", Range(9859, 0, kRec500Columns)},
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
    static const SettingHelp none = Text(0);
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
        return ">= " + NumberText(h.lo);
    if (h.on_off)
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
