#include "host/json_reader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "resources/strings.h"

namespace vrk {
namespace {

constexpr size_t kMaxMessages = 20;
constexpr int kMaxDepth = 256;

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a valid JSON number too far from 1 for a double lies below 1 (underflow) rather than
// above (overflow): the decimal exponent of its first significant digit decides.
bool Tiny(std::string_view n) {
    if (n.front() == '-')
        n.remove_prefix(1);
    const size_t e = n.find_first_of("eE");
    long long exp = 0;
    if (e != std::string_view::npos) {
        std::string_view t = n.substr(e + 1);
        const bool neg = t.front() == '-';
        if (t.front() == '+' || neg)
            t.remove_prefix(1);
        if (std::from_chars(t.data(), t.data() + t.size(), exp).ec != std::errc())
            exp = 1LL << 40;  // beyond any digit count
        if (neg)
            exp = -exp;
        n = n.substr(0, e);
    }
    const size_t dot = std::min(n.find('.'), n.size());
    long long lead;
    if (n.front() != '0') {
        lead = static_cast<long long>(dot) - 1;
    } else {
        const size_t first = n.find_first_not_of("0.");
        lead = first == std::string_view::npos ? 0 : -static_cast<long long>(first - dot);
    }
    return lead + exp < 0;
}

}  // namespace

unsigned JsonReader::TypeName(Type t) {
    switch (t) {
        case Type::Object:
            return kJsonTypeObject;
        case Type::Array:
            return kJsonTypeArray;
        case Type::String:
            return kJsonTypeText;
        case Type::Bool:
            return kJsonTypeBool;
        default:
            return kJsonTypeNumber;
    }
}

JsonReader::JsonReader(std::string_view text) : m_text(text) {
    // A UTF-8 byte order mark is not part of the document.
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
        m_pos = 3;
}

void JsonReader::SkipBlanks() {
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
            break;
        ++m_pos;
    }
}

void JsonReader::Fail(unsigned reason, std::string_view arg) {
    if (!m_syntax.empty())
        return;
    const size_t at = std::min(m_pos, m_text.size());
    size_t line = 1, line_start = 0;
    for (size_t i = 0; i < at; ++i)
        if (m_text[i] == '\n') {
            ++line;
            line_start = i + 1;
        }
    m_syntax = res::Format(res::LoadString(kJsonSyntax),
                           {std::to_string(line), std::to_string(at - line_start + 1),
                            res::Format(res::LoadString(reason), {arg})});
    m_pos = m_text.size();
}

void JsonReader::Unexpected() {
    if (m_pos >= m_text.size())
        return Fail(kJsonEndsEarly);
    const unsigned char u = static_cast<unsigned char>(m_text[m_pos]);
    char shown[8];
    if (u >= 0x20 && u < 0x7F)
        std::snprintf(shown, sizeof shown, "'%c'", u);
    else
        std::snprintf(shown, sizeof shown, "0x%02X", u);
    Fail(kJsonUnexpected, shown);
}

bool JsonReader::Expect(char c) {
    SkipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == c) {
        ++m_pos;
        return true;
    }
    Unexpected();
    return false;
}

JsonReader::Type JsonReader::Peek() {
    SkipBlanks();
    if (!m_syntax.empty())
        return Type::End;
    if (m_pos >= m_text.size()) {
        Fail(kJsonEndsEarly);
        return Type::End;
    }
    switch (m_text[m_pos]) {
        case '{':
            return Type::Object;
        case '[':
            return Type::Array;
        case '"':
            return Type::String;
        case 't':
        case 'f':
            return Type::Bool;
        case 'n':
            return Type::Null;
        default:
            if (m_text[m_pos] == '-' || IsDigit(m_text[m_pos]))
                return Type::Number;
            Unexpected();
            return Type::End;
    }
}

bool JsonReader::ReadLiteral(std::string_view word) {
    if (m_text.substr(m_pos, word.size()) == word) {
        m_pos += word.size();
        return true;
    }
    // Points at the first character that differs.
    while (m_pos < m_text.size() && !word.empty() && m_text[m_pos] == word.front()) {
        ++m_pos;
        word.remove_prefix(1);
    }
    Unexpected();
    return false;
}

bool JsonReader::ReadString(std::string& out) {
    out.clear();
    if (!Expect('"'))
        return false;
    size_t run = m_pos;
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c == '"') {
            out.append(m_text.data() + run, m_pos - run);
            ++m_pos;
            return true;
        }
        if (static_cast<unsigned char>(c) < 0x20)
            return Unexpected(), false;
        if (c != '\\') {
            ++m_pos;
            continue;
        }
        out.append(m_text.data() + run, m_pos - run);
        if (++m_pos >= m_text.size())
            break;
        const char e = m_text[m_pos++];
        // The one-letter escapes and what they stand for.
        static constexpr std::string_view kEscape = "\"\\/bfnrt", kMeaning = "\"\\/\b\f\n\r\t";
        if (const size_t k = kEscape.find(e); k != std::string_view::npos) {
            out.push_back(kMeaning[k]);
            run = m_pos;
            continue;
        }
        if (e != 'u') {
            --m_pos;
            return Unexpected(), false;
        }
        auto hex4 = [&](uint32_t& v) {
            if (m_pos + 4 > m_text.size())
                return false;
            auto r = std::from_chars(m_text.data() + m_pos, m_text.data() + m_pos + 4, v, 16);
            if (r.ptr != m_text.data() + m_pos + 4)
                return false;
            m_pos += 4;
            return true;
        };
        uint32_t cp = 0;
        if (!hex4(cp))
            return Unexpected(), false;
        if (cp >= 0xD800 && cp < 0xDC00 && m_text.substr(m_pos, 2) == "\\u") {
            const size_t back = m_pos;
            m_pos += 2;
            uint32_t low = 0;
            if (hex4(low) && low >= 0xDC00 && low < 0xE000)
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            else
                m_pos = back;
        }
        if (cp >= 0xD800 && cp < 0xE000)
            cp = 0xFFFD;  // a lone half of a pair
        AppendUtf8(out, cp);
        run = m_pos;
    }
    Fail(kJsonEndsEarly);
    return false;
}

bool JsonReader::ReadNumber(double& out, bool& integral) {
    const size_t start = m_pos;
    auto digits = [&] {
        const size_t from = m_pos;
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
        return m_pos > from;
    };
    integral = true;
    if (m_pos < m_text.size() && m_text[m_pos] == '-')
        ++m_pos;
    const size_t int_start = m_pos;
    if (!digits() || (m_text[int_start] == '0' && m_pos - int_start > 1)) {
        m_pos = m_pos > int_start ? int_start + 1 : m_pos;
        return Unexpected(), false;
    }
    if (m_pos < m_text.size() && m_text[m_pos] == '.') {
        ++m_pos;
        integral = false;
        if (!digits())
            return Unexpected(), false;
    }
    if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
        ++m_pos;
        integral = false;
        if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-'))
            ++m_pos;
        if (!digits())
            return Unexpected(), false;
    }
    auto r = std::from_chars(m_text.data() + start, m_text.data() + m_pos, out);
    if (r.ec == std::errc::result_out_of_range && Tiny(m_text.substr(start, m_pos - start))) {
        out = m_text[start] == '-' ? -0.0 : 0.0;  // too small to tell from zero
    } else if (r.ec != std::errc()) {
        m_pos = start;
        Fail(kJsonNumberRange);
        return false;
    }
    return true;
}

void JsonReader::SkipValue(int depth) {
    const Type t = Peek();
    if (depth > kMaxDepth && (t == Type::Object || t == Type::Array)) {
        Unexpected();
        return;
    }
    double d;
    bool integral;
    switch (t) {
        case Type::Object:
        case Type::Array: {
            const char close = t == Type::Object ? '}' : ']';
            ++m_pos;
            SkipBlanks();
            if (m_pos < m_text.size() && m_text[m_pos] == close) {
                ++m_pos;
                return;
            }
            while (m_syntax.empty()) {
                if (t == Type::Object && (!ReadString(m_scratch) || !Expect(':')))
                    return;
                SkipValue(depth + 1);
                SkipBlanks();
                if (m_pos < m_text.size() && m_text[m_pos] == ',') {
                    ++m_pos;
                    SkipBlanks();
                    continue;
                }
                Expect(close);
                return;
            }
            return;
        }
        case Type::String:
            ReadString(m_scratch);
            return;
        case Type::Number:
            ReadNumber(d, integral);
            return;
        case Type::Bool:
            ReadLiteral(m_text[m_pos] == 't' ? "true" : "false");
            return;
        case Type::Null:
            ReadLiteral("null");
            return;
        case Type::End:
            return;
    }
}

void JsonReader::Skip() {
    SkipValue(0);
}

void JsonReader::WrongType(unsigned expected) {
    const Type t = Peek();
    if (t == Type::End)
        return;
    Note(TypeName(t), expected);
    Skip();
}

void JsonReader::ObjectBody(FunctionRef<void(std::string_view key)> field) {
    ++m_pos;  // '{'
    SkipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == '}') {
        ++m_pos;
        return;
    }
    while (m_syntax.empty()) {
        SkipBlanks();
        if (!ReadString(m_key) || !Expect(':'))
            return;
        SkipBlanks();
        const size_t value_start = m_pos;
        field(m_key);
        if (m_pos == value_start)
            Skip();
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == ',') {
            ++m_pos;
            continue;
        }
        Expect('}');
        return;
    }
}

void JsonReader::Object(unsigned kind, FunctionRef<void(std::string_view key)> field) {
    const Type t = Peek();
    if (t == Type::Null) {
        Skip();
        return;
    }
    if (t != Type::Object) {
        WrongType(kJsonTypeObject);
        return;
    }
    m_frames.push_back({kind, m_next_index, {}, FieldKey(), m_pending.size()});
    m_next_index = 0;
    ObjectBody(field);
    Flush();
    m_frames.pop_back();
}

void JsonReader::Array(FunctionRef<void()> element) {
    const Type t = Peek();
    if (t == Type::Null) {
        Skip();
        return;
    }
    if (t != Type::Array) {
        WrongType(kJsonTypeArray);
        return;
    }
    ++m_pos;
    SkipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == ']') {
        ++m_pos;
        return;
    }
    const std::string key = m_key;
    for (size_t i = 1; m_syntax.empty(); ++i) {
        m_key = key;
        m_key += '[';
        m_key += std::to_string(i);
        m_key += ']';
        SkipBlanks();
        const size_t value_start = m_pos;
        m_next_index = i;
        element();
        m_next_index = 0;
        if (m_pos == value_start)
            Skip();
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == ',') {
            ++m_pos;
            continue;
        }
        Expect(']');
        break;
    }
    m_key = key;
}

void JsonReader::Objects(FunctionRef<void()> element) {
    Array([&] {
        if (Peek() == Type::Object)
            element();
        else
            WrongType(kJsonTypeObject);
    });
}

void JsonReader::Text(std::string& out) {
    const Type t = Peek();
    if (t == Type::Null) {
        Skip();
        out.clear();
    } else if (t != Type::String) {
        WrongType(kJsonTypeText);
    } else if (ReadString(out) && !m_frames.empty() && m_frames.back().name.empty() &&
               (m_key == "name" || m_key == "target")) {
        m_frames.back().name = out;
    }
}

void JsonReader::Number(std::optional<double>& out, double scale) {
    const Type t = Peek();
    if (t == Type::Null) {
        Skip();
        out.reset();
        return;
    }
    if (t != Type::Number)
        return WrongType(kJsonTypeNumber);
    double d = 0;
    bool integral;
    if (ReadNumber(d, integral))
        out = scale == 1.0 ? d : d * scale;
}

void JsonReader::Int(std::optional<int64_t>& out) {
    const Type t = Peek();
    if (t == Type::Null) {
        Skip();
        out.reset();
        return;
    }
    if (t != Type::Number)
        return WrongType(kJsonTypeWhole);
    double d = 0;
    bool integral;
    const size_t start = m_pos;
    if (!ReadNumber(d, integral))
        return;
    int64_t v = 0;
    auto r = std::from_chars(m_text.data() + start, m_text.data() + m_pos, v);
    if (integral && r.ec == std::errc() && r.ptr == m_text.data() + m_pos)
        out = v;
    else
        Note(kJsonTypeNumber, kJsonTypeWhole);
}

void JsonReader::Bool(bool& out) {
    const Type t = Peek();
    if (t == Type::Null) {
        Skip();
        out = false;
    } else if (t != Type::Bool) {
        WrongType(kJsonTypeBool);
    } else {
        out = m_text[m_pos] == 't';
        ReadLiteral(out ? "true" : "false");
    }
}

void JsonReader::NameObject(std::string_view name) {
    if (!m_frames.empty())
        m_frames.back().name = name;
}

std::string JsonReader::FieldKey() const {
    if (!m_frames.empty() && m_frames.back().kind == 0)
        return m_frames.back().key + "." + m_key;
    return m_key;
}

void JsonReader::Note(unsigned got, unsigned expected) {
    if (m_pending.size() + m_fields.size() >= kMaxMessages)
        ++m_unlisted;
    else
        m_pending.push_back({FieldKey(), got, expected, {}});
}

// The errors within an object learn where they are when it closes (its name may come last);
// they are worded when the document closes.
void JsonReader::Flush() {
    const Frame& f = m_frames.back();
    if (f.kind != 0) {
        std::string desc = res::LoadString(f.kind);
        if (f.index)
            desc += " " + std::to_string(f.index);
        if (!f.name.empty())
            desc += " \"" + f.name + "\"";
        for (size_t i = f.first_error; i < m_pending.size(); ++i)
            m_pending[i].where.insert(m_pending[i].where.begin(), desc);
    }
    if (m_frames.size() > 1)
        return;
    for (const FieldError& e : m_pending) {
        std::string where;
        // The document itself is named only when the field is its own.
        for (size_t i = e.where.size() > 1 ? 1 : 0; i < e.where.size(); ++i)
            where += (where.empty() ? "" : ", ") + e.where[i];
        m_fields.push_back(
            res::Format(res::LoadString(kJsonFieldType),
                        {where, e.key, res::LoadString(e.got), res::LoadString(e.expected)}));
    }
    m_pending.clear();
}

void JsonReader::End() {
    SkipBlanks();
    if (m_pos < m_text.size())
        Unexpected();
}

std::string JsonReader::Error() const {
    if (!m_syntax.empty())
        return m_syntax;
    std::string out;
    for (const std::string& line : m_fields) {
        if (!out.empty())
            out += '\n';
        out += line;
    }
    if (m_unlisted)
        out += "\n(+" + std::to_string(m_unlisted) + ")";
    return out;
}

}  // namespace vrk
