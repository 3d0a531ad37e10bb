#include "readers/pentax/pentax_detect.h"

#include <algorithm>

namespace detect {

namespace {

constexpr int kMeasurement = 14, kPoints = 15;
constexpr unsigned kKeywordEvidence = 9874, kPointEvidence = 9875;
constexpr double kOtherReading = 0.85;

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// "0000STS:S1" or "STS:S1": a keyword record, with or without its four-digit prefix.
bool IsKeywordRecord(std::string_view line) {
    line = TrimView(line);
    if (line.size() >= 8 && AllDigits(line.substr(0, 4)))
        line.remove_prefix(4);
    return line.size() >= 4 && IsUpper(line[0]) && IsUpper(line[1]) && IsUpper(line[2]) &&
           line[3] == ':';
}

// "00021:..." lines of a point file.
bool IsPointRecord(std::string_view line) {
    line = TrimView(line);
    return line.size() >= 6 && AllDigits(line.substr(0, 5)) && line[5] == ':';
}

bool IsCsvPoint(std::string_view line) {
    return std::count(line.begin(), line.end(), ',') == 5;
}

}  // namespace

void DetectPentax(const Sample& s, Verdicts& out) {
    if (s.lines.empty())
        return;
    // The reader tells its file kinds by the first line, so the detector does too.
    const std::string_view first = TrimView(s.lines.front());
    if (first.starts_with("ENQ:") || first.starts_with("0000ENQ:") ||
        first.starts_with("0001STL:")) {
        Verdict v = FromCount(kMeasurement, CountLines(s, IsKeywordRecord), s.lines.size(),
                              kKeywordEvidence);
        Verdict other = v;
        other.format = kPoints;
        other.score *= kOtherReading;
        out.push_back(std::move(v));
        out.push_back(std::move(other));
        return;
    }
    size_t fitting = 0;
    if (first.starts_with("00011:"))
        fitting = CountLines(s, IsPointRecord);
    else if (IsCsvPoint(first))
        fitting = CountLines(s, IsCsvPoint);
    if (fitting == 0)
        return;
    Verdict v = FromCount(kPoints, fitting, s.lines.size(), kPointEvidence);
    Verdict other = v;
    other.format = kMeasurement;
    other.score *= kOtherReading;
    out.push_back(std::move(v));
    out.push_back(std::move(other));
}

}  // namespace detect
