#include "readers/cdx/cdx_reader.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "readers/text_helpers.h"
#include "resources/strings.h"

using readers::Copy;
using readers::Trim;

namespace {

// Drops the farthest ancestors, whole, until the path fits.
bool Shorten(std::string& path) {
    if (path.size() <= CImpCDX::kMaxParentPath)
        return false;
    size_t cut = path.find('_', path.size() - CImpCDX::kMaxParentPath - 1);
    if (cut == std::string::npos)
        cut = path.size() - CImpCDX::kMaxParentPath - 1;
    path.erase(0, cut + 1);
    return true;
}

bool IsFlag(std::string_view word, char letter) {
    return word.size() == 2 && word[0] == '/' && (word[1] == letter || word[1] == letter + 32);
}

}  // namespace

CImpCDX::CImpCDX(vrk::CVrkObject* project, ProgressCallback progress, vrk::CImportInfo* info)
    : CWImport(project, nullptr, info), m_Progress(std::move(progress)) {
    m_Line.reserve(platform::TextFile::kReadLimit + 1);
}

CImpCDX::~CImpCDX() = default;

int CImpCDX::ImportFile(const std::string& path) {
    if (!InitImport())
        return 0;
    PrepareOneFile(path);
    const int loaded = LoadOneFile(path);
    CloseImport();
    return loaded;
}

void CImpCDX::Progress(int percent) {
    if (m_Progress)
        m_Progress(percent, m_pProject->GetDocument());
}

int CImpCDX::Open(const std::string& path) {
    // A section left open by the end of a file does not reach into the next read.
    m_bInSection = false;
    m_Points.clear();
    return CWImport::Open(path);
}

int CImpCDX::GetAngular(const char* text, zut::CAngular* value) {
    return ReadAngular(text, value, ValueVariant::E);
}

int CImpCDX::GetLinear(const char* text, zut::CLinear* value) {
    if (!text || !*text || !value)
        return 0;
    m_LocUnits.SetDistUnit(m_DistUnit);
    const bool east = zut::CEast::m_AutoRange;
    const bool north = zut::CNorth::m_AutoRange;
    const vrk::CCoordSystem* system = m_pProject->GetCoordSystem();
    // Projected coordinates may lie beyond the plain range (zone prefixes, false origins).
    if (system && system->GetProjType() != 0)
        zut::CEast::m_AutoRange = zut::CNorth::m_AutoRange = true;

    const char* end = nullptr;
    int rc = value->read(text, &end, nullptr);
    if (rc == zut::rr_range) {
        ReportValue(rc, text, end, zut::CLinear(zut::CLinear::lower()).write(),
                    zut::CLinear(zut::CLinear::upper()).write());
        zut::CEast::m_AutoRange = zut::CNorth::m_AutoRange = false;
        rc = value->read(text, &end, nullptr);
    } else {
        ReportValue(rc, text, end, {}, {});
    }

    zut::CEast::m_AutoRange = east;
    zut::CNorth::m_AutoRange = north;
    m_LocUnits.RestoreUnits();
    return rc == zut::rr_ok ? 1 : 0;
}

int CImpCDX::ReadLong(long first, long width, long& value) {
    const std::string field = Trim(Copy(m_Line, first, width));
    if (field.empty())
        return 0;
    long v = 0;
    const char* end = nullptr;
    const int rc = zut::l_val(field.c_str(), v, &end, INT32_MIN, INT32_MAX);
    if (rc != zut::rr_ok) {
        ReportValue(rc, field.c_str(), end, std::to_string(INT32_MIN), std::to_string(INT32_MAX));
        return 0;
    }
    value = v;
    return 1;
}

int CImpCDX::ReadEvents() {
    do {
        if (!ReadRawLine(m_Line)) {
            Progress(100);
            return 0;
        }
        if (!m_Line.empty() && m_Line.back() == '\n')
            m_Line.pop_back();
        Progress(static_cast<int>((m_nLine / 10) % 100));
    } while (m_Line.empty() || m_Line.front() == '*');

    ClearEventList();
    if (m_Line.starts_with("BEGIN POINTS")) {
        m_bInSection = true;
        m_Points.clear();
        return 1;
    }
    if (!m_bInSection)
        return 1;
    if (m_Line.starts_with("END POINTS")) {
        m_bInSection = false;
        CompleteImport();
        return 1;
    }
    ReadPoint();
    return 1;
}

void CImpCDX::ReadPoint() {
    CPInfo point;
    point.line = m_nLine;
    if (Trim(Copy(m_Line, 1, 8)).empty())
        LogMessage(9286, {});
    ReadLong(1, 8, point.index);
    point.name = Trim(Copy(m_Line, 10, 16));
    if (point.name.empty()) {
        LogMessage(9287, {});
        return;
    }
    ReadLong(27, 8, point.parent);
    point.x = Trim(Copy(m_Line, 36, 16));
    point.y = Trim(Copy(m_Line, 53, 16));
    point.h = Trim(Copy(m_Line, 70, 16));

    // Flags are blank-separated words after column 85; other words are ignored.
    std::string_view rest = m_Line.size() > 85 ? std::string_view(m_Line).substr(85) : "";
    while (!rest.empty()) {
        const size_t b = rest.find_first_not_of(" \t");
        if (b == std::string_view::npos)
            break;
        rest.remove_prefix(b);
        const size_t e = std::min(rest.find_first_of(" \t"), rest.size());
        const std::string_view word = rest.substr(0, e);
        rest.remove_prefix(e);
        point.plan |= IsFlag(word, 'H');
        point.height |= IsFlag(word, 'V');
        point.survey |= IsFlag(word, 'S');
    }
    m_Points.push_back(std::move(point));
}

std::vector<std::string> CImpCDX::ParentPaths() {
    const size_t n = m_Points.size();
    // Of several points with one index the first in the file is the parent.
    std::vector<std::pair<long, size_t>> by_index(n);
    for (size_t i = 0; i < n; ++i) by_index[i] = {m_Points[i].index, i};
    std::sort(by_index.begin(), by_index.end());
    auto find = [&](long index) -> long {
        auto it =
            std::lower_bound(by_index.begin(), by_index.end(), std::pair<long, size_t>{index, 0});
        return it != by_index.end() && it->first == index ? static_cast<long>(it->second) : -1;
    };
    std::vector<long> up(n, -1);  // position of the parent point
    for (size_t i = 0; i < n; ++i)
        if (m_Points[i].parent >= 0)
            up[i] = find(m_Points[i].parent);

    // anc[p]: the path a child of p gets. Each point is worked out once, after its parent, so a
    // long chain costs one step a point.
    std::vector<std::string> anc(n);
    std::vector<std::string> own(n);   // the path of a point on a cycle of parents
    std::vector<uint8_t> state(n, 0);  // 0 not seen, 1 on the current walk, 2 done
    std::vector<uint8_t> on_cycle(n, 0);
    std::vector<uint8_t> anc_cut(n, 0), own_cut(n, 0);  // farther ancestors were left out
    std::vector<size_t> walk, slot(n, 0);
    std::vector<std::string_view> names;

    // A chain ends at the first repeated index: a point on a cycle of parents has the other
    // points of the cycle as its ancestors, and a point that leads into a cycle all of them.
    auto cycle_path = [&](size_t point, uint8_t& cut) {
        names.clear();
        size_t length = 0;
        for (size_t q = static_cast<size_t>(up[point]); q != point;
             q = static_cast<size_t>(up[q])) {
            length += m_Points[q].name.size() + 1;
            if (length > kMaxParentPath + 1) {
                cut = 1;
                break;
            }
            names.push_back(m_Points[q].name);
        }
        std::string path;
        path.reserve(length);
        for (auto it = names.rbegin(); it != names.rend(); ++it) {
            if (!path.empty())
                path += '_';
            path += *it;
        }
        return path;
    };

    for (size_t s = 0; s < n; ++s) {
        if (up[s] < 0 || state[up[s]] == 2)
            continue;
        walk.clear();
        for (size_t cur = static_cast<size_t>(up[s]);;) {
            if (state[cur] == 2)
                break;
            if (state[cur] == 1) {
                for (size_t k = slot[cur]; k < walk.size(); ++k) on_cycle[walk[k]] = 1;
                for (size_t k = slot[cur]; k < walk.size(); ++k) {
                    const size_t c = walk[k];
                    own[c] = cycle_path(c, own_cut[c]);
                    anc[c] = own[c].empty() ? m_Points[c].name : own[c] + "_" + m_Points[c].name;
                    anc_cut[c] = own_cut[c];
                    state[c] = 2;
                }
                break;
            }
            state[cur] = 1;
            slot[cur] = walk.size();
            walk.push_back(cur);
            if (up[cur] < 0)
                break;
            cur = static_cast<size_t>(up[cur]);
        }
        for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
            const size_t p = *it;
            if (state[p] == 2)
                continue;
            const CPInfo& point = m_Points[p];
            if (point.parent < 0) {
                anc[p] = point.name;
            } else if (up[p] < 0) {
                // A missing grandparent still leaves its separator: "_B" for B under it.
                anc[p] = "_" + point.name;
            } else {
                anc[p].reserve(anc[up[p]].size() + 1 + point.name.size());
                anc[p] = anc[up[p]];
                anc[p] += '_';
                anc[p] += point.name;
                anc_cut[p] = anc_cut[up[p]] | static_cast<uint8_t>(Shorten(anc[p]));
            }
            state[p] = 2;
        }
    }

    std::vector<std::string> paths(n);
    const long line = m_nLine;
    for (size_t i = 0; i < n; ++i) {
        if (up[i] < 0)
            continue;
        const size_t parent = static_cast<size_t>(up[i]);
        paths[i] = on_cycle[i] ? own[i] : anc[parent];
        if (on_cycle[i] ? own_cut[i] : anc_cut[parent]) {
            m_nLine = m_Points[i].line;
            LogMessage(res::kLongNameMessage, {m_Points[i].name});
        }
    }
    m_nLine = line;
    return paths;
}

void CImpCDX::CompleteImport() {
    if (m_Points.empty())
        return;
    const std::vector<std::string> paths = ParentPaths();
    const long line = m_nLine;
    std::string name;
    for (size_t i = 0; i < m_Points.size(); ++i) {
        const CPInfo& p = m_Points[i];
        // Messages of the engine name the point's own line.
        m_nLine = p.line;
        name = paths[i];
        if (!name.empty())
            name += '_';
        name += p.name;
        Push(evPointName, name);
        Push(evPointX, p.x);
        Push(evPointY, p.y);
        Push(evPointH, p.h);
        if (p.plan)
            Push(evPlanClass, "B");
        if (p.height)
            Push(evHeightClass, "B");
        if (p.survey)
            Push(evPlanClass, "S");
        Progress(static_cast<int>((p.line / 10) % 100));
    }
    m_nLine = line;
    m_Points.clear();
    Progress(100);
}
