// What a user is told about an import setting: its caption, its default and what it allows.
#pragma once

#include <optional>
#include <string>

#include "import/import_settings.h"

struct SettingHelp {
    unsigned caption;  // string table id
    // Numbers: the closed range a value must lie in (hi absent: no upper bound).
    double lo = 0;
    std::optional<double> hi;
    bool on_off = false;  // a check box: 0 or 1
};

// Every setting of AllSettings() has an entry.
const SettingHelp& HelpOf(const SettingInfo& info);
std::string SettingCaption(const SettingInfo& info);
// The value of a setting nobody has changed, as text.
std::string SettingDefaultText(const SettingInfo& info);
// "0..1", "42..49", ">= -1", "one character", "any text" (in the current language).
std::string SettingAllowedText(const SettingInfo& info);
// False with a reason (current language) when the text is a value of the right type that the
// setting does not allow; true for values within range and for text that is no number at all
// (SetSettingText tells about those).
bool SettingValueAllowed(const SettingInfo& info, std::string_view text, std::string& error);
