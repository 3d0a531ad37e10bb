#include "csv_detect.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "csv_line.h"

namespace csv_points {

namespace {

bool IsNumber(const std::string& text) {
    if (text.empty())
        return false;
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

}  // namespace

int Detect(std::string_view head, char* evidence, size_t evidence_size) {
    // The last line may be cut short by the end of the head.
    const size_t last = head.find_last_of('\n');
    if (last != std::string_view::npos)
        head = head.substr(0, last);
    size_t lines = 0, points = 0;
    while (!head.empty()) {
        const size_t end = head.find('\n');
        std::string_view line = head.substr(0, end);
        head = end == std::string_view::npos ? std::string_view() : head.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::vector<std::string> fields = SplitLine(line, ',');
        if (IsBlank(fields))
            continue;
        ++lines;
        if (fields.size() == 4 && !fields[0].empty() && IsNumber(fields[1]) &&
            IsNumber(fields[2]) && IsNumber(fields[3]))
            ++points;
    }
    if (evidence && evidence_size > 0)
        std::snprintf(evidence, evidence_size, "name,x,y,h points on %zu of %zu lines", points,
                      lines);
    return lines == 0 ? 0 : static_cast<int>(points * 100 / lines);
}

}  // namespace csv_points
