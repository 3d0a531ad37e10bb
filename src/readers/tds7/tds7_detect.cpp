#include "readers/tds7/tds7_detect.h"

#include <array>
#include <cctype>

namespace detect {

namespace {

constexpr int kTds7 = 11;
constexpr unsigned kEvidence = 9877;

constexpr std::array<std::string_view, 13> kKeywords{
    "DATE", "UNITS", "TEMP", "ATMOS", "STN", "XYZ", "BKB", "BS", "FS", "SS", "HV", "SD", "HD"};

// The keyword of a record line, in upper case; empty for a comment or another line.
std::string Keyword(std::string_view line) {
    line = TrimView(line);
    const size_t end = line.find(' ');
    if (end == std::string_view::npos || end > 5)
        return {};
    std::string word(line.substr(0, end));
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (std::string_view k : kKeywords)
        if (word == k)
            return word;
    return {};
}

}  // namespace

void DetectTds7(const Sample& s, Verdicts& out) {
    size_t fitting = 0, comments = 0;
    bool station = false;
    for (std::string_view line : s.lines) {
        if (TrimView(line).starts_with('\'')) {
            ++comments;
            continue;
        }
        const std::string k = Keyword(line);
        if (k.empty())
            continue;
        ++fitting;
        station = station || k == "STN" || k == "FS" || k == "SS" || k == "BS";
    }
    // Comments fit any file that has records at all; without a setup or shot it is not a job.
    if (!station)
        return;
    out.push_back(FromCount(kTds7, fitting + comments, s.lines.size(), kEvidence));
}

}  // namespace detect
