#include "readers/elta/elta_rec500_reader.h"

#include <algorithm>

namespace {
// The record number and blanks in front of every line.
constexpr size_t kLineNumberWidth = 8;
constexpr int kMaxWidth = 27;
constexpr std::array<const char*, 4> kColumnKeys{"NameStartE", "NameWidthE", "CodeStartE",
                                                 "CodeWidthE"};
}  // namespace

CImpELTAREC500::CImpELTAREC500(vrk::CVrkObject* project, ReaderSite* site, vrk::CImportInfo* info,
                               std::string format)
    : CImpELTAR4(project, site, info, std::move(format)) {
    m_ColumnKeys = &kColumnKeys;
    ResetState();
}

CImpELTAREC500::~CImpELTAREC500() = default;

void CImpELTAREC500::ResetState() {
    CImpELTAR4::ResetState();
    m_Code.clear();
    m_Point.clear();
    ImportSettings defaults;
    const ImportSettings& s = m_pSite ? m_pSite->Settings() : defaults;
    m_Columns = ClampColumns(s.NameStartE, s.NameWidthE, s.CodeStartE, s.CodeWidthE, kMaxWidth);
}

std::string_view CImpELTAREC500::PrepareString(std::string& line) {
    if (IsStrBlank(line)) {
        line.clear();
        return {};
    }
    line.erase(0, std::min(line.size(), kLineNumberWidth));
    if (line.empty())
        return {};
    m_Point = Column(line, m_Columns.name_start, m_Columns.name_width);
    m_Code = Column(line, m_Columns.code_start, m_Columns.code_width);
    m_ColumnText = line;
    // The head field names the point; "INPUT" records only carry entered values.
    m_Prepared = m_Code == "INPUT" ? "|TR " : "|KR ";
    m_Prepared += m_Code;
    m_Prepared += ' ';
    m_Prepared += m_Point;
    m_Prepared += '|';
    // A bar goes right in front of the first occurrence of each type word, unless one stands
    // two places before it: then the word is the tail of one already split off ("h" in "th").
    for (std::string_view word : TypeWords()) {
        size_t p = line.find(word);
        if (p != std::string::npos && p >= 2 && line[p - 2] != '|')
            line.insert(p, 1, '|');
    }
    if (!Has(line, "|")) {
        line.clear();
        return {};
    }
    m_Prepared += line;
    return m_Prepared;
}

void CImpELTAREC500::GetUnits(unsigned, std::string_view&, std::string_view& units) {
    units = {};
}

int CImpELTAREC500::SetUnits(std::string&, std::string_view) {
    // Rec 500 records are always metres and degrees-minutes-seconds.
    m_DistUnit = zut::du_metre;
    StateAngleUnit(zut::au_dms);
    return 1;
}

void CImpELTAREC500::BreakCodeAndPoint(std::string_view, std::string& code, std::string& point) {
    code = std::move(m_Code);
    point = std::move(m_Point);
    NoteName(point, m_ColumnText);
    m_Code.clear();
    m_Point.clear();
}

void CImpELTAREC500::PushAngle(EventID event, std::string& value) {
    const std::string as_in_file = value;
    ShownAs shown(*this, as_in_file);
    value = RewriteDms(value, false);
    PushM(event, value);
}
