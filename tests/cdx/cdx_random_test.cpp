#include <random>

#include "cdx_fixture.h"

using cdx_test::CdxRun;
using cdx_test::PointLine;

namespace {

// Random point lines with small indices, so parents form chains, cycles and dangling links,
// mixed with raw bytes, section markers and lines longer than one read.
std::string RandomFile(unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> kind(0, 9), small(-2, 40), byte(0, 255);
    std::string out;
    while (out.size() < 48 * 1024) {
        switch (kind(gen)) {
            case 0:
                out += "BEGIN POINTS\n";
                break;
            case 1:
                out += "END POINTS\n";
                break;
            case 2:
                for (int i = 0, n = byte(gen) * 8; i < n; ++i) out += static_cast<char>(byte(gen));
                break;
            case 3:
                out.append(1100 + static_cast<size_t>(byte(gen)), static_cast<char>(byte(gen)));
                out += '\n';
                break;
            default: {
                std::string flags;
                for (int i = byte(gen) % 4; i > 0; --i)
                    flags += std::string(" /") + "hvsHVSx"[byte(gen) % 7];
                out += PointLine(std::to_string(small(gen)), "P" + std::to_string(byte(gen)),
                                 byte(gen) < 200 ? std::to_string(small(gen)) : "",
                                 std::to_string(byte(gen)), byte(gen) < 20 ? "\x01\r" : "7", "",
                                 flags);
            }
        }
    }
    return out + "END POINTS\n";
}

}  // namespace

TEST(CdxRobustness, RandomBytesAndRandomParents) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        CdxRun r(RandomFile(seed));
        EXPECT_EQ(r.loaded, 1) << seed;
        ASSERT_FALSE(r.progress.empty());
        EXPECT_EQ(r.progress.back(), 100);
        for (int p : r.progress) EXPECT_TRUE(p >= 0 && p <= 100) << p;
        // Every name pushed ends with the point's own name.
        for (const auto& name : r.Names()) EXPECT_FALSE(name.empty() || name.back() == '_') << name;
    }
}
