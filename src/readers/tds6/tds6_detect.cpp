#include "readers/tds6/tds6_detect.h"

namespace detect {

namespace {

constexpr int kTds6 = 10;
constexpr unsigned kEvidence = 9878;

// The type characters a word may start with.
bool IsWordStart(char c) {
    return c == '\'' || c == '(' || c == ')' || c == '*' || c == ',' || c == '+' || c == ' ';
}

}  // namespace

// The file is a stream of "_"-separated words, not lines, so words are counted.
void DetectTds6(const Sample& s, Verdicts& out) {
    std::string_view rest = s.head;
    size_t words = 0, fitting = 0;
    while (!rest.empty()) {
        const size_t end = rest.find('_');
        if (end == std::string_view::npos && !s.whole)
            break;  // the head cut this word short
        std::string_view word = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        // Transfers frame the data with start and end characters and line ends.
        while (!word.empty() && (word.front() == '\r' || word.front() == '\n' ||
                                 word.front() == 2 || word.front() == 3 || word.front() == 4))
            word.remove_prefix(1);
        if (TrimView(word).empty())
            continue;
        ++words;
        if (IsWordStart(word.front()))
            ++fitting;
    }
    if (fitting >= 2)
        out.push_back(FromCount(kTds6, fitting, words, kEvidence));
}

}  // namespace detect
