// Formats name their units by one character each; a table per format says which is which.
#pragma once

#include <initializer_list>
#include <utility>

namespace readers {

// Sets `unit` to the unit the table gives for `code`; an unlisted code leaves it as it is.
template <class Unit>
bool SetUnitByCode(char code, Unit& unit, std::initializer_list<std::pair<char, Unit>> table) {
    for (const auto& [c, u] : table) {
        if (c == code) {
            unit = u;
            return true;
        }
    }
    return false;
}

}  // namespace readers
