// Finds the name and code columns of a Rec 500 or M5 file when the settings find no names.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace readers {

struct ColumnGuess {
    int name_start = 1, name_width = 0, code_start = 1, code_width = 0;
    size_t records = 0;  // the coordinate records that the guess names
};

// Reads the file (Rec 500 when `m5` is false) and proposes columns that give every coordinate
// record a unique one-word name. Nullopt when no columns do, or the file cannot be read
// (`error` then says why).
std::optional<ColumnGuess> GuessColumns(const std::filesystem::path& file, bool m5,
                                        std::string& error);

}  // namespace readers
