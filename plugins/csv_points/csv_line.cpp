#include "csv_line.h"

namespace csv_points {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::vector<std::string> SplitLine(std::string_view line, char separator) {
    std::vector<std::string> fields;
    size_t pos = 0;
    while (true) {
        // Blanks before a quoted field do not count.
        size_t start = pos;
        while (start < line.size() && line[start] != separator && IsSpace(line[start])) ++start;
        std::string field;
        if (start < line.size() && line[start] == '"') {
            size_t at = start + 1;
            while (at < line.size()) {
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        field += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += line[at++];
            }
            // Whatever follows the closing quote up to the separator belongs to the field.
            const size_t end = line.find(separator, at);
            field += Trim(line.substr(at, end == std::string_view::npos ? end : end - at));
            fields.push_back(std::move(field));
            if (end == std::string_view::npos)
                break;
            pos = end + 1;
            continue;
        }
        const size_t end = line.find(separator, pos);
        fields.emplace_back(
            Trim(line.substr(pos, end == std::string_view::npos ? end : end - pos)));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
    }
    return fields;
}

bool IsBlank(const std::vector<std::string>& fields) {
    for (const auto& f : fields)
        if (!f.empty())
            return false;
    return true;
}

}  // namespace csv_points
