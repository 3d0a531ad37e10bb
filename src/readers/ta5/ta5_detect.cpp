#include "readers/ta5/ta5_detect.h"

#include <algorithm>

namespace detect {

namespace {

constexpr int k2TA5 = 6, k3TA5 = 7, k4TA5 = 8;
constexpr unsigned k2Evidence = 9882, k3Evidence = 9883, k4Evidence = 9884;
constexpr size_t kField = 12, k3Length = 7 * kField, k4Length = 9 * kField;
constexpr double kOtherReading = 0.85;

// 2TA5: a station header "Z010203 ST1 ...", a point name "NP1" or a lone "N", or a numbered
// record "01 ..." to "04 ..." (00 is read as a name line).
bool Is2TA5(std::string_view line) {
    line = TrimView(line);
    if (line.starts_with('Z')) {
        const std::string_view date = TrimView(line.substr(1)).substr(0, 6);
        return AllDigits(date) && date.size() == 6;
    }
    if (line.starts_with('N'))
        return line.size() == 1 || line[1] != ' ';
    return line.size() > 3 && AllDigits(line.substr(0, 2)) && line[0] == '0' && line[1] <= '4' &&
           line[2] == ' ';
}

bool IsHeadOrName(std::string_view line) {
    line = TrimView(line);
    return line.starts_with('Z') || line.starts_with('N');
}

std::string_view Field(std::string_view line, size_t k) {
    return k * kField >= line.size() ? std::string_view()
                                     : TrimView(line.substr(k * kField, kField));
}

// 3TA5 and 4TA5: 12-character fields, the first a record code whose first character is the
// record kind (0 header, 1 coordinate station, 2 measurement).
bool IsFixedRecord(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    const std::string_view code = Field(line, 0);
    if (line.size() <= kField || line.size() > k4Length || code.size() > 4 || !AllDigits(code) ||
        code[0] > '2' || line.substr(0, code.size()) != code)
        return false;
    // Every field is one word: values are right- or left-aligned in their columns.
    for (size_t k = 1; k * kField < line.size(); ++k)
        if (Field(line, k).find(' ') != std::string_view::npos)
            return false;
    return true;
}

// An angle as these instruments write it: seven digits or more (degrees, minutes, seconds).
bool IsAngle(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return text.size() >= 7 && AllDigits(text);
}

}  // namespace

void DetectTa5(const Sample& s, Verdicts& out) {
    const size_t lines = s.lines.size();
    const size_t fitting2 = CountLines(s, Is2TA5);
    if (CountLines(s, IsHeadOrName) > 0)
        out.push_back(FromCount(k2TA5, fitting2, lines, k2Evidence));

    size_t fixed = 0, longest = 0, angles3 = 0, angles4 = 0;
    for (std::string_view line : s.lines) {
        if (!IsFixedRecord(line))
            continue;
        ++fixed;
        longest = std::max(longest, line.size());
        if (Field(line, 0).starts_with('2')) {
            // Measurements hold their angles in fields 5 and 6 (3TA5) or 4 and 5 (4TA5).
            if (IsAngle(Field(line, 4)) && IsAngle(Field(line, 5)))
                ++angles3;
            if (IsAngle(Field(line, 3)) && IsAngle(Field(line, 4)))
                ++angles4;
        }
    }
    if (fixed == 0)
        return;
    Verdict v3 = FromCount(k3TA5, fixed, lines, k3Evidence);
    Verdict v4 = FromCount(k4TA5, fixed, lines, k4Evidence);
    const bool four = longest > k3Length || angles4 > angles3;
    (four ? v3 : v4).score *= kOtherReading;
    out.push_back(std::move(v3));
    out.push_back(std::move(v4));
}

}  // namespace detect
