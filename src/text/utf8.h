// Whether bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
#pragma once

#include <string_view>

namespace text {

bool IsUtf8(std::string_view bytes);

}  // namespace text
