// The file-selection side of the import dialog: format list and filters, remembered folders and
// wildcards, the name box, and the buttons that open files in the viewer.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "import/import_dialog.h"
#include "platform/atomic_write.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "text/letter_case.h"
#include "text/paths.h"
#include "text/trim.h"
#include "ui/prompter.h"

namespace fs = std::filesystem;

namespace {

// One fixed name, so every press overwrites the same file instead of leaving a new one behind.
constexpr const char* kImportedListFile = "tavrin-imported-files.txt";

// A name or pattern must not hold the separators of the filter text, or every later entry
// would shift by one.
std::string FilterPiece(std::string text) {
    std::replace(text.begin(), text.end(), '|', ';');
    std::replace(text.begin(), text.end(), '\0', ';');
    return text;
}

// The viewer did not start: the message says which program and why.
void ReportViewerFailure(const std::string& error, bool beep) {
    ui::ShowMessage(res::LoadString(9285) + "\n" + error, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0,
                    beep);
}

}  // namespace

void CImpDEVDlg::LoadFilters(std::vector<std::string>& patterns, std::vector<std::string>& names) {
    patterns.clear();
    names.clear();
    const auto& table = BuiltInFormats();
    for (int i = 0; i <= m_nHighest; ++i) {
        if (i < kBuiltInFormats) {
            patterns.emplace_back(table[static_cast<size_t>(i)].pattern);
            names.push_back(res::LoadString(table[static_cast<size_t>(i)].filter_name_id));
        } else {
            patterns.emplace_back();
            names.emplace_back();
        }
    }
    platform::Profile& profile = platform::Profile::Instance();
    for (const auto& [index, entry] : m_PluginMap) {
        if (index < 0 || index > m_nHighest)
            continue;
        const auto at = static_cast<size_t>(index);
        if (entry.plugin) {
            patterns[at] = entry.filter_pattern;
            names[at] = entry.filter_name;
            continue;
        }
        if (index >= kBuiltInFormats)
            continue;
        std::string stored = profile.GetString(GetSection(index), "Filters", patterns[at]);
        // A blank stored text is no pattern at all: the table's pattern stands.
        if (text::Trim(stored).empty())
            stored = patterns[at];
        stored = text::Lower(stored);
        if (stored.find("*.txt") == std::string::npos && stored.find("*.*") == std::string::npos)
            stored += ";*.txt";
        patterns[at] = stored;
    }
}

void CImpDEVDlg::SetOFN() {
    std::vector<std::string> patterns, names;
    LoadFilters(patterns, names);
    // Each type is "name (pattern)" and then the pattern, each ended by a zero character; the
    // zero after the last pattern and the string's own end make the double zero.
    m_Filter.clear();
    std::vector<std::string> items;
    for (size_t i = 0; i < patterns.size(); ++i) {
        const std::string pattern = FilterPiece(patterns[i]);
        std::string item = FilterPiece(names[i]) + " (" + pattern + ")";
        m_Filter += item;
        m_Filter += '\0';
        m_Filter += pattern;
        m_Filter += '\0';
        items.push_back(std::move(item));
    }
    m_frame.SetItems(kIdTypeList, std::move(items));

    m_InitDir = GetInitDir();
    if (m_bFileGiven && m_bFirstChange) {
        const std::string given = text::Trim(m_FileList);
        const std::string full = text::ResolvePath(m_CurrentFolder, given);
        std::error_code ec;
        bool readable = !given.empty() && fs::is_regular_file(full, ec);
        if (readable)
            readable = std::ifstream(full, std::ios::binary).is_open();
        if (readable) {
            // The dialog opens in the file's folder with the bare name in the name box.
            m_InitDir = text::FolderOf(full);
            m_CurrentFolder = m_InitDir;
            m_FileList = fs::path(full).filename().string();
        } else {
            // The message names the file even when its text has no place for the name.
            std::string text = res::Format(res::LoadString(9022), {given});
            if (text.find(given) == std::string::npos)
                text += "\n" + given;
            ui::ShowMessage(text, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0, true);
            m_FileList.clear();
        }
    }
    // The result of the selection is the name box itself: a string with no fixed size, so the
    // platform's fixed result buffer and its allocation failure have no counterpart here.
}

std::string CImpDEVDlg::GetInitDir() {
    const std::string stored =
        platform::Profile::Instance().GetString(GetSection(), "FileName", "");
    return text::FolderOf(text::Trim(stored.substr(0, stored.find(';'))));
}

void CImpDEVDlg::SetInitDir(const std::string& text) {
    platform::Profile::Instance().WriteString(GetSection(), "FileName", text);
}

void CImpDEVDlg::SaveFilter() {
    if (m_Wildcard.empty())
        return;
    platform::Profile::Instance().WriteString(GetSection(), "Filters", text::Lower(m_Wildcard));
}

bool CImpDEVDlg::OnInitDialog() {
    m_frame.title = res::LoadString(9052);
    m_frame.SetSelection(kIdTypeList, m_nCurrent);
    GetData();
    m_frame.Enable(kIdFiles, !m_ImportedFiles.empty());
    return true;
}

void CImpDEVDlg::OnShowWindow() {
    m_frame.Show(ui::IDOK, false);
    m_frame.Show(ui::IDCANCEL, false);
    m_frame.SetText(kIdTypeLabel, res::LoadString(9118));
    m_frame.SetText(kIdImport, res::LoadString(9089));
    m_frame.SetText(kIdCancel, res::LoadString(9094));
    m_frame.centred = true;
}

void CImpDEVDlg::OnTypeChange() {
    const int selected = m_frame.Selection(kIdTypeList);
    if (selected < 0 || selected > m_nHighest) {
        // Nothing or something unknown chosen: the list goes back to the format in use.
        m_frame.SetSelection(kIdTypeList, m_nCurrent);
        return;
    }
    m_nCurrent = selected;
    m_frame.SetText(kIdNameBox, "");
    // A wildcard typed for the previous format is not a filter of this one.
    m_Wildcard.clear();
    GetCaption(m_nCurrent);
    GetData();
}

void CImpDEVDlg::OnFolderChange() {
    if (m_frame.Text(kIdNameBox).find('*') == std::string::npos)
        m_frame.SetText(kIdNameBox, "");
}

void CImpDEVDlg::OnFileNameChange() {
    if (m_bFirstChange) {
        m_bFirstChange = 0;
        if (m_bFileGiven)
            m_frame.SetText(kIdNameBox, m_FileList);
    }
    std::string quoted;
    const int n = GetFileList(m_FileList, quoted);
    if (n < 1) {
        m_frame.Enable(kIdView, false);
        m_frame.Enable(kIdImport, false);
    } else {
        m_frame.SetText(kIdNameBox, quoted);
        m_frame.Enable(kIdImport, true);
        m_frame.Enable(kIdView, n == 1);
    }
    if (m_frame.Selection(kIdTypeList) != m_nCurrent)
        m_frame.SetSelection(kIdTypeList, m_nCurrent);
}

void CImpDEVDlg::OnView() {
    std::string name, quoted;
    if (GetFileList(name, quoted) != 1)
        return;
    const int mark = SelectionIndex(-1);
    ShowFile(text::ResolvePath(m_CurrentFolder, name));
    if (mark != -1)
        SelectionIndex(mark);
}

void CImpDEVDlg::ShowFile(const std::string& path) {
    std::string error;
    if (platform::OpenInViewer(path, error) == platform::ViewerResult::Failed)
        ReportViewerFailure(error, true);
}

void CImpDEVDlg::OnFiles() {
    if (platform::ViewerCommand().empty())
        return;
    std::error_code ec;
    fs::path folder = fs::temp_directory_path(ec);
    if (ec)
        folder = "/tmp";  // TMPDIR names no folder
    const fs::path path = folder / kImportedListFile;
    std::string error;
    if (!platform::AtomicWrite(path, res::LoadString(9020) + m_ImportedFiles, error)) {
        ui::ShowMessage(error, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    if (platform::OpenInViewer(path.string(), error) == platform::ViewerResult::Failed)
        ReportViewerFailure(error, false);
}

void CImpDEVDlg::OnIhelp() {
    const int mark = SelectionIndex(-1);
    const std::string url = platform::CompanyPath("HelpUrl");
    std::string error;
    if (!url.empty() && !platform::Process::Spawn({"xdg-open", url}, error))
        ui::ShowMessage(error, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    if (mark != -1)
        SelectionIndex(mark);
}
