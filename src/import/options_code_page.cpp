#include "import/options_code_page.h"

#include "import/import_dialog.h"

namespace {

struct SeparatorEdit {
    int id;
    std::string ImportSettings::*field;
};

constexpr SeparatorEdit kSeparators[] = {
    {kIdCodeSep, &ImportSettings::CodeSep},
    {kIdLink, &ImportSettings::Link},
    {kIdAtrAtr, &ImportSettings::AtrAtr},
    {kIdAtrVal, &ImportSettings::AtrVal},
};

}  // namespace

std::vector<std::string> CodeSystemNames(const vrk::CClassificator* classificator) {
    std::vector<std::string> names;
    if (!classificator)
        return names;
    for (const auto& slot : classificator->slots)
        if (slot.in_use)
            names.push_back(slot.name);
    return names;
}

CImpOptCodePage::CImpOptCodePage() : CImpOptPage(9200, "Кодировка") {
    m_tips = {{kIdCodeNumeric, 9098},   {kIdLinesAttr, 9099},  {kIdForceCode, 9100},
              {kIdCSFromProject, 9115}, {kIdCodeSystem, 9107}, {kIdOnRelief, 9108},
              {kIdCodeSep, 9109},       {kIdLink, 9110},       {kIdAtrAtr, 9111},
              {kIdAtrVal, 9112}};
    m_frame.SetText(kIdCodeNumeric, "&Компактный формат");
    m_frame.SetText(kIdLinesAttr, "Стр&уктурные линии по умолчанию");
    m_frame.SetText(kIdForceCode, "Т&иражирование кода");
    m_frame.SetText(kIdCSFromProject, "Вз&ять из проекта");
    m_frame.SetItems(kIdOnRelief, {"Рельефная", "Ситуационная", "Нерельефная"});
    for (const auto& sep : kSeparators) m_frame.control(sep.id).text_limit = 1;
}

bool CImpOptCodePage::HasClassificator() const {
    return m_pDlg && m_pDlg->project() && m_pDlg->project()->GetClassificator();
}

void CImpOptCodePage::NormaliseCodeSystem() {
    const int count = static_cast<int>(m_frame.control(kIdCodeSystem).items.size());
    if (count == 0)
        m_v.CodeSystem = -1;
    else if (m_v.CodeSystem == -1)
        m_v.CodeSystem = 0;
}

void CImpOptCodePage::EnableCodeSystem() {
    const bool has = HasClassificator();
    m_frame.Enable(kIdCSFromProject, has);
    m_frame.Enable(kIdCodeSystem, has && !m_frame.Checked(kIdCSFromProject));
}

void CImpOptCodePage::Load() {
    m_frame.SetCheck(kIdCodeNumeric, m_v.CodeNumeric ? 1 : 0);
    m_frame.SetCheck(kIdLinesAttr, m_v.LinesAttr ? 1 : 0);
    m_frame.SetCheck(kIdForceCode, m_v.ForceCode ? 1 : 0);
    m_frame.SetCheck(kIdCSFromProject, m_v.CSFromProject ? 1 : 0);
    m_frame.SetSelection(kIdOnRelief, ClampInt(m_v.OnRelief, 0, 2));
    for (const auto& sep : kSeparators) m_frame.SetText(sep.id, m_v.*sep.field);

    std::vector<std::string> names = CodeSystemNames(
        m_pDlg && m_pDlg->project() ? m_pDlg->project()->GetClassificator() : nullptr);
    const int count = static_cast<int>(names.size());
    m_frame.SetItems(kIdCodeSystem, std::move(names));
    NormaliseCodeSystem();
    if (m_v.CodeSystem >= count)
        m_v.CodeSystem = count - 1;
    if (m_v.CodeSystem < -1)
        m_v.CodeSystem = count > 0 ? 0 : -1;
    m_frame.SetSelection(kIdCodeSystem, m_v.CodeSystem);
    EnableCodeSystem();
}

void CImpOptCodePage::OnCommand(int id) {
    if (id == kIdCSFromProject)
        EnableCodeSystem();
    SetModified();
}

bool CImpOptCodePage::Check() {
    m_v.CodeNumeric = m_frame.Checked(kIdCodeNumeric) ? 1 : 0;
    m_v.LinesAttr = m_frame.Checked(kIdLinesAttr) ? 1 : 0;
    m_v.ForceCode = m_frame.Checked(kIdForceCode) ? 1 : 0;
    m_v.CSFromProject = m_frame.Checked(kIdCSFromProject) ? 1 : 0;
    m_v.OnRelief = ClampInt(m_frame.Selection(kIdOnRelief), 0, 2);
    // A front end may have put more in than the edit takes.
    for (const auto& sep : kSeparators) m_v.*sep.field = m_frame.Text(sep.id).substr(0, 1);

    // The choice in the list; none (or an empty list) is no code system.
    const int count = static_cast<int>(m_frame.control(kIdCodeSystem).items.size());
    const int sel = m_frame.Selection(kIdCodeSystem);
    m_v.CodeSystem = (sel >= 0 && sel < count) ? sel : -1;
    return true;
}

void CImpOptCodePage::Store(ImportSettings& to) const {
    to.CodeNumeric = m_v.CodeNumeric;
    to.LinesAttr = m_v.LinesAttr;
    to.ForceCode = m_v.ForceCode;
    to.CSFromProject = m_v.CSFromProject;
    to.CodeSystem = m_v.CodeSystem;
    to.OnRelief = m_v.OnRelief;
    to.CodeSep = m_v.CodeSep;
    to.Link = m_v.Link;
    to.AtrAtr = m_v.AtrAtr;
    to.AtrVal = m_v.AtrVal;
}
