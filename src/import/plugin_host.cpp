#include "import/plugin_host.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "import/plugin_guard.h"
#include "platform/profile.h"

namespace {

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
    SettingsFromFlags(s, r.flags);
    s.XStyle = r.north_style;
    s.X0 = r.false_northing;
    s.YStyle = r.east_style;
    s.Y0 = r.false_easting;
    s.NZone = r.zone_number;
    s.Zone = r.zone_type;
    s.OnRelief = r.relief;
    s.CodeSystem = r.code_system;
    SettingsFromSeparators(s, r.separators);
}

void RecordFromSettings(const ImportSettings& s, ImportPluginSettings& r) {
    r.flags = FlagsFromSettings(s, r.flags);
    r.north_style = s.XStyle;
    r.false_northing = s.X0;
    r.east_style = s.YStyle;
    r.false_easting = s.Y0;
    r.zone_number = static_cast<int16_t>(std::clamp(s.NZone, INT16_MIN + 0, INT16_MAX + 0));
    r.zone_type = s.Zone;
    r.relief = s.OnRelief;
    r.code_system = s.CodeSystem;
    SeparatorsFromSettings(s, r.separators);
}

ImportPluginSettings* PluginRecord(IRegImportServer& plugin) {
    ImportPluginSettings* record = nullptr;
    if (!Contained([&] { return plugin.GetSettings(record); }, false))
        return nullptr;
    return record;
}
