// Noise with a format's words mixed in: what every reader must survive without harm.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "support/reader_harness.h"

namespace testing_support {

// `size` bytes from a fixed seed: the format's words (word_percent of the draws), random bytes
// including NUL and CR, and now and then a run of thousands of `long_fill` characters.
inline std::string NoiseBytes(unsigned seed, size_t size,
                              const std::vector<std::string_view>& pieces,
                              unsigned word_percent = 30, char long_fill = 'x') {
    std::mt19937 rng(seed);
    std::string bytes;
    bytes.reserve(size + 8192);
    while (bytes.size() < size) {
        unsigned r = rng() % 100;
        if (r < word_percent && !pieces.empty())
            bytes += pieces[rng() % pieces.size()];
        else if (r < 99)
            bytes += static_cast<char>(rng() % 256);
        else
            bytes += std::string(2000 + rng() % 3000, long_fill);
    }
    bytes[size / 3] = '\0';
    return bytes;
}

// The reader got through the file: pass 2 reached its lines, and line numbers never went back.
inline void ExpectLinesAscend(const ReaderHarness& h) {
    long last = 0;
    for (const auto& e : h.events) {
        if (e.pass != 2)
            continue;
        EXPECT_GE(e.line, last);
        last = e.line;
    }
    EXPECT_GT(last, 0);
}

}  // namespace testing_support
