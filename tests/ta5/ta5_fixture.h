// Builds TA5 records in the tests and reads them through a reader.
#pragma once

#include <string>
#include <vector>

#include "support/reader_harness.h"

namespace ta5_test {

using testing_support::Events;
using testing_support::kDeg;
using testing_support::With;

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

}  // namespace ta5_test
