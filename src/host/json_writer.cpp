#include "host/json_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vrk {
namespace {

constexpr size_t kBlock = 64 * 1024;

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};

// Most numbers of a project are measurements with a few decimals. For them the fewest decimals
// that read back exactly give the same text as the general search below, found with integer
// arithmetic: 0 when there is no such text of at most 10 decimals and 15 digits, or when the
// general form would be shorter (the exponent form of 1e-05 or 2e+09).
size_t ShortDecimal(double v, char* buf) {
    const double a = std::fabs(v);
    if (!(a >= 1e-3 && a < 1e14))
        return 0;
    for (int k = 0; k <= 10; ++k) {
        const double scaled = a * kPow10[k];
        if (scaled >= 1e15)
            return 0;
        const auto m = static_cast<uint64_t>(scaled + 0.5);
        if (static_cast<double>(m) / kPow10[k] != a)
            continue;
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, m).ptr;
        const int n = static_cast<int>(end - digits);
        // The exponent form: significant digits, a point when more than one, "e+dd".
        int significant = n;
        while (significant > 1 && digits[significant - 1] == '0') --significant;
        const int whole = n - k;  // digits before the point (may be 0 or less)
        const int fixed = (whole > 0 ? whole : 1) + (k > 0 ? 1 + k : 0);
        const int scientific = significant + (significant > 1 ? 1 : 0) + 4;
        if (fixed > scientific)
            return 0;
        char* out = buf;
        if (v < 0)
            *out++ = '-';
        if (whole > 0) {
            out = std::copy(digits, digits + whole, out);
        } else {
            *out++ = '0';
        }
        if (k > 0) {
            *out++ = '.';
            for (int z = whole; z < 0; ++z) *out++ = '0';
            out = std::copy(digits + std::max(whole, 0), end, out);
        }
        return static_cast<size_t>(out - buf);
    }
    return 0;
}

// Shortest text that reads back to `v` exactly, exponents without leading zeros ("1e-7");
// `buf` holds at least 32 characters.
std::string_view Shortest(double v, char* buf) {
    if (const size_t n = ShortDecimal(v, buf))
        return {buf, n};
    char* end = std::to_chars(buf, buf + 32, v).ptr;
    char* e = std::find(buf, end, 'e');
    if (e != end && e + 3 < end + 1 && e[2] == '0') {
        end = std::copy(e + 3, end, e + 2);
    }
    return {buf, static_cast<size_t>(end - buf)};
}

// Significant digits of a number's text ("0.00120" has 3, "1.5e-7" has 2).
int SignificantDigits(std::string_view text) {
    int digits = 0, zeros = 0;
    bool leading = true;
    for (char c : text) {
        if (c == 'e')
            break;
        if (c < '0' || c > '9')
            continue;
        if (c == '0') {
            if (!leading)
                ++zeros;
            continue;
        }
        leading = false;
        digits += zeros + 1;
        zeros = 0;
    }
    return digits;
}

}  // namespace

JsonWriter::JsonWriter(std::string& out) : m_buf(out) {}

JsonWriter::JsonWriter(Sink sink) : m_buf(m_own), m_sink(std::move(sink)) {
    m_own.reserve(kBlock + 4096);
}

JsonWriter::JsonWriter(std::string& out, const JsonWriter& from)
    : m_buf(out), m_indent(from.m_indent), m_stack(from.m_stack) {
    if (!m_stack.empty())
        m_stack.back().empty = false;
}

JsonWriter JsonWriter::Continuation(std::string& out) const {
    return JsonWriter(out, *this);
}

void JsonWriter::Append(std::string_view continued) {
    if (continued.empty())
        return;
    m_buf.append(continued);
    if (!m_stack.empty())
        m_stack.back().empty = false;
    MaybeFlush();
}

void JsonWriter::Indent() {
    m_buf.push_back('\n');
    m_buf.append(std::min<size_t>(static_cast<size_t>(m_indent) * 2, kMaxIndent), ' ');
}

size_t JsonWriter::Separator(char* out) {
    if (m_after_key) {
        m_after_key = false;
        return 0;
    }
    if (m_stack.empty())
        return 0;
    Frame& f = m_stack.back();
    size_t n = 0;
    if (!f.empty)
        out[n++] = ',';
    if (f.layout == JsonLayout::Lines) {
        out[n++] = '\n';
        const size_t spaces = std::min<size_t>(static_cast<size_t>(m_indent) * 2, kMaxIndent);
        std::fill_n(out + n, spaces, ' ');
        n += spaces;
    } else if (!f.empty) {
        out[n++] = ' ';
    }
    f.empty = false;
    return n;
}

void JsonWriter::BeforeValue() {
    char sep[kMaxIndent + 2];
    m_buf.append(sep, Separator(sep));
}

void JsonWriter::Open(char bracket, JsonLayout layout) {
    BeforeValue();
    m_buf.push_back(bracket);
    m_stack.push_back({layout});
    if (layout == JsonLayout::Lines)
        ++m_indent;
}

void JsonWriter::Close(char bracket) {
    if (m_stack.empty())
        return;
    Frame f = m_stack.back();
    m_stack.pop_back();
    if (f.layout == JsonLayout::Lines) {
        --m_indent;
        if (!f.empty)
            Indent();
    }
    m_buf.push_back(bracket);
    MaybeFlush();
}

void JsonWriter::BeginObject(JsonLayout layout) {
    Open('{', layout);
}
void JsonWriter::EndObject() {
    Close('}');
}
void JsonWriter::BeginArray(JsonLayout layout) {
    Open('[', layout);
}
void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(std::string_view key) {
    // A project has about twenty keys an observation: a plain key goes out in one piece.
    char piece[kMaxIndent + 2 + 64 + 4];
    const bool plain = key.size() <= 64 && std::all_of(key.begin(), key.end(), [](char c) {
                           return static_cast<unsigned char>(c) >= 0x20 && c != '"' && c != '\\';
                       });
    if (plain) {
        size_t n = Separator(piece);
        piece[n++] = '"';
        n += key.copy(piece + n, key.size());
        piece[n++] = '"';
        piece[n++] = ':';
        piece[n++] = ' ';
        m_buf.append(piece, n);
    } else {
        String(key);
        m_buf.append(": ");
    }
    m_after_key = true;
}

void JsonWriter::Null() {
    BeforeValue();
    Raw("null");
}

void JsonWriter::Bool(bool v) {
    BeforeValue();
    Raw(v ? "true" : "false");
}

void JsonWriter::Int(int64_t v) {
    BeforeValue();
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    m_buf.append(buf, r.ptr);
}

void JsonWriter::Number(double v) {
    if (!std::isfinite(v))
        return Null();
    BeforeValue();
    char buf[32];
    m_buf.append(Shortest(v, buf));
}

void JsonWriter::Number(double stored, double read_scale) {
    if (read_scale == 1.0 || !std::isfinite(stored) || !std::isfinite(stored / read_scale))
        return Number(stored);
    // The texts that read back to `stored` lie within a few steps of stored / read_scale. When no
    // double there does (the value was computed, not read), the nearest one's reading is kept, so
    // the next write gives the same text.
    char best[32], buf[32];
    // Mostly the value was read from a short text: that text reads back exactly and no other
    // double within a few steps has a text of 15 digits or fewer, so the search is not needed.
    if (const double d0 = stored / read_scale; d0 * read_scale == stored) {
        const std::string_view s = Shortest(d0, buf);
        if (SignificantDigits(s) <= 15) {
            BeforeValue();
            m_buf.append(s);
            return;
        }
    }
    size_t best_len = 0;
    for (int attempt = 0; attempt < 2 && best_len == 0; ++attempt) {
        const double d0 = stored / read_scale;
        double up = d0, down = d0;
        for (int step = 0; step <= 4; ++step) {
            for (double d : {up, down}) {
                if (d * read_scale != stored)
                    continue;
                std::string_view s = Shortest(d, buf);
                if (best_len == 0 || s.size() < best_len) {
                    s.copy(best, s.size());
                    best_len = s.size();
                }
            }
            up = std::nextafter(up, INFINITY);
            down = std::nextafter(down, -INFINITY);
        }
        stored = d0 * read_scale;
    }
    BeforeValue();
    m_buf.append(best, best_len);
}

void JsonWriter::String(std::string_view v) {
    BeforeValue();
    m_buf.push_back('"');
    size_t run = 0;  // start of the bytes not yet copied
    for (size_t i = 0; i < v.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(v[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        m_buf.append(v.data() + run, i - run);
        run = i + 1;
        switch (c) {
            case '"':
                Raw("\\\"");
                break;
            case '\\':
                Raw("\\\\");
                break;
            case '\n':
                Raw("\\n");
                break;
            case '\r':
                Raw("\\r");
                break;
            case '\t':
                Raw("\\t");
                break;
            default: {
                static constexpr char kHex[] = "0123456789abcdef";
                const char esc[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
                m_buf.append(esc, 6);
            }
        }
    }
    m_buf.append(v.data() + run, v.size() - run);
    m_buf.push_back('"');
}

void JsonWriter::Field(std::string_view key, std::string_view text) {
    Key(key);
    if (text.empty())
        Null();
    else
        String(text);
}

void JsonWriter::Field(std::string_view key, const std::optional<double>& v, double read_scale) {
    Key(key);
    if (v)
        Number(*v, read_scale);
    else
        Null();
}

void JsonWriter::Field(std::string_view key, bool v) {
    Key(key);
    Bool(v);
}

void JsonWriter::Field(std::string_view key, int64_t v) {
    Key(key);
    Int(v);
}

void JsonWriter::MaybeFlush() {
    if (m_sink && m_buf.size() >= kBlock) {
        m_ok = m_ok && m_sink(m_buf);
        m_buf.clear();
    }
}

bool JsonWriter::Finish() {
    m_buf.push_back('\n');
    if (m_sink) {
        m_ok = m_ok && m_sink(m_buf);
        m_buf.clear();
    }
    return m_ok;
}

}  // namespace vrk
