#include "import/plugin_options.h"

#include <algorithm>
#include <string>
#include <vector>

#include "import/import_dialog.h"
#include "import/import_plugins.h"
#include "import/options_sheet.h"
#include "import/plugin_guard.h"
#include "import/plugin_host.h"
#include "ui/prompter.h"

namespace {

// More pages than anyone can use means a broken count.
constexpr int kMaxPluginPages = 64;

std::string PageCaption(IImportPage& page) {
    std::string caption;
    Contained([&] { page.GetCaption(caption); });
    return caption;
}

// The names of the project's code systems in use, each followed by ";".
std::string JoinedCodeSystemNames(const vrk::CClassificator& classificator) {
    std::string names;
    for (const auto& name : CodeSystemNames(&classificator)) names += name + ";";
    return names;
}

void EditWithoutPages(CImpDEVDlg& dlg, IRegImportServer& plugin, ImportPluginSettings* record) {
    if (record && dlg.project())
        if (vrk::CClassificator* classificator = dlg.project()->GetClassificator())
            record->code_system_names = JoinedCodeSystemNames(*classificator);
    if (!Contained([&] { return plugin.EditOptions(); }, false))
        return;
    Contained([&] { plugin.SaveSettings(); });
    // The dialog shows and saves what the plug-in now holds.
    if (record)
        ApplyPluginRecord(*record, dlg);
}

void EditWithPages(CImpDEVDlg& dlg, IRegImportServer& plugin, ImportPluginSettings* record) {
    const int mark = dlg.SelectionIndex(-1);
    std::string title;
    Contained([&] { plugin.GetTitle(title); });
    CImpOptDlgSheet sheet(dlg.CurrentFormat(), title, true, &dlg);
    std::vector<std::unique_ptr<CPluginPage>> pages;
    const int count = Contained([&] { return plugin.GetPageCount(); }, 0);
    for (int i = 0; i < count && i < kMaxPluginPages; ++i) {
        IImportPage* page = nullptr;
        if (!Contained([&] { return plugin.GetPage(i, page); }, false) || !page)
            continue;
        pages.push_back(std::make_unique<CPluginPage>(*page));
        sheet.AddPage(pages.back().get());
    }
    if (record)
        ApplyPluginRecord(*record, dlg);
    if (sheet.DoModal() == ui::IDOK) {
        if (record)
            RecordFromSettings(dlg.Settings(), *record);
        Contained([&] { plugin.SaveSettings(); });
    }
    dlg.SelectionIndex(mark);
}

}  // namespace

void RunPluginOptions(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin) {
    if (!plugin)
        return;
    ImportPluginSettings* record = PluginRecord(*plugin);
    if (Contained([&] { return plugin->HasPages(); }, 0) == 0)
        EditWithoutPages(dlg, *plugin, record);
    else
        EditWithPages(dlg, *plugin, record);
}

CPluginPage::CPluginPage(IImportPage& page) : ui::PropertyPage(PageCaption(page)), m_page(page) {}

void CPluginPage::OnInitPage() {
    Contained([&] { m_page.OnInitPage(&m_controls); });
}

// A page that throws is not allowed to trap the user in the sheet.
bool CPluginPage::OnKillActive() {
    return Contained([&] { return m_page.OnKillActive(&m_controls); }, true);
}

bool CPluginPage::OnApply() {
    return Contained([&] { return m_page.OnApply(&m_controls); }, true);
}

void CPluginPage::OnCommand(int id) {
    SetModified();
    Contained([&] { m_page.OnCommand(&m_controls, id); });
}

void CPluginPage::Controls::SetText(int id, const char* text) {
    Contained([&] { m_frame.SetText(id, text ? text : ""); });
}

void CPluginPage::Controls::GetText(int id, std::string& text) {
    Contained([&] { text = m_frame.Text(id); });
}

void CPluginPage::Controls::SetTextLimit(int id, int characters) {
    Contained([&] { m_frame.control(id).text_limit = characters < 0 ? -1 : characters; });
}

void CPluginPage::Controls::SetCheck(int id, int checked) {
    Contained([&] { m_frame.SetCheck(id, checked); });
}

int CPluginPage::Controls::GetCheck(int id) {
    return Contained([&] { return m_frame.Checked(id); }, 0);
}

void CPluginPage::Controls::Enable(int id, bool on) {
    Contained([&] { m_frame.Enable(id, on); });
}

void CPluginPage::Controls::SetItems(int id, const char* items) {
    Contained([&] {
        std::vector<std::string> list;
        const std::string text = items ? items : "";
        size_t pos = 0;
        while (pos < text.size()) {
            const size_t end = std::min(text.find('\n', pos), text.size());
            list.push_back(text.substr(pos, end - pos));
            pos = end + 1;
        }
        m_frame.SetItems(id, std::move(list));
    });
}

void CPluginPage::Controls::SetSelection(int id, int index) {
    Contained([&] { m_frame.SetSelection(id, index); });
}

int CPluginPage::Controls::GetSelection(int id) {
    return Contained([&] { return m_frame.Selection(id); }, -1);
}

void CPluginPage::Controls::SetFocus(int id) {
    Contained([&] { m_frame.SetFocus(id); });
}

int CPluginPage::Controls::ShowMessage(const char* text, unsigned style) {
    return Contained([&] { return ui::ShowMessage(text ? text : "", style); }, ui::IDCANCEL);
}
