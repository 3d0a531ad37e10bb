// One line of a point file split into its fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace csv_points {

// Fields separated by `separator`, blanks around each removed. A field in double quotes may
// hold the separator; two quotes inside it stand for one.
std::vector<std::string> SplitLine(std::string_view line, char separator);

// True when no field holds anything.
bool IsBlank(const std::vector<std::string>& fields);

}  // namespace csv_points
