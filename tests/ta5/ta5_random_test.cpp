#include <random>

#include "readers/ta2_reader.h"
#include "readers/ta5_reader.h"
#include "ta5_fixture.h"

using namespace ta5_test;
using testing_support::ReaderHarness;

namespace {

// Records with valid codes in front of random bytes, so that the readers get past the first
// field and work on the rest.
std::string RandomRecords(unsigned seed, size_t size) {
    std::mt19937 gen(seed);
    const std::vector<std::string> codes = {"0010", "1010", "2010", "2111", "2212",
                                            "2302", "2900", "201",  "2",    "0"};
    std::uniform_int_distribution<size_t> pick(0, codes.size() - 1);
    std::string noise = RandomBytes(seed, size);
    std::string out;
    for (size_t at = 0; at < noise.size(); at += 60) {
        std::string code = codes[pick(gen)];
        code.resize(12, ' ');
        out += code + noise.substr(at, 60) + "\n";
    }
    return out;
}

template <class Reader>
void ReadsToTheEnd(const std::string& bytes, const char* what) {
    ReaderHarness h;
    h.Run<Reader>({h.Write("r.txt", bytes), h.Write("s.txt", bytes)});
    long last1 = 0, last2 = 0;
    for (const auto& e : h.events)
        (e.pass == 1 ? last1 : last2) = std::max(e.pass == 1 ? last1 : last2, e.line);
    EXPECT_EQ(last1, last2) << what;
}

}  // namespace

TEST(Ta5Robustness, RandomBytesAndRecords) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const std::string bytes = RandomBytes(seed, 16 * 1024);
        const std::string records = RandomRecords(seed + 10, 16 * 1024);
        ReadsToTheEnd<CImp3TA5>(bytes, "3TA5 bytes");
        ReadsToTheEnd<CImp3TA5>(records, "3TA5 records");
        ReadsToTheEnd<CImp4TA5>(records, "4TA5 records");
        ReadsToTheEnd<CImp2TA5>(bytes, "2TA5 bytes");
    }
}

TEST(Ta5Robustness, NulCrAndHugeLines) {
    const std::string nul("2010\0\0\0\0\0\0\0\0P1\0\r\r\n", 18);
    const std::string huge = std::string(5000, '2') + "\n" + std::string(3000, ' ') + "\n";
    ReadsToTheEnd<CImp3TA5>(nul + huge + nul, "3TA5");
    ReadsToTheEnd<CImp4TA5>(huge + nul, "4TA5");
    ReadsToTheEnd<CImp2TA5>(nul + huge + "Z" + std::string(4000, ' ') + "\nN\n" + nul, "2TA5");
}
