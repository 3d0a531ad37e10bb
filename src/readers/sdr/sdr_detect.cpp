#include "readers/sdr/sdr_detect.h"

namespace detect {

namespace {

constexpr int kSdr = 4;
constexpr unsigned kEvidence = 9876;

bool IsCodeChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Two digits of the record type (00 to 13) and a derivation code of two characters, one of them
// a letter ("08KI", "09F1", "00NM").
bool IsRecord(std::string_view line) {
    if (line.size() < 4 || !AllDigits(line.substr(0, 2)) || !IsCodeChar(line[2]) ||
        !IsCodeChar(line[3]))
        return false;
    const int type = (line[0] - '0') * 10 + (line[1] - '0');
    const bool letter = (line[2] >= 'A' && line[2] <= 'Z') || (line[3] >= 'A' && line[3] <= 'Z');
    return type <= 13 && letter;
}

}  // namespace

void DetectSdr(const Sample& s, Verdicts& out) {
    out.push_back(FromCount(kSdr, CountLines(s, IsRecord), s.lines.size(), kEvidence));
}

}  // namespace detect
