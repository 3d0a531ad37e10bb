#include "text/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "text/utf8.h"

namespace text {
namespace {

std::string g_code_page = "CP1251";
std::optional<TextEncoding> g_override;

// Length of the leading run of ASCII bytes, eight at a time: survey files are nearly all ASCII.
size_t AsciiPrefix(std::string_view s) {
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

bool IsAscii(std::string_view s) {
    return AsciiPrefix(s) == s.size();
}

// Checks UTF-8 up to the end of `s`; an incomplete sequence at the end is left for the next
// block when `tail` is given (its length goes there), else it makes the text invalid.
bool IsUtf8Block(std::string_view s, size_t* tail) {
    size_t i = 0;
    while (i < s.size()) {
        i += AsciiPrefix(s.substr(i));
        if (i == s.size())
            break;
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n;
        if (c < 0x80)
            n = 0;
        else if (c >= 0xC2 && c < 0xE0)
            n = 1;
        else if ((c & 0xF0) == 0xE0)
            n = 2;
        else if (c >= 0xF0 && c < 0xF5)
            n = 3;
        else
            return false;
        const size_t have = std::min(n, s.size() - i - 1);
        for (size_t k = 1; k <= have; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        if (have < n) {
            if (!tail)
                return false;
            *tail = s.size() - i;
            return true;
        }
        i += n + 1;
    }
    if (tail)
        *tail = 0;
    return true;
}

// Converts with iconv; a byte it cannot convert becomes '?'.
std::string Convert(std::string_view in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buf[256];
    while (left > 0) {
        char* dst = buf;
        size_t room = sizeof buf;
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // Invalid or incomplete input: replace one byte and go on.
            out.push_back('?');
            ++src;
            --left;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

const std::string& InstrumentCodePage() {
    return g_code_page;
}
void SetInstrumentCodePage(std::string name) {
    g_code_page = std::move(name);
}

bool HasUtf8Bom(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF");
}

void SetEncodingOverride(std::optional<TextEncoding> encoding) {
    g_override = encoding;
}

bool ParseEncoding(std::string_view text, TextEncoding& encoding) {
    std::string t;
    for (char c : text) t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (t == "utf-8" || t == "utf8")
        encoding = TextEncoding::Utf8;
    else if (t == "cp1251" || t == "windows-1251")
        encoding = TextEncoding::SingleByte;
    else
        return false;
    return true;
}

TextEncoding DecideEncoding(const std::filesystem::path& path) {
    if (g_override)
        return *g_override;
    std::ifstream in(path, std::ios::binary);
    char block[1 << 16];
    size_t carry = 0;  // bytes of a sequence cut by the end of the last block
    bool first = true;
    while (in) {
        in.read(block + carry, static_cast<std::streamsize>(sizeof block - carry));
        const size_t got = carry + static_cast<size_t>(in.gcount());
        if (got == carry)
            break;
        const std::string_view view(block, got);
        if (first && HasUtf8Bom(view))
            return TextEncoding::Utf8;
        first = false;
        size_t tail = 0;
        if (!IsUtf8Block(view, &tail))
            return TextEncoding::SingleByte;
        std::copy(block + got - tail, block + got, block);
        carry = tail;
    }
    return carry == 0 ? TextEncoding::Utf8 : TextEncoding::SingleByte;
}

std::string ToUtf8(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        if (IsUtf8(bytes))
            return std::string(bytes);
        return Convert(bytes, "UTF-8", "UTF-8");
    }
    if (IsAscii(bytes))
        return std::string(bytes);
    return Convert(bytes, "UTF-8", g_code_page.c_str());
}

std::string ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes) || IsUtf8(bytes))
        return std::string(bytes);
    return Convert(bytes, "UTF-8", g_code_page.c_str());
}

std::string FromUtf8(std::string_view text) {
    if (IsAscii(text))
        return std::string(text);
    return Convert(text, (g_code_page + "//TRANSLIT").c_str(), "UTF-8");
}

}  // namespace text
