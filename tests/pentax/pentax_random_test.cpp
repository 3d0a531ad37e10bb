#include "readers/pentax/pentax_reader.h"
#include "support/noise.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;

TEST(PentaxRobustness, AnyBytesInEveryFileType) {
    const std::pair<std::string, std::string> kinds[] = {
        {"r.csv", ""},          {"r.aux", ""},        {"r1.txt", "ENQ:"},    {"r2.txt", "0000ENQ:"},
        {"r3.txt", "0001STL:"}, {"r4.txt", "00011:"}, {"r5.txt", ",,,,,\n"}, {"r6.txt", ""},
    };
    for (unsigned seed : {61u, 62u})
        for (const auto& [name, head] : kinds) {
            SCOPED_TRACE(name);
            ReaderHarness h;
            h.Run<CImpPENTAX>({h.Write(
                name, head + testing_support::NoiseBytes(
                                 seed, 24 * 1024,
                                 {"\n0000STS:S1", "\n0000RTH:", "\n0000PPD:T", "\n0001INH:1.5",
                                  "\nSTS:", "\nRTH:", "\n00021:P", "\nP1,", "1,2,3,", ",,,,,",
                                  "BAD", "359.59599", "\r\n", ".", "-", "\t"},
                                 50))});
            // Either the file is read line by line, or it is reported as not understood.
            if (h.Stream(2, false).empty())
                EXPECT_TRUE(h.ProtocolContains("mismatches required data format"));
            else
                testing_support::ExpectLinesAscend(h);
        }
}
