#include "readers/text_helpers.h"

#include <climits>

namespace readers {

std::string_view CutWord(std::string_view& rest, char sep, SeparatorRun run, WordBlanks blanks) {
    const size_t at = rest.find(sep);
    std::string_view word = rest.substr(0, at);
    if (at == std::string_view::npos) {
        rest = {};
    } else {
        size_t next = at + 1;
        if (run == SeparatorRun::Collapse)
            while (next < rest.size() && rest[next] == sep) ++next;
        rest.remove_prefix(next);
    }
    return blanks == WordBlanks::Trim ? TrimView(word) : word;
}

std::string_view CutWord(std::string_view& rest, long length) {
    if (length <= 0)
        return {};
    const std::string_view word = rest.substr(0, static_cast<size_t>(length));
    rest.remove_prefix(word.size());
    return word;
}

std::string_view CutUpTo(std::string_view& rest, char sep) {
    const size_t at = rest.find(sep);
    return at == std::string_view::npos ? std::string_view{} : CutWord(rest, static_cast<long>(at));
}

std::string Copy(std::string_view text, long start, long count) {
    if (start < 1 || count <= 0 || static_cast<size_t>(start) > text.size())
        return {};
    return std::string(text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

void StrInsert(std::string& text, char ch, long position) {
    if (position < 1)
        position = 1;
    size_t at = std::min(text.size(), static_cast<size_t>(position - 1));
    text.insert(at, 1, ch);
}

void StrDelete(std::string& text, long position, long count) {
    if (position < 1 || count <= 0 || static_cast<size_t>(position) > text.size())
        return;
    text.erase(static_cast<size_t>(position - 1), static_cast<size_t>(count));
}

std::string DottedDms(std::string_view degrees, std::string_view packed) {
    std::string out(degrees);
    out += '.';
    out += Copy(packed, 1, 2);
    out += '.';
    out += Copy(packed, 3, 2);
    out += '.';
    out += Copy(packed, 5, 1);
    return out;
}

long AtoI(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        neg = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v > (LONG_MAX - 9) / 10) {
            v = LONG_MAX;  // saturate instead of overflowing
            continue;
        }
        v = v * 10 + (text[i] - '0');
    }
    return static_cast<long>(neg ? -v : v);
}

}  // namespace readers
