#include "readers/geodimeter/geodimeter_detect.h"

#include <charconv>

namespace detect {

namespace {

constexpr int kMeasurement = 12, kPoints = 13;
constexpr unsigned kMeasurementEvidence = 9872, kPointsEvidence = 9873;
// The other reading of a file is named, but never ties with the one its labels speak for.
constexpr double kOtherReading = 0.85;

// The label of a line that starts with one label=value word; -1 otherwise.
int LeadLabel(std::string_view line) {
    line = TrimView(line);
    const size_t eq = line.find('=');
    if (eq == 0 || eq == std::string_view::npos || eq > 3 || !AllDigits(line.substr(0, eq)))
        return -1;
    int label = -1;
    std::from_chars(line.data(), line.data() + eq, label);
    return label;
}

// Labels of stations, instrument and target heights, angles and distances.
bool IsMeasurementLabel(int label) {
    switch (label) {
        case 2:
        case 3:
        case 6:
        case 7:
        case 8:
        case 9:
        case 10:
        case 11:
        case 17:
        case 18:
        case 19:
        case 21:
        case 22:
        case 62:
            return true;
        default:
            return false;
    }
}

}  // namespace

void DetectGeodimeter(const Sample& s, Verdicts& out) {
    size_t fitting = 0;
    bool measured = false;
    for (std::string_view line : s.lines) {
        const int label = LeadLabel(line);
        if (label < 0)
            continue;
        ++fitting;
        measured = measured || IsMeasurementLabel(label);
    }
    // Both readings rest on the same lines, so they give the same evidence.
    const unsigned evidence = measured ? kMeasurementEvidence : kPointsEvidence;
    Verdict job = FromCount(kMeasurement, fitting, s.lines.size(), evidence);
    Verdict points = FromCount(kPoints, fitting, s.lines.size(), evidence);
    (measured ? points : job).score *= kOtherReading;
    out.push_back(std::move(job));
    out.push_back(std::move(points));
}

}  // namespace detect
