#include "readers/nrdf/nrdf_detect.h"

#include <array>

namespace detect {

namespace {

constexpr int kNrdf = 9;
constexpr unsigned kEvidence = 9879;

constexpr std::array<std::string_view, 11> kCodes{"CO", "ST", "SS", "MC", "MP", "F1",
                                                  "F2", "CP", "RE", "SO", "UP"};

bool IsRecord(std::string_view line) {
    line = TrimView(line);
    if (line.size() < 3 || line[2] != ',')
        return false;
    for (std::string_view code : kCodes)
        if (line.starts_with(code))
            return true;
    return false;
}

}  // namespace

void DetectNrdf(const Sample& s, Verdicts& out) {
    out.push_back(FromCount(kNrdf, CountLines(s, IsRecord), s.lines.size(), kEvidence));
}

}  // namespace detect
