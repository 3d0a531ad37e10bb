#include "readers/leica/leica_detect.h"

namespace detect {

namespace {

constexpr int kLeica = 5;
constexpr unsigned kEvidence = 9871;

// A GSI word: two-digit word index, four information characters, a sign, then 8 or 16 data
// characters (15 or 23 in all).
bool IsWord(std::string_view w, size_t length) {
    if (w.size() != length || !AllDigits(w.substr(0, 2)) || (w[6] != '+' && w[6] != '-'))
        return false;
    for (char c : w.substr(2, 4))
        if (!(c >= '0' && c <= '9') && c != '.' && c != ' ')
            return false;
    return true;
}

// The word length of a line when every word of it has that length, else 0.
size_t LineWordLength(std::string_view line) {
    line = TrimView(line);
    if (line.starts_with('*'))
        line.remove_prefix(1);
    size_t length = 0;
    while (!line.empty()) {
        const size_t end = line.find(' ');
        const std::string_view word = line.substr(0, end);
        const size_t l = word.size() == 15 || word.size() == 23 ? word.size() : 0;
        if (l == 0 || !IsWord(word, l) || (length != 0 && l != length))
            return 0;
        length = l;
        line = end == std::string_view::npos ? std::string_view() : TrimView(line.substr(end));
    }
    return length;
}

}  // namespace

void DetectLeica(const Sample& s, Verdicts& out) {
    const size_t short_lines = CountLines(s, [](auto l) { return LineWordLength(l) == 15; });
    const size_t long_lines = CountLines(s, [](auto l) { return LineWordLength(l) == 23; });
    const bool wide = long_lines > short_lines;
    Verdict v = FromCount(kLeica, wide ? long_lines : short_lines, s.lines.size(), kEvidence,
                          wide ? "16" : "8");
    v.settings.emplace_back("Format16Digits", wide ? "1" : "0");
    out.push_back(std::move(v));
}

}  // namespace detect
