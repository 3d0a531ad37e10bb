// Builds TA5 records in the tests and reads them through a reader.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "support/reader_harness.h"

namespace ta5_test {

using Events = std::vector<std::string>;

// One fixed-column record: every field padded with blanks to 12 characters.
inline std::string Rec(const std::vector<std::string>& fields) {
    std::string line;
    for (const auto& f : fields) {
        std::string field = f.substr(0, 12);
        field.resize(12, ' ');
        line += field;
    }
    return line + "\r\n";
}

template <class Reader>
Events Read(const std::string& text) {
    testing_support::ReaderHarness h;
    h.Run<Reader>({h.Write("data.txt", text)});
    return h.Stream();
}

// Bytes of every value, with digits, blanks and line ends over-represented and a few lines far
// longer than one read.
inline std::string RandomBytes(unsigned seed, size_t size) {
    std::mt19937 gen(seed);
    const std::string alphabet = std::string("0123456789.- \r\n\0", 16) + "ZNZN0123";
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> letter(0, alphabet.size() - 1);
    std::string out;
    while (out.size() < size) {
        int p = pick(gen);
        if (p < 3)
            out += static_cast<char>(byte(gen));
        else if (p < 9)
            out += alphabet[letter(gen)];
        else if (byte(gen) < 8)
            out.append(1100 + static_cast<size_t>(byte(gen)) * 3, static_cast<char>(byte(gen)));
    }
    return out;
}

}  // namespace ta5_test
