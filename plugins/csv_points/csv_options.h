// What the user chooses for point files: the general options and the file's own layout.
#pragma once

#include <string>
#include <string_view>

#include "tavrin/import_plugin.h"

namespace csv_points {

// Where the options live in the settings file.
constexpr const char* kSectionKey = "CSVPOINTS";
constexpr const char* kSection = "ImportSettings\\CSVPOINTS";

struct Options {
    ImportPluginSettings record;
    char separator = ',';
    bool header = false;          // the first line of a file names the columns
    bool control_points = false;  // the points are known (control) points

    void Load(IImportHost& host);
    void Save(IImportHost& host) const;
};

// A separator that cannot be told from a number or a blank is refused.
bool IsUsableSeparator(char c);
// The separator as the page shows it ("Tab" for the tab character) and back; false for text
// that is not one usable separator.
std::string SeparatorText(char c);
bool SeparatorFromText(std::string_view text, char& c);

}  // namespace csv_points
