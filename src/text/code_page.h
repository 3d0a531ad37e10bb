// Instrument files are single-byte; the project holds UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// How the texts of one instrument file are read.
enum class TextEncoding { Utf8, SingleByte };

// The encoding of a file, decided once from all its bytes: UTF-8 when it starts with a UTF-8 BOM
// or is valid UTF-8 throughout, else the instrument code page. The override, when set, wins.
TextEncoding DecideEncoding(const std::filesystem::path& path);
void SetEncodingOverride(std::optional<TextEncoding> encoding);
// "utf-8"/"utf8" or "cp1251" (any case); false for anything else.
bool ParseEncoding(std::string_view text, TextEncoding& encoding);
// Bytes of a file of that encoding as UTF-8 (bytes that are not UTF-8 become '?').
std::string ToUtf8(std::string_view bytes, TextEncoding encoding);
// True when the text starts with a UTF-8 byte order mark.
bool HasUtf8Bom(std::string_view text);

// The code page of instrument files (iconv name), "CP1251" unless changed.
const std::string& InstrumentCodePage();
void SetInstrumentCodePage(std::string name);

// Bytes to UTF-8 when nothing says how they were written: text that is valid UTF-8 passes
// unchanged, anything else is read in the instrument code page.
std::string ToUtf8(std::string_view bytes);
// UTF-8 back to the instrument code page; characters it cannot hold become '?'.
std::string FromUtf8(std::string_view text);

}  // namespace text
