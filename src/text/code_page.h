// Instrument files are single-byte; the project holds UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace text {

// The code page of instrument files (iconv name), "CP1251" unless changed.
const std::string& InstrumentCodePage();
void SetInstrumentCodePage(std::string name);

// Bytes of an instrument file to UTF-8. Pure ASCII and text that is already valid UTF-8 with
// multi-byte sequences pass unchanged.
std::string ToUtf8(std::string_view bytes);
// UTF-8 back to the instrument code page; characters it cannot hold become '?'.
std::string FromUtf8(std::string_view text);

}  // namespace text
