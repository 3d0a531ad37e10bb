#include "ui/property_sheet.h"

namespace ui {

bool PropertySheet::OnInitDialog() {
    m_active = -1;
    for (PropertyPage* p : m_pages) p->initialised = false;
    if (!m_pages.empty()) SetActivePage(0);
    return true;
}

bool PropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= static_cast<int>(m_pages.size())) return false;
    if (m_active >= 0 && m_active != index && !m_pages[m_active]->OnKillActive()) return false;
    m_active = index;
    PropertyPage* p = m_pages[index];
    if (!p->initialised) {
        p->initialised = true;
        p->OnInitPage();
    }
    p->OnSetActive();
    return true;
}

bool PropertySheet::PressOK() {
    if (m_active >= 0 && !m_pages[m_active]->OnKillActive()) return false;
    for (size_t i = 0; i < m_pages.size(); ++i) {
        PropertyPage* p = m_pages[i];
        if (!p->initialised) continue;
        if (!p->OnApply()) {
            m_active = static_cast<int>(i);
            return false;
        }
    }
    EndDialog(IDOK);
    return true;
}

}  // namespace ui
