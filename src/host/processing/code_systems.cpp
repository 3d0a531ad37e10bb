#include "host/processing/code_systems.h"

#include <fstream>
#include <unordered_set>

#include "host/processing/codes.h"
#include "resources/strings.h"

namespace processing {
namespace {

// Fields of one CSV line; "" inside quotes is a quote.
std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"')
                out.back() += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                out.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',' || c == ';' || c == '\t') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    for (auto& f : out) f = std::string(Trim(f));
    return out;
}

bool IsHeader(const std::string& first) {
    std::string lower;
    for (char c : first) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "code";
}

}  // namespace

bool ReadCodeTable(const std::string& path, std::vector<vrk::CCodeEntry>& codes,
                   std::vector<std::string>& errors) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back(res::Format(res::LoadString(9740), {path}));
        return false;
    }
    std::vector<vrk::CCodeEntry> table;
    std::unordered_set<std::string> seen;
    std::string line;
    const size_t errors_before = errors.size();
    for (long n = 1; std::getline(in, line); ++n) {
        if (n == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        if (Trim(line).empty())
            continue;
        std::vector<std::string> f = Fields(line);
        if (n == 1 && IsHeader(f[0]))
            continue;
        const std::string where = std::to_string(n);
        if (f.size() < 2 || f[0].empty() || f[1].empty()) {
            errors.push_back(res::Format(res::LoadString(9734), {path, where}));
            continue;
        }
        vrk::CCodeEntry e{f[0], f[1], vrk::CCodeEntry::Kind::Point};
        const std::string kind = f.size() > 2 ? f[2] : std::string();
        if (kind == "line" || kind == "Line" || kind == "LINE") {
            e.kind = vrk::CCodeEntry::Kind::Line;
        } else if (!kind.empty() && kind != "point" && kind != "Point" && kind != "POINT") {
            errors.push_back(res::Format(res::LoadString(9735), {path, where, kind}));
            continue;
        }
        if (!seen.insert(e.code).second) {
            errors.push_back(res::Format(res::LoadString(9741), {path, where, e.code}));
            continue;
        }
        table.push_back(std::move(e));
    }
    if (errors.size() == errors_before && table.empty())
        errors.push_back(res::Format(res::LoadString(9736), {path}));
    if (errors.size() != errors_before)
        return false;
    codes = std::move(table);
    return true;
}

int PutCodeSystem(vrk::CVrkObject& project, const std::string& name,
                  std::vector<vrk::CCodeEntry> codes) {
    if (!project.GetClassificator())
        project.SetClassificator(vrk::CClassificator{});
    vrk::CClassificator& c = *project.GetClassificator();
    int slot = -1;
    for (int i = 0; i < vrk::CClassificator::kSlots && slot < 0; ++i)
        if (c.slots[i].in_use && c.slots[i].name == name)
            slot = i;
    for (int i = 0; i < vrk::CClassificator::kSlots && slot < 0; ++i)
        if (!c.slots[i].in_use)
            slot = i;
    if (slot < 0)
        return -1;
    c.slots[slot] = {true, name, std::move(codes)};
    return slot;
}

}  // namespace processing
