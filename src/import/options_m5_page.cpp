#include "import/options_m5_page.h"

#include <iterator>

namespace {

constexpr const char* kLineHead = "For M5| Adr 00001| PI1   ";
constexpr int kLast = CImpOptRecM5Page::kColumns;

}  // namespace

std::string M5PreviewLine(M5Columns c, int max_width) {
    c.name_start = ClampInt(c.name_start, 1, kLast);
    c.code_start = ClampInt(c.code_start, 1, kLast);
    c.name_width = ClampInt(c.name_width, 0, max_width);
    c.code_width = ClampInt(c.code_width, 0, max_width);
    std::string field(kLast, '*');
    // A field that would run past the last column cannot be shown.
    if (c.name_start + c.name_width - 1 <= kLast && c.code_start + c.code_width - 1 <= kLast) {
        field.replace(static_cast<size_t>(c.code_start - 1), static_cast<size_t>(c.code_width),
                      static_cast<size_t>(c.code_width), 'c');
        field.replace(static_cast<size_t>(c.name_start - 1), static_cast<size_t>(c.name_width),
                      static_cast<size_t>(c.name_width), 'p');
    }
    return kLineHead + field;
}

CImpOptRecM5Page::CImpOptRecM5Page()
    : CImpOptRecM5Page(Layout{&ImportSettings::NameStart, &ImportSettings::NameWidth,
                              &ImportSettings::CodeStart, &ImportSettings::CodeWidth, kLast,
                              true}) {}

CImpOptRecM5Page::CImpOptRecM5Page(const Layout& layout)
    : CImpOptPage(9204, "Формат кода и точки"),
      m_layout(layout),
      m_columns{{kIdNameStart, layout.name_start, 1, kLast},
                {kIdNameWidth, layout.name_width, 0, layout.max_width},
                {kIdCodeStart, layout.code_start, 1, kLast},
                {kIdCodeWidth, layout.code_width, 0, layout.max_width}} {
    m_frame.SetText(kIdStandardHeader, "&Стандартный заголовок");
    m_frame.SetText(kIdHeaderO, "\"O\"");
    m_frame.SetText(kIdHeaderKnown, "&STN. KNOWN.");
    m_frame.Enable(kIdHeaderO, false);
    m_frame.Enable(kIdHeaderKnown, false);
}

const CImpOptRecM5Page::Column* CImpOptRecM5Page::FindColumn(int id) const {
    for (const auto& c : m_columns)
        if (c.id == id)
            return &c;
    return nullptr;
}

void CImpOptRecM5Page::Load() {
    for (const auto& c : m_columns)
        m_frame.SetText(c.id, std::to_string(ClampInt(m_v.*c.field, c.lo, c.hi)));
    ShowHeader();
    RefreshPreview();
}

void CImpOptRecM5Page::ShowHeader() {
    m_frame.SetCheck(kIdStandardHeader, m_v.StnM5Def ? 1 : 0);
    m_frame.SetCheck(kIdHeaderO, m_v.StnM5O ? 1 : 0);
    m_frame.SetCheck(kIdHeaderKnown, m_v.StnM5Known ? 1 : 0);
}

M5Columns CImpOptRecM5Page::EditedColumns() {
    // Text that is not yet a number shows as 0 until the user has finished typing.
    auto value = [this](int id) { return ParseWhole(m_frame.Text(id)).value_or(0); };
    return {value(kIdNameStart), value(kIdNameWidth), value(kIdCodeStart), value(kIdCodeWidth)};
}

void CImpOptRecM5Page::RefreshPreview() {
    m_frame.SetText(kIdPreview, M5PreviewLine(EditedColumns(), m_layout.max_width));
}

void CImpOptRecM5Page::Spin(int id, int delta) {
    const Column* c = FindColumn(id);
    if (!c || !m_frame.IsEnabled(id))
        return;
    const int now = ClampInt(ParseWhole(m_frame.Text(id)).value_or(c->lo), c->lo, c->hi);
    const int next = ClampInt(now + (delta > 0) - (delta < 0), c->lo, c->hi);
    m_frame.SetText(id, std::to_string(next));
    OnCommand(id);
}

void CImpOptRecM5Page::OnCommand(int id) {
    if (FindColumn(id)) {
        RefreshPreview();
        SetModified();
    } else if (id == kIdStandardHeader && m_layout.header) {
        // The standard header rules out both of the other headers, and the other way round.
        m_v.StnM5Def = m_v.StnM5Def ? 0 : 1;
        m_v.StnM5O = m_v.StnM5Known = m_v.StnM5Def ? 0 : 1;
        ShowHeader();
        SetModified();
    } else if (id == kIdHeaderO || id == kIdHeaderKnown) {
        SetModified();
    }
}

bool CImpOptRecM5Page::Check() {
    int values[std::size(m_columns)];
    for (size_t i = 0; i < std::size(m_columns); ++i)
        if (!ReadWholeInRange(m_columns[i].id, m_columns[i].lo, m_columns[i].hi, values[i]))
            return false;
    for (size_t i = 0; i < std::size(m_columns); ++i) m_v.*m_columns[i].field = values[i];
    return true;
}

void CImpOptRecM5Page::Store(ImportSettings& to) const {
    for (const auto& c : m_columns) to.*c.field = m_v.*c.field;
    if (!m_layout.header)
        return;
    to.StnM5Def = m_v.StnM5Def;
    to.StnM5O = m_v.StnM5O;
    to.StnM5Known = m_v.StnM5Known;
}

CImpOptRec500Page::CImpOptRec500Page()
    : CImpOptRecM5Page(Layout{&ImportSettings::NameStartE, &ImportSettings::NameWidthE,
                              &ImportSettings::CodeStartE, &ImportSettings::CodeWidthE, kLast - 1,
                              false}) {
    m_frame.Enable(kIdFormatGroup, false);
    m_frame.Enable(kIdStandardHeader, false);
}
