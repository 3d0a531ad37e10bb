#include "text/trim.h"

namespace text {

std::string_view TrimView(std::string_view text, std::string_view blanks) {
    const size_t b = text.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    const size_t e = text.find_last_not_of(blanks);
    return text.substr(b, e - b + 1);
}

std::string Trim(std::string_view text, std::string_view blanks) {
    return std::string(TrimView(text, blanks));
}

}  // namespace text
