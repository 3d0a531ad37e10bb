#include "import/contracts/vrk.h"
#include "resources/strings.h"

namespace vrk {

void CDocument::ReportSaveLoadException(const std::string& path, const std::string& reason,
                                        bool saving, unsigned default_message) {
    std::string text = path;
    if (!reason.empty())
        text += ": " + reason;
    text += "\n" + res::LoadString(default_message);
    m_project.ImportLog().Write(text, 0, 2);
}

int CClassificator::UsedCount() const {
    int n = 0;
    for (const auto& s : slots) n += s.in_use ? 1 : 0;
    return n;
}

CVrkObject::CVrkObject() : m_document(*this) {}

int CVrkObject::GetAttr(int id) const {
    auto it = m_attrs.find(id);
    return it == m_attrs.end() ? 0 : it->second;
}

void CVrkObject::SetAttr(int id, int value) {
    m_attrs[id] = value;
}

const CVrkObject::ImportedFile* CVrkObject::FindImported(uint64_t size,
                                                         const std::string& hash) const {
    for (const auto& f : imported_files)
        if (f.size == size && f.hash == hash)
            return &f;
    return nullptr;
}

CPointList CVrkObject::GetActiveCPList() const {
    CPointList list;
    for (const auto& p : m_data.points)
        if (p.control)
            list.m_points.push_back(&p);
    return list;
}

CPointList CVrkObject::GetActiveTPList() const {
    CPointList list;
    for (const auto& p : m_data.points)
        if (!p.control)
            list.m_points.push_back(&p);
    return list;
}

CVrkPoint* CVrkObject::FindPoint(const std::string& name) {
    auto it = m_index.find(name);
    return it == m_index.end() ? nullptr : &m_data.points[it->second];
}

CVrkPoint& CVrkObject::PointByName(const std::string& name) {
    auto [it, added] = m_index.try_emplace(name, m_data.points.size());
    if (added) {
        m_data.points.emplace_back();
        m_data.points.back().name = name;
    }
    return m_data.points[it->second];
}

void CVrkObject::RebuildIndex() {
    m_index.clear();
    for (size_t i = 0; i < m_data.points.size(); ++i) m_index.emplace(m_data.points[i].name, i);
}

short CImportInfo::GetCodeSystem(CVrkObject* project) const {
    return m_code_system;
}

void CImportInfo::SetCodeSystem(CVrkObject* project, short code_system) {
    m_code_system = code_system;
}

}  // namespace vrk
