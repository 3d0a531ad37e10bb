#include "text/code_page.h"

#include <iconv.h>

#include <cerrno>

#include "text/utf8.h"

namespace text {
namespace {

std::string g_code_page = "CP1251";

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
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
