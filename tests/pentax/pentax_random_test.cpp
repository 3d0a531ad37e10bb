#include <random>

#include "readers/pentax_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

namespace {

// Bytes of every value, with the format's own characters and line ends over-represented and a
// few lines far longer than one read.
std::string RandomBytes(unsigned seed, size_t size) {
    std::mt19937 gen(seed);
    const std::string alphabet = std::string("0123456789.,:-+ \t\r\n\0", 21) + "STSRTHPPDINHBAD";
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> letter(0, alphabet.size() - 1);
    std::string out;
    out.reserve(size + 4096);
    while (out.size() < size) {
        int p = pick(gen);
        if (p < 4)
            out += static_cast<char>(byte(gen));
        else if (p < 9)
            out += alphabet[letter(gen)];
        else if (byte(gen) < 8)
            out.append(1500 + static_cast<size_t>(byte(gen)) * 4, static_cast<char>(byte(gen)));
    }
    return out;
}

}  // namespace

TEST(PentaxRobustness, RandomBytesInEveryFileType) {
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"r.csv", ""},          {"r.aux", ""},        {"r1.txt", "ENQ:"},    {"r2.txt", "0000ENQ:"},
        {"r3.txt", "0001STL:"}, {"r4.txt", "00011:"}, {"r5.txt", ",,,,,\n"}, {"r6.txt", ""},
    };
    for (unsigned seed = 1; seed <= 3; ++seed) {
        ReaderHarness h;
        std::vector<std::string> paths;
        for (const auto& [name, head] : kinds)
            paths.push_back(
                h.Write(name, head + RandomBytes(seed * 100 + paths.size(), 24 * 1024)));
        h.Run<CImpPENTAX>(paths);
        // Every file was read to its end in both passes: pass 2 saw as many lines as pass 1.
        long last1 = 0, last2 = 0;
        for (const auto& e : h.events)
            (e.pass == 1 ? last1 : last2) = std::max(e.pass == 1 ? last1 : last2, e.line);
        EXPECT_EQ(last1, last2) << "seed " << seed;
    }
}
