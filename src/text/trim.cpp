#include "text/trim.h"

namespace text {
namespace {

// The sets are two or four characters: a plain loop beats a library search per character.
bool IsBlank(char c, std::string_view blanks) {
    for (char b : blanks)
        if (c == b)
            return true;
    return false;
}

}  // namespace

std::string_view TrimView(std::string_view text, std::string_view blanks) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b], blanks)) ++b;
    while (e > b && IsBlank(text[e - 1], blanks)) --e;
    return text.substr(b, e - b);
}

std::string Trim(std::string_view text, std::string_view blanks) {
    return std::string(TrimView(text, blanks));
}

}  // namespace text
