#include "import/plugin_host.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "import/plugin_guard.h"
#include "platform/profile.h"

namespace {

struct FlagBit {
    uint16_t bit;
    int ImportSettings::*field;
};
constexpr FlagBit kFlagBits[] = {
    {tavrin::kFlagUniqueNames, &ImportSettings::CheckUnique},
    {tavrin::kFlagDeleteZeros, &ImportSettings::CheckDel},
    {tavrin::kFlagAutoFace, &ImportSettings::CheckAuto},
    {tavrin::kFlagNumericCode, &ImportSettings::CodeNumeric},
    {tavrin::kFlagForceCode, &ImportSettings::ForceCode},
    {tavrin::kFlagLinesAttr, &ImportSettings::LinesAttr},
    {tavrin::kFlagCodeFromProject, &ImportSettings::CSFromProject},
};

// In the order of the record's separator characters.
constexpr std::string ImportSettings::*kSeparators[4] = {
    &ImportSettings::CodeSep, &ImportSettings::Link, &ImportSettings::AtrAtr,
    &ImportSettings::AtrVal};

// Plug-ins call in from their own code: nothing may be thrown back at them.
class Host final : public IImportHost {
  public:
    bool ReadText(const char* section, const char* key, std::string& value) override {
        if (!section || !key)
            return false;
        try {
            const auto& profile = platform::Profile::Instance();
            if (!profile.Has(section, key))
                return false;
            value = profile.GetString(section, key, "");
            return true;
        } catch (...) {
            return false;
        }
    }
    bool WriteText(const char* section, const char* key, const char* value) override {
        if (!section || !key || !value)
            return false;
        try {
            return platform::Profile::Instance().WriteString(section, key, value);
        } catch (...) {
            return false;
        }
    }
    bool LoadRecord(const char* section, ImportPluginSettings& record) override {
        if (!section)
            return false;
        try {
            ImportSettings s;
            SettingsFromRecord(record, s);
            // -1: the general options only, no block of a built-in format.
            LoadSettings(s, platform::Profile::Instance(), section, -1);
            RecordFromSettings(s, record);
            return true;
        } catch (...) {
            return false;
        }
    }
    bool SaveRecord(const char* section, const ImportPluginSettings& record) override {
        if (!section)
            return false;
        try {
            ImportSettings s;
            SettingsFromRecord(record, s);
            auto& profile = platform::Profile::Instance();
            SaveSettings(s, profile, section, -1);
            return profile.error().empty();
        } catch (...) {
            return false;
        }
    }
};

}  // namespace

IImportHost& PluginHost() {
    static Host host;
    return host;
}

void SettingsFromRecord(const ImportPluginSettings& r, ImportSettings& s) {
    for (const auto& [bit, field] : kFlagBits) s.*field = (r.flags & bit) ? 1 : 0;
    s.XStyle = r.north_style;
    s.X0 = r.false_northing;
    s.YStyle = r.east_style;
    s.Y0 = r.false_easting;
    s.NZone = r.zone_number;
    s.Zone = r.zone_type;
    s.OnRelief = r.relief;
    s.CodeSystem = r.code_system;
    for (int i = 0; i < 4; ++i) {
        const char c = r.separators[i];
        s.*kSeparators[i] = c ? std::string(1, c) : std::string();
    }
}

void RecordFromSettings(const ImportSettings& s, ImportPluginSettings& r) {
    for (const auto& [bit, field] : kFlagBits) {
        if (s.*field)
            r.flags = static_cast<uint16_t>(r.flags | bit);
        else
            r.flags = static_cast<uint16_t>(r.flags & ~bit);
    }
    r.north_style = s.XStyle;
    r.false_northing = s.X0;
    r.east_style = s.YStyle;
    r.false_easting = s.Y0;
    r.zone_number = static_cast<int16_t>(std::clamp(s.NZone, INT16_MIN + 0, INT16_MAX + 0));
    r.zone_type = s.Zone;
    r.relief = s.OnRelief;
    r.code_system = s.CodeSystem;
    for (int i = 0; i < 4; ++i) {
        const std::string& sep = s.*kSeparators[i];
        r.separators[i] = sep.empty() ? '\0' : sep[0];
    }
}

ImportPluginSettings* PluginRecord(IRegImportServer& plugin) {
    ImportPluginSettings* record = nullptr;
    if (!Contained([&] { return plugin.GetSettings(record); }, false))
        return nullptr;
    return record;
}
