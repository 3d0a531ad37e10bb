// Blanks off both ends of a text. Instrument fields are padded with spaces and tabs; what the
// user types may also carry line ends.
#pragma once

#include <string>
#include <string_view>

namespace text {

inline constexpr std::string_view kBlanks = " \t";
inline constexpr std::string_view kBlanksAndLineEnds = " \t\r\n";

std::string_view TrimView(std::string_view text, std::string_view blanks = kBlanks);
std::string Trim(std::string_view text, std::string_view blanks = kBlanks);

}  // namespace text
