// Blanks off both ends of a text. Instrument fields are padded with spaces and tabs; what the
// user types may also carry line ends.
#pragma once

#include <string>
#include <string_view>

namespace text {

inline constexpr std::string_view kBlanks = " \t";
inline constexpr std::string_view kBlanksAndLineEnds = " \t\r\n";

// Space and tab: inline, since instrument fields are trimmed on every hot path.
inline std::string_view TrimView(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    return text.substr(b, e - b);
}
// Every C white-space character (space, tab, line ends, vertical tab, form feed).
inline std::string_view TrimWhiteView(std::string_view text) {
    const auto white = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    size_t b = 0, e = text.size();
    while (b < e && white(text[b])) ++b;
    while (e > b && white(text[e - 1])) --e;
    return text.substr(b, e - b);
}
inline std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

std::string_view TrimView(std::string_view text, std::string_view blanks);
std::string Trim(std::string_view text, std::string_view blanks);

}  // namespace text
