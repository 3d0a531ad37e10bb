#include "import/options_sheet.h"

#include "resources/strings.h"

namespace {
constexpr unsigned kTitle = 9051;  // "Options for import from "
}

CImpOptDlgSheet::CImpOptDlgSheet(int format, std::string caption, bool plugin_mode,
                                 CImpDEVDlg* parent)
    : m_format(format), m_caption(std::move(caption)) {
    for (CImpOptPage* page :
         {static_cast<CImpOptPage*>(&m_common), static_cast<CImpOptPage*>(&m_code),
          static_cast<CImpOptPage*>(&m_leica), static_cast<CImpOptPage*>(&m_m5),
          static_cast<CImpOptPage*>(&m_rec500)})
        page->SetDialog(parent);
    AddPage(&m_common);
    AddPage(&m_code);
    if (plugin_mode)
        return;
    if (format == 2)
        AddPage(&m_m5);
    if (format == 3)
        AddPage(&m_rec500);
    if (format == 5)
        AddPage(&m_leica);
}

bool CImpOptDlgSheet::OnInitDialog() {
    SetTitle(res::LoadString(kTitle) + m_caption);
    return ui::PropertySheet::OnInitDialog();
}

bool CImpOptDlgSheet::OnCommand(int id) {
    switch (id) {
        case ui::IDOK:
            PressOK();
            return true;
        case ui::IDCANCEL:
            PressCancel();
            return true;
        default:
            return false;
    }
}
