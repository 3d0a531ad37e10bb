#include "readers/ta5/ta2_reader.h"
#include "readers/ta5/ta5_reader.h"
#include "support/noise.h"
#include "ta5_fixture.h"

using testing_support::ReaderHarness;

namespace {

// Record codes at line starts, so that the readers get past the first field and work on the rest,
// mixed into noise with NULs and runs of thousands of `long_fill`.
template <class Reader>
void Survives(unsigned seed, char long_fill) {
    SCOPED_TRACE(seed);
    ReaderHarness h;
    const std::string bytes = testing_support::NoiseBytes(
        seed, 16 * 1024,
        {"\n0010        ", "\n2010        ", "\n2111        ", "\n2302        ", "\n201", "\n2900",
         "\nZ010203 ", "\nN", "\n02 ", "  ", "12345", "\n"},
        40, long_fill);
    h.Run<Reader>({h.Write("a.txt", bytes)});
    testing_support::ExpectLinesAscend(h);
}

}  // namespace

TEST(Ta5Robustness, NoiseWithRecordCodesNulsAndHugeLines) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Survives<CImp3TA5>(seed, '2');
        Survives<CImp4TA5>(seed + 10, ' ');
        Survives<CImp2TA5>(seed + 20, ' ');
    }
}
