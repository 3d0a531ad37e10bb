#include "host/processing/codes.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

namespace processing {
namespace {

// Cuts `s` at the first of `signs` found (a zero sign never matches); returns the part before.
std::string_view CutAt(std::string_view& s, std::string_view signs) {
    size_t at = std::string_view::npos;
    for (char c : signs)
        if (c != '\0')
            at = std::min(at, s.find(c));
    std::string_view head = s.substr(0, at);
    s = at == std::string_view::npos ? std::string_view{} : s.substr(at);
    return head;
}

}  // namespace

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::vector<vrk::CCodeItem> ParseCode(std::string_view text, const char (&signs)[4]) {
    const char sep = signs[0], link = signs[1], attr = signs[2], value = signs[3];
    const char item_signs[] = {link, attr};
    const char attr_signs[] = {attr};
    const char name_signs[] = {value, attr};
    std::vector<vrk::CCodeItem> items;
    while (!text.empty()) {
        std::string_view part = sep != '\0' ? CutAt(text, {&sep, 1}) : std::exchange(text, {});
        if (!text.empty())
            text.remove_prefix(1);
        vrk::CCodeItem item;
        item.code = Trim(CutAt(part, {item_signs, 2}));
        if (!part.empty() && part.front() == link) {
            part.remove_prefix(1);
            item.line = Trim(CutAt(part, {attr_signs, 1}));
        }
        while (!part.empty()) {
            part.remove_prefix(1);  // the attribute sign
            vrk::CCodeAttribute a;
            a.name = Trim(CutAt(part, {name_signs, 2}));
            if (!part.empty() && part.front() == value) {
                part.remove_prefix(1);
                a.value = Trim(CutAt(part, {attr_signs, 1}));
            }
            if (!a.name.empty() || !a.value.empty())
                item.attributes.push_back(std::move(a));
        }
        if (!item.code.empty() || !item.line.empty() || !item.attributes.empty())
            items.push_back(std::move(item));
    }
    return items;
}

std::vector<vrk::CLine> BuildLines(const std::vector<CodedPoint>& points, bool consecutive,
                                   const std::function<bool(const std::string&)>& is_line_code) {
    std::vector<vrk::CLine> lines;
    std::map<std::pair<std::string, std::string>, size_t> linked;
    struct Run {
        size_t line = 0, last = 0;
    };
    std::unordered_map<std::string, Run> runs;
    for (size_t k = 0; k < points.size(); ++k) {
        const std::string& name = *points[k].name;
        for (const vrk::CCodeItem& item : *points[k].items) {
            if (item.code.empty())
                continue;
            if (!item.line.empty()) {
                auto [it, added] = linked.emplace(std::pair{item.code, item.line}, lines.size());
                if (added)
                    lines.push_back({item.code, item.line, {}});
                auto& pts = lines[it->second].points;
                if (pts.empty() || pts.back() != name)
                    pts.push_back(name);
                continue;
            }
            if (!consecutive && !is_line_code(item.code))
                continue;
            auto it = runs.find(item.code);
            if (it != runs.end() && it->second.last + 1 == k) {
                lines[it->second.line].points.push_back(name);
                it->second.last = k;
            } else if (it == runs.end() || it->second.last != k) {
                lines.push_back({item.code, "*", {name}});
                runs[item.code] = {lines.size() - 1, k};
            }
        }
    }
    std::erase_if(lines, [](const vrk::CLine& l) { return l.points.size() < 2; });
    // Runs are numbered per code once the single points are gone.
    std::unordered_map<std::string, int> count;
    for (vrk::CLine& l : lines)
        if (l.id == "*")
            l.id += std::to_string(++count[l.code]);
    return lines;
}

}  // namespace processing
