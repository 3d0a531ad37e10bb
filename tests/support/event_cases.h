// Table-driven reader tests: each case is a file's text, the events it gives and its messages.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/reader_harness.h"
#include "support/settings_edit.h"

namespace testing_support {

struct EventCase {
    std::string text;
    // "evName=value" of the accepted events of pass 2.
    std::vector<std::string> events;
    // Pieces that each appear in exactly one protocol entry.
    std::vector<std::string> messages = {};
    // Compare every push of pass 2 instead, accepted or not.
    bool refused_too = false;
    std::function<void(ImportSettings&)> tune = nullptr;
};

// Runs the reader over each case written to a file of the given name; `extra` goes to the
// reader's constructor.
template <class Reader, class... Extra>
void CheckEvents(const std::string& file_name, const std::vector<EventCase>& cases,
                 Extra... extra) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ReaderHarness h;
        if (c.tune)
            testing_support::EditSettings(h.dlg, c.tune);
        h.Run<Reader>({h.Write(file_name, c.text)}, extra...);
        EXPECT_EQ(h.Stream(2, !c.refused_too), c.events);
        for (const auto& m : c.messages)
            EXPECT_EQ(h.Count(m), 1u) << m << "\n" << ::testing::PrintToString(h.Protocol());
    }
}

}  // namespace testing_support
