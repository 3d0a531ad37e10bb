#include "elta_fixture.h"
#include "readers/elta_m5_reader.h"
#include "readers/elta_r4_reader.h"
#include "readers/elta_r5_reader.h"
#include "readers/elta_rec500_reader.h"

namespace elta_test {
template <>
const char* FormatName<CImpELTAR4>() {
    return "For R4";
}
template <>
const char* FormatName<CImpELTAR5>() {
    return "For R5";
}
template <>
const char* FormatName<CImpELTAC_M5>() {
    return "For M5";
}
template <>
const char* FormatName<CImpELTAREC500>() {
    return "Rec 500";
}
}  // namespace elta_test
