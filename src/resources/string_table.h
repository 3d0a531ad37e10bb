// The message texts as data, kept apart from the lookup so that the table reads as a list.
#pragma once

#include <span>
#include <string_view>

namespace res {

struct StringEntry {
    unsigned id;
    std::string_view en;  // empty: the Russian text serves
    std::string_view ru;  // empty: the English text serves
};

// Every entry, sorted by id without repeats.
std::span<const StringEntry> StringTable();

}  // namespace res
