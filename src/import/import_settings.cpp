#include "import/import_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/profile.h"

namespace {

using S = ImportSettings;
using B = SettingBlock;

SettingInfo Int(const char* n, B b, int S::*f) {
    return {n, SettingType::Int, b, f, nullptr, nullptr};
}
SettingInfo Dbl(const char* n, double S::*f) {
    return {n, SettingType::Double, B::General, nullptr, f, nullptr};
}
SettingInfo Txt(const char* n, B b, std::string S::*f) {
    return {n, SettingType::Text, b, nullptr, nullptr, f};
}

struct FlagBit {
    uint16_t bit;
    int ImportSettings::*field;
};
constexpr FlagBit kFlagBits[] = {
    {0x01, &S::CheckUnique},   {0x02, &S::CheckDel},  {0x04, &S::CheckAuto},
    {0x08, &S::CodeNumeric},   {0x10, &S::ForceCode}, {0x20, &S::LinesAttr},
    {0x40, &S::CSFromProject},
};

constexpr std::string S::*kSeparators[4] = {&S::CodeSep, &S::Link, &S::AtrAtr, &S::AtrVal};

}  // namespace

bool IsSeparator(const SettingInfo& i) {
    return i.type == SettingType::Text && i.block == B::General;
}

uint16_t FlagsFromSettings(const ImportSettings& s, uint16_t flags) {
    for (const auto& [bit, field] : kFlagBits)
        flags = static_cast<uint16_t>(s.*field ? (flags | bit) : (flags & ~bit));
    return flags;
}

void SettingsFromFlags(ImportSettings& s, uint16_t flags) {
    for (const auto& [bit, field] : kFlagBits) s.*field = (flags & bit) ? 1 : 0;
}

void SeparatorsFromSettings(const ImportSettings& s, char separators[4]) {
    for (int i = 0; i < 4; ++i) {
        const std::string& text = s.*kSeparators[i];
        separators[i] = text.empty() ? '\0' : text[0];
    }
}

void SettingsFromSeparators(ImportSettings& s, const char separators[4]) {
    for (int i = 0; i < 4; ++i)
        s.*kSeparators[i] = separators[i] ? std::string(1, separators[i]) : std::string();
}

const std::vector<SettingInfo>& AllSettings() {
    static const std::vector<SettingInfo> all = {
        Int("CheckUnique", B::General, &S::CheckUnique),
        Int("CheckAuto", B::General, &S::CheckAuto),
        Int("CheckDel", B::General, &S::CheckDel),
        Int("XStyle", B::General, &S::XStyle),
        Dbl("X0", &S::X0),
        Int("YStyle", B::General, &S::YStyle),
        Dbl("Y0", &S::Y0),
        Int("Zone", B::General, &S::Zone),
        Int("NZone", B::General, &S::NZone),
        Int("CodeNumeric", B::General, &S::CodeNumeric),
        Int("LinesAttr", B::General, &S::LinesAttr),
        Int("ForceCode", B::General, &S::ForceCode),
        Int("CSFromProject", B::General, &S::CSFromProject),
        Int("CodeSystem", B::General, &S::CodeSystem),
        Int("OnRelief", B::General, &S::OnRelief),
        Txt("CodeSep", B::General, &S::CodeSep),
        Txt("Link", B::General, &S::Link),
        Txt("AtrAtr", B::General, &S::AtrAtr),
        Txt("AtrVal", B::General, &S::AtrVal),
        Int("Format16Digits", B::Leica, &S::Format16Digits),
        Txt("StationW41", B::Leica, &S::StationW41),
        Int("Station412", B::Leica, &S::Station412),
        Txt("HiW41", B::Leica, &S::HiW41),
        Int("Hi412", B::Leica, &S::Hi412),
        Txt("HvW41", B::Leica, &S::HvW41),
        Int("Hv412", B::Leica, &S::Hv412),
        Txt("CodeW41", B::Leica, &S::CodeW41),
        Int("Code412", B::Leica, &S::Code412),
        Int("NameStart", B::M5, &S::NameStart),
        Int("NameWidth", B::M5, &S::NameWidth),
        Int("CodeStart", B::M5, &S::CodeStart),
        Int("CodeWidth", B::M5, &S::CodeWidth),
        Int("StnM5Def", B::M5, &S::StnM5Def),
        Int("StnM5O", B::M5, &S::StnM5O),
        Int("StnM5Known", B::M5, &S::StnM5Known),
        Int("NameStartE", B::Rec500, &S::NameStartE),
        Int("NameWidthE", B::Rec500, &S::NameWidthE),
        Int("CodeStartE", B::Rec500, &S::CodeStartE),
        Int("CodeWidthE", B::Rec500, &S::CodeWidthE),
    };
    return all;
}

const SettingInfo* FindSetting(std::string_view name) {
    for (const auto& i : AllSettings())
        if (name == i.name)
            return &i;
    return nullptr;
}

SettingBlock FormatBlock(int format) {
    switch (format) {
        case 2:
            return B::M5;
        case 3:
            return B::Rec500;
        case 5:
            return B::Leica;
        default:
            return B::General;
    }
}

std::string SettingText(const ImportSettings& s, const SettingInfo& info) {
    switch (info.type) {
        case SettingType::Int:
            return std::to_string(s.*info.int_field);
        case SettingType::Double: {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%f", s.*info.double_field);
            return buf;
        }
        case SettingType::Text:
            return s.*info.text_field;
    }
    return {};
}

bool SetSettingText(ImportSettings& s, const SettingInfo& info, std::string_view text,
                    std::string& error) {
    std::string t(text);
    char* end = nullptr;
    errno = 0;
    switch (info.type) {
        case SettingType::Int: {
            long v = std::strtol(t.c_str(), &end, 10);
            if (t.empty() || *end != '\0' || errno || v < -2147483647L || v > 2147483647L) {
                error = std::string(info.name) + " takes a whole number, not \"" + t + "\"";
                return false;
            }
            s.*info.int_field = static_cast<int>(v);
            return true;
        }
        case SettingType::Double: {
            double v = std::strtod(t.c_str(), &end);
            if (t.empty() || *end != '\0' || errno) {
                error = std::string(info.name) + " takes a number, not \"" + t + "\"";
                return false;
            }
            s.*info.double_field = v;
            return true;
        }
        case SettingType::Text:
            if (IsSeparator(info) && t.size() > 1) {
                error = std::string(info.name) + " takes one character, not \"" + t + "\"";
                return false;
            }
            s.*info.text_field = t;
            return true;
    }
    return false;
}

void LoadSettings(ImportSettings& s, platform::Profile& profile, const std::string& section,
                  int format) {
    SettingBlock block = FormatBlock(format);
    for (const auto& i : AllSettings()) {
        if (i.block != B::General && i.block != block)
            continue;
        switch (i.type) {
            case SettingType::Int:
                s.*i.int_field = profile.GetInt(section, i.name, s.*i.int_field);
                break;
            case SettingType::Double: {
                std::string t = profile.GetString(section, i.name, "");
                char* end = nullptr;
                double v = std::strtod(t.c_str(), &end);
                if (!t.empty() && end != t.c_str())
                    s.*i.double_field = v;
                break;
            }
            case SettingType::Text: {
                std::string t = profile.GetString(section, i.name, s.*i.text_field);
                if (IsSeparator(i) && t.empty())
                    break;  // keeps the current separator
                if (IsSeparator(i))
                    t.resize(1);
                s.*i.text_field = t;
                break;
            }
        }
    }
}

void SaveSettings(const ImportSettings& s, platform::Profile& profile, const std::string& section,
                  int format) {
    SettingBlock block = FormatBlock(format);
    for (const auto& i : AllSettings()) {
        if (i.block != B::General && i.block != block)
            continue;
        if (i.type == SettingType::Int)
            profile.WriteInt(section, i.name, s.*i.int_field);
        else
            profile.WriteString(section, i.name, SettingText(s, i));
    }
}
