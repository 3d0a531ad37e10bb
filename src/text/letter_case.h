// Letter case of ASCII letters only: instrument files are single-byte texts in a code page whose
// upper half must stay as it is.
#pragma once

#include <string>
#include <string_view>

namespace text {

std::string Lower(std::string_view text);
std::string Upper(std::string_view text);

}  // namespace text
