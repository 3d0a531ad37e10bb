// printf-like filling of message texts whose arguments are already text.
#include <cstddef>
#include <string>
#include <string_view>

#include "resources/strings.h"

namespace res {

namespace {

// Larger widths are not a layout but a typo (or an attack on memory): left as text.
constexpr size_t kMaxWidth = 4096;

struct Spec {
    bool left = false;
    bool zero = false;
    char sign = 0;  // '+' or ' ' for numbers without their own sign
    size_t width = 0;
    bool has_precision = false;
    size_t precision = 0;
    char conversion = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of digits; false when it is too large to be a sensible width.
bool ReadNumber(std::string_view text, size_t& pos, size_t& value) {
    value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + static_cast<size_t>(text[pos] - '0');
        if (value > kMaxWidth)
            return false;
        ++pos;
    }
    return true;
}

// Parses the sequence after a '%' at `pos`; on success `pos` is past the conversion.
bool ParseSpec(std::string_view text, size_t& pos, Spec& spec) {
    size_t i = pos;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-') {
            spec.left = true;
        } else if (c == '0') {
            spec.zero = true;
        } else if (c == '+') {
            spec.sign = '+';
        } else if (c == ' ') {
            if (spec.sign == 0)
                spec.sign = ' ';
        } else if (c != '#') {
            break;
        }
    }
    if (!ReadNumber(text, i, spec.width))
        return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        spec.has_precision = true;
        if (!ReadNumber(text, i, spec.precision))
            return false;
    }
    if (i < text.size() && text[i] == 'h') {
        ++i;
        if (i < text.size() && text[i] == 'h')
            ++i;
    } else if (i < text.size() && text[i] == 'l') {
        ++i;
        if (i < text.size() && text[i] == 'l')
            ++i;
    }
    if (i >= text.size())
        return false;
    const char c = text[i];
    if (c != 's' && c != 'd' && c != 'i' && c != 'u')
        return false;
    spec.conversion = c;
    pos = i + 1;
    return true;
}

// Characters as a reader sees them: UTF-8 continuation bytes do not count.
size_t Columns(std::string_view text) {
    size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

// The longest prefix of `text` with at most `columns` characters.
std::string_view FirstColumns(std::string_view text, size_t columns) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == columns)
                return text.substr(0, i);
            ++seen;
        }
    }
    return text;
}

bool IsInteger(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    for (const char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

void AppendConverted(std::string& out, const Spec& spec, std::string_view arg) {
    if (spec.conversion == 's') {
        const std::string_view text = spec.has_precision ? FirstColumns(arg, spec.precision) : arg;
        const size_t cols = Columns(text);
        const size_t pad = spec.width > cols ? spec.width - cols : 0;
        if (!spec.left)
            out.append(pad, ' ');
        out += text;
        if (spec.left)
            out.append(pad, ' ');
        return;
    }
    if (!IsInteger(arg)) {
        // Not a number after all: laid out as text, so nothing of it is lost.
        const size_t cols = Columns(arg);
        const size_t pad = spec.width > cols ? spec.width - cols : 0;
        if (!spec.left)
            out.append(pad, ' ');
        out += arg;
        if (spec.left)
            out.append(pad, ' ');
        return;
    }
    std::string_view digits = arg;
    char sign = 0;
    if (digits.front() == '-' || digits.front() == '+') {
        sign = digits.front();
        digits.remove_prefix(1);
    }
    if (sign == '+' && spec.sign == 0)
        sign = 0;  // printf shows no '+' unless asked
    if (sign == 0 && spec.conversion != 'u')
        sign = spec.sign;
    size_t zeros =
        spec.has_precision && spec.precision > digits.size() ? spec.precision - digits.size() : 0;
    const size_t len = (sign != 0 ? 1 : 0) + zeros + digits.size();
    size_t pad = spec.width > len ? spec.width - len : 0;
    if (spec.zero && !spec.left && !spec.has_precision) {
        zeros += pad;
        pad = 0;
    }
    if (!spec.left)
        out.append(pad, ' ');
    if (sign != 0)
        out += sign;
    out.append(zeros, '0');
    out += digits;
    if (spec.left)
        out.append(pad, ' ');
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
    return Format(pattern, std::span<const std::string_view>(args.begin(), args.size()));
}

std::string Format(std::string_view pattern, std::span<const std::string_view> args) {
    size_t total = pattern.size();
    for (const auto& a : args) total += a.size();
    std::string out;
    out.reserve(total);

    auto next = args.begin();
    auto take = [&]() -> std::string_view {
        return next != args.end() ? *next++ : std::string_view();
    };

    size_t i = 0;
    while (i < pattern.size()) {
        const size_t pct = pattern.find('%', i);
        if (pct == std::string_view::npos) {
            out += pattern.substr(i);
            break;
        }
        out += pattern.substr(i, pct - i);
        size_t pos = pct + 1;
        if (pos < pattern.size() && pattern[pos] == '%') {
            out += '%';
            i = pos + 1;
            continue;
        }
        // "%\ns": an old message shape that shows its argument on a line of its own.
        if (pos + 1 < pattern.size() && pattern[pos] == '\n' && pattern[pos + 1] == 's') {
            out += '\n';
            out += take();
            i = pos + 2;
            continue;
        }
        Spec spec;
        if (ParseSpec(pattern, pos, spec)) {
            AppendConverted(out, spec, take());
            i = pos;
        } else {
            out += '%';  // not ours: the rest of the sequence follows as plain text
            i = pct + 1;
        }
    }
    return out;
}

}  // namespace res
