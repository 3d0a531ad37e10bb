#include "import/options_sheet.h"

#include "import/import_dialog.h"
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

bool CheckOnPages(CImpDEVDlg& dlg, const std::vector<const SettingInfo*>& given,
                  std::string& message) {
    const int format = dlg.CurrentFormat();
    CImpOptDlgSheet sheet(format, std::string(), dlg.FindPlugin(format) != nullptr, &dlg);
    const ImportSettings asked = dlg.Settings();
    bool ok = true;
    for (size_t i = 0; ok && i < sheet.PageCount(); ++i) {
        auto& page = static_cast<CImpOptPage&>(sheet.Page(i));
        page.SetQuiet(true);
        page.OnInitPage();
        if (!page.OnApply()) {
            message = page.Refusal();
            ok = false;
        }
    }
    // A value the page shows otherwise than given (a check box of 5, a list choice past its
    // end) would not be what the user asked for either.
    for (size_t i = 0; ok && i < given.size(); ++i) {
        const std::string want = SettingText(asked, *given[i]);
        const std::string keep = SettingText(dlg.Settings(), *given[i]);
        if (want != keep) {
            message = res::Format(res::LoadString(9616), {given[i]->name, want, keep});
            ok = false;
        }
    }
    dlg.SetSettings(asked);
    return ok;
}
