// The import options of one format: values, defaults and their storage in the settings file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "readers/reader_settings.h"

namespace platform {
class Profile;
}

// Which block a value belongs to: general ones are stored for every built-in format, the others
// only in the section of their format.
enum class SettingBlock { General, Leica, M5, Rec500 };
enum class SettingType { Int, Double, Text };

struct SettingInfo {
    const char* name;
    SettingType type;
    SettingBlock block;
    int ImportSettings::*int_field = nullptr;
    double ImportSettings::*double_field = nullptr;
    std::string ImportSettings::*text_field = nullptr;
};

// Every value, in the order of the settings pages.
const std::vector<SettingInfo>& AllSettings();
const SettingInfo* FindSetting(std::string_view name);
// The block stored for a built-in format besides the general one (General for none).
SettingBlock FormatBlock(int format);

// The value as text ("%f" for doubles, as stored).
std::string SettingText(const ImportSettings& s, const SettingInfo& info);
// Sets a value from text; false with a reason when the text does not fit the type.
bool SetSettingText(ImportSettings& s, const SettingInfo& info, std::string_view text,
                    std::string& error);

// The seven check settings as bits of the import's flags word, and back. Other bits are kept.
uint16_t FlagsFromSettings(const ImportSettings& s, uint16_t flags);
void SettingsFromFlags(ImportSettings& s, uint16_t flags);
// The four separator settings in the order of the import's separator characters; an empty
// setting is the character 0.
void SeparatorsFromSettings(const ImportSettings& s, char separators[4]);
void SettingsFromSeparators(ImportSettings& s, const char separators[4]);

// Reads the general values and the block of `format` from `section`, the current values as
// defaults. An empty separator text keeps the current separator; an empty "X0"/"Y0" text
// leaves the value unchanged.
void LoadSettings(ImportSettings& s, platform::Profile& profile, const std::string& section,
                  int format);
void SaveSettings(const ImportSettings& s, platform::Profile& profile, const std::string& section,
                  int format);
