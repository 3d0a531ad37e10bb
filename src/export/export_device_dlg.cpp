#include "export/export_device_dlg.h"

#include <filesystem>

#include "export/export_formats.h"
#include "platform/process.h"
#include "resources/strings.h"
#include "text/paths.h"
#include "text/trim.h"
#include "ui/prompter.h"

namespace fs = std::filesystem;

CExportDeviceDlg::CExportDeviceDlg() {
    for (const auto& f : ExportFormats()) {
        m_Extensions.emplace_back(f.pattern);
        m_Names.emplace_back(f.name);
    }
}

int CExportDeviceDlg::DoModal() {
    m_frame.title = res::LoadString(9083);
    m_Filter = GetFilters();
    return ui::Dialog::DoModal();
}

std::string CExportDeviceDlg::GetFilters() const {
    std::string text;
    for (size_t i = 0; i < m_Names.size(); ++i) {
        text += " " + m_Names[i] + " (" + m_Extensions[i] + ")";
        text += '\0';
        text += " " + m_Extensions[i];
        text += '\0';
    }
    text += '\0';
    return text;
}

bool CExportDeviceDlg::OnInitDialog() {
    m_nFormat = 0;
    std::vector<std::string> items;
    for (size_t i = 0; i < m_Names.size(); ++i)
        items.push_back(" " + m_Names[i] + " (" + m_Extensions[i] + ")");
    m_frame.SetItems(kIdTypeList, std::move(items));
    m_frame.SetSelection(kIdTypeList, m_nFormat);
    OnFileNameChange();
    return true;
}

void CExportDeviceDlg::OnShowWindow() {
    // The template's own Export and Cancel take the place of the standard buttons.
    m_frame.Show(kIdStandardOk, false);
    m_frame.Show(kIdStandardCancel, false);
}

bool CExportDeviceDlg::OnCommand(int id) {
    switch (id) {
        case kIdExport:
        case kIdStandardOk:
            OnFileNameOK();
            return true;
        case kIdCancel:
        case kIdStandardCancel:
            OnMCancel();
            return true;
        case kIdView:
            OnView();
            return true;
        case kIdHelp:
            OnIhelp();
            return true;
        case kIdTypeList:
            OnTypeChange();
            return true;
        case kIdNameBox:
            OnFileNameChange();
            return true;
        default:
            return false;
    }
}

void CExportDeviceDlg::OnFileNameChange() {
    m_frame.Enable(kIdView, !text::Trim(m_frame.Text(kIdNameBox)).empty());
}

void CExportDeviceDlg::OnExport() {
    std::string name = text::Trim(m_frame.Text(kIdNameBox));
    if (name.empty()) {
        ui::ShowMessage(9032, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    // A folder typed into the name box opens that folder, as file dialogs do.
    std::error_code ec;
    const std::string typed = text::ResolvePath(current_folder, name);
    if (name.back() == '/' || fs::is_directory(typed, ec)) {
        current_folder = typed;
        m_frame.SetText(kIdNameBox, "");
        OnFileNameChange();
        return;
    }
    AddExtention(name);
    m_PathName = text::ResolvePath(current_folder, name);
    if (fs::exists(m_PathName, ec)) {
        const std::string question = res::Format(res::LoadString(9012), {m_PathName});
        if (ui::ShowMessage(question, ui::MB_YESNO | ui::MB_ICONEXCLAMATION) != ui::IDYES)
            return;
    }
    EndDialog(ui::IDOK);
}

void CExportDeviceDlg::OnTypeChange() {
    std::string name = text::Trim(m_frame.Text(kIdNameBox));
    if (!name.empty())
        AddExtention(name);
}

void CExportDeviceDlg::AddExtention(std::string& name) {
    const int selected = m_frame.Selection(kIdTypeList);
    if (selected >= 0 && static_cast<size_t>(selected) < m_Extensions.size())
        m_nFormat = selected;
    else
        m_frame.SetSelection(kIdTypeList, m_nFormat);  // nothing sensible chosen: keep the format
    const std::string& pattern = m_Extensions[static_cast<size_t>(m_nFormat)];
    const std::string extension =
        pattern.size() >= 2 ? pattern.substr(1, pattern.size() - 2) : std::string();
    // Only a dot of the file name itself starts an extension, not one of a folder.
    const size_t slash = name.find_last_of('/');
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        name.erase(dot);
    name += extension;
    m_frame.SetText(kIdNameBox, name);
}

void CExportDeviceDlg::OnView() {
    const std::string name = text::Trim(m_frame.Text(kIdNameBox));
    if (name.empty())
        return;
    std::string error;
    if (platform::OpenInViewer(text::ResolvePath(current_folder, name), error) ==
        platform::ViewerResult::Failed)
        ui::ShowMessage(res::LoadString(9285) + "\n" + error, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0,
                        true);
}

void CExportDeviceDlg::OnMCancel() {
    EndDialog(ui::IDCANCEL);
}

void CExportDeviceDlg::OnIhelp() {
    // Starting the browser must not lose the mark in the file list.
    const int mark = m_frame.Has(kIdListView) ? m_frame.Selection(kIdListView) : -1;
    const std::string url = platform::CompanyPath("HelpUrl");
    std::string error;
    if (!url.empty() && !platform::Process::Spawn({"xdg-open", url}, error))
        ui::ShowMessage(error, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    if (mark != -1)
        m_frame.SetSelection(kIdListView, mark);
}
