#include "readers/elta/elta_detect.h"

#include <array>

namespace detect {

namespace {

constexpr unsigned kHeadEvidence = 9880, kRec500Evidence = 9881;

struct Head {
    int format;
    std::string_view name;
};
constexpr std::array<Head, 3> kHeads{{{0, "For R4"}, {1, "For R5"}, {2, "For M5"}}};

// Type words of the record files that carry a number after them.
constexpr std::array<std::string_view, 16> kValueTypes{
    "X", "N", "Y", "E", "Z", "SD", "HD", "Hz", "V1", "V2", "V3", "th", "ih", "h", "T_", "P"};

bool IsNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '.')
            return false;
    }
    return digit;
}

// A Rec 500 line: a record number right-aligned in 8 columns, then name and code columns and
// typed values without bars ("SD 10.000 Hz 359.5959").
bool IsRec500(std::string_view line) {
    if (line.size() <= 8 || line.find('|') != std::string_view::npos ||
        !AllDigits(TrimView(line.substr(0, 8))))
        return false;
    std::string_view rest = line.substr(8);
    std::string_view previous;
    while (!rest.empty()) {
        rest = TrimView(rest);
        const size_t end = rest.find(' ');
        const std::string_view word = rest.substr(0, end);
        for (std::string_view type : kValueTypes)
            if (previous == type && IsNumber(word))
                return true;
        previous = word;
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    }
    return false;
}

}  // namespace

void DetectElta(const Sample& s, Verdicts& out) {
    for (const Head& h : kHeads) {
        const size_t fitting = CountLines(s, [&](std::string_view line) {
            line = TrimView(line);
            return line.starts_with(h.name) && line.size() > h.name.size() &&
                   line[h.name.size()] == '|';
        });
        if (fitting > 0)
            out.push_back(
                FromCount(h.format, fitting, s.lines.size(), kHeadEvidence, std::string(h.name)));
    }
    constexpr int kRec500 = 3;
    out.push_back(FromCount(kRec500, CountLines(s, IsRec500), s.lines.size(), kRec500Evidence));
}

}  // namespace detect
