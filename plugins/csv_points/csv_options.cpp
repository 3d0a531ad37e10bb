#include "csv_options.h"

#include <string>

namespace csv_points {

namespace {

constexpr const char* kSeparatorKey = "Separator";
constexpr const char* kHeaderKey = "Header";
constexpr const char* kControlKey = "ControlPoints";

bool ReadFlag(IImportHost& host, const char* key, bool fallback) {
    std::string text;
    if (!host.ReadText(kSection, key, text))
        return fallback;
    if (text == "1")
        return true;
    if (text == "0")
        return false;
    return fallback;
}

}  // namespace

void Options::Load(IImportHost& host) {
    host.LoadRecord(kSection, record);
    std::string text;
    char c = separator;
    if (host.ReadText(kSection, kSeparatorKey, text) && SeparatorFromText(text, c))
        separator = c;
    header = ReadFlag(host, kHeaderKey, header);
    control_points = ReadFlag(host, kControlKey, control_points);
}

void Options::Save(IImportHost& host) const {
    host.SaveRecord(kSection, record);
    host.WriteText(kSection, kSeparatorKey, SeparatorText(separator).c_str());
    host.WriteText(kSection, kHeaderKey, header ? "1" : "0");
    host.WriteText(kSection, kControlKey, control_points ? "1" : "0");
}

bool IsUsableSeparator(char c) {
    if (c == '\t')
        return true;
    if (c >= '0' && c <= '9')
        return false;
    switch (c) {
        case '\0':
        case ' ':
        case '\r':
        case '\n':
        case '.':
        case '+':
        case '-':
        case '"':
        case 'e':
        case 'E':
            return false;
        default:
            return true;
    }
}

std::string SeparatorText(char c) {
    return c == '\t' ? "Tab" : std::string(1, c);
}

bool SeparatorFromText(std::string_view text, char& c) {
    if (text.size() == 3 && (text[0] == 'T' || text[0] == 't') &&
        (text[1] == 'A' || text[1] == 'a') && (text[2] == 'B' || text[2] == 'b')) {
        c = '\t';
        return true;
    }
    if (text.size() != 1 || !IsUsableSeparator(text[0]))
        return false;
    c = text[0];
    return true;
}

}  // namespace csv_points
