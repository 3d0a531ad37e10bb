#include "readers/cdx/cdx_detect.h"

namespace detect {

namespace {
constexpr unsigned kEvidence = 9885;
}

// A control-point list has its points between "BEGIN POINTS" and "END POINTS"; comments start
// with "*". Lines outside the section do not fit.
void DetectCdx(const Sample& s, Verdicts& out) {
    size_t fitting = 0, points = 0;
    bool inside = false, seen = false;
    for (std::string_view line : s.lines) {
        if (line.starts_with("BEGIN POINTS")) {
            inside = seen = true;
            ++fitting;
        } else if (line.starts_with("END POINTS")) {
            inside = false;
            ++fitting;
        } else if (line.starts_with('*')) {
            ++fitting;
        } else if (inside && line.size() >= 10 && AllDigits(TrimView(line.substr(0, 8)))) {
            ++fitting;
            ++points;
        }
    }
    if (!seen)
        return;
    Verdict v = FromCount(kCdxFormat, fitting, s.lines.size(), kEvidence);
    v.args.insert(v.args.begin(), std::to_string(points));
    v.args.pop_back();  // the total: the evidence names the points and the fitting lines
    out.push_back(std::move(v));
}

}  // namespace detect
