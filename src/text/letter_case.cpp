#include "text/letter_case.h"

namespace text {
namespace {

// Moves the 26 ASCII letters starting at `from` to those starting at `to`.
std::string Shift(std::string_view text, char from, char to) {
    std::string s(text);
    for (char& c : s)
        if (c >= from && c <= from + 25)
            c = static_cast<char>(c - from + to);
    return s;
}

}  // namespace

std::string Lower(std::string_view text) {
    return Shift(text, 'A', 'a');
}

std::string Upper(std::string_view text) {
    return Shift(text, 'a', 'A');
}

}  // namespace text
