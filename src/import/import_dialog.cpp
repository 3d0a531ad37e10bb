#include "import/import_dialog.h"

#include <algorithm>
#include <filesystem>
#include <future>
#include <system_error>

#include "import/import_plugins.h"
#include "import/import_run.h"
#include "platform/file_identity.h"
#include "platform/profile.h"
#include "platform/text_file.h"
#include "resources/strings.h"
#include "text/letter_case.h"
#include "text/paths.h"
#include "text/trim.h"
#include "ui/prompter.h"

namespace {

constexpr const char* kImportSettings = "ImportSettings";

// The name box may hold line ends pasted with the names.
std::string Trim(std::string_view s) {
    return text::Trim(s, text::kBlanksAndLineEnds);
}

}  // namespace

CImpDEVDlg::CImpDEVDlg(vrk::CVrkObject* project, ProgressCallback progress, unsigned caption_id,
                       std::string file, int file_given)
    : m_CurrentFile(file),
      m_pProject(project),
      m_Progress(std::move(progress)),
      m_FileList(std::move(file)),
      m_nCaptionId(caption_id),
      m_bFileGiven(file_given) {
    m_Info.flags = 15;
    std::error_code ec;
    m_CurrentFolder = std::filesystem::current_path(ec).string();
}

CImpDEVDlg::~CImpDEVDlg() {
    ClearPluginMap();
}

int CImpDEVDlg::DoImport() {
    CreatePluginMap();
    m_nCurrent = platform::Profile::Instance().GetInt(kImportSettings, "CurrentSelection", 0);
    if (m_nCurrent > m_nHighest || m_nCurrent < 0)
        m_nCurrent = 0;
    if (m_bFileGiven && m_nCurrent != 7 && m_nCurrent != 8)
        m_nCurrent = m_nCaptionId == 9070 ? 8 : 7;
    GetCaption(m_nCurrent);
    SetOFN();
    return DoModal() == 1 ? 1 : 0;
}

void CImpDEVDlg::GetCaption(int index) {
    if (index < 0)
        index = m_frame.Selection(kIdTypeList);
    if (index >= kBuiltInFormats || index < 0)
        m_nCaptionId = 0;
    else
        m_nCaptionId = BuiltInFormats()[static_cast<size_t>(index)].caption_id;
}

std::string CImpDEVDlg::GetSection(int index) const {
    if (index < 0)
        index = m_nCurrent;
    auto it = m_PluginMap.find(index);
    if (it != m_PluginMap.end() && it->second.plugin) {
        if (it->second.section.empty())
            return kImportSettings;
        return std::string(kImportSettings) + "\\" + it->second.section;
    }
    if (index >= kBuiltInFormats)
        return kImportSettings;
    return std::string(kImportSettings) + "\\" +
           BuiltInFormats()[static_cast<size_t>(index)].section;
}

void CImpDEVDlg::GetDefaults() {
    ImportSettings& s = m_Settings;
    s.CodeSystem = m_Info.GetCodeSystem(m_pProject);
    s.OnRelief = m_Info.GetDTM();
    SettingsFromFlags(s, m_Info.flags);
    SettingsFromSeparators(s, m_Info.separators);
    s.Y0 = zut::CEast::false_easting();
    s.X0 = zut::CNorth::false_northing();
    int es = zut::CEast::style();
    if (es >= 0 && es <= 2)
        s.YStyle = es;
    int ns = zut::CNorth::style();
    if (ns == 0 || ns == 1)
        s.XStyle = ns;
    s.NZone = zut::CEast::zone();
    s.Zone = zut::CEast::zone_width() == zut::zw_6deg ? 0 : 1;
}

void CImpDEVDlg::GetData() {
    GetDefaults();
    if (auto plugin = FindPlugin(m_nCurrent)) {
        LoadPluginSettings(*this, plugin);
        return;
    }
    LoadSettings(m_Settings, platform::Profile::Instance(), GetSection(), m_nCurrent);
}

void CImpDEVDlg::SaveData() {
    if (auto plugin = FindPlugin(m_nCurrent)) {
        SavePluginSettings(*this, plugin);
        return;
    }
    SaveSettings(m_Settings, platform::Profile::Instance(), GetSection(), m_nCurrent);
}

int CImpDEVDlg::GetFileList(std::string& list, std::string& quoted) {
    std::string text = Trim(m_frame.Text(kIdNameBox));
    list.clear();
    quoted.clear();
    if (text.empty())
        return 0;
    if (text.find('*') != std::string::npos) {
        m_Wildcard = text;
        return -1;
    }
    if (!m_LastList.empty() && text == m_LastQuoted) {
        list = m_LastList;
        quoted = m_LastQuoted;
        return static_cast<int>(std::count(list.begin(), list.end(), ';'));
    }
    std::vector<std::string> names;
    std::string rest = text;
    while (!rest.empty()) {
        if (rest[0] == '"') {
            size_t close = rest.find('"', 1);
            if (close == std::string::npos) {
                names.push_back(Trim(rest.substr(1)));
                break;
            }
            names.push_back(rest.substr(1, close - 1));
            rest = Trim(rest.substr(close + 1));
        } else {
            // Unquoted text up to the next quote is one name.
            size_t q = rest.find('"');
            names.push_back(Trim(rest.substr(0, q)));
            if (q == std::string::npos)
                break;
            rest = rest.substr(q);
        }
    }
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
    if (names.empty())
        return 0;
    if (names.size() == 1) {
        list = quoted = names[0];
        return 1;
    }
    for (const auto& n : names) list += n + ";";
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!quoted.empty())
            quoted += ' ';
        quoted += '"' + *it + '"';
    }
    m_LastList = list;
    m_LastQuoted = quoted;
    return static_cast<int>(names.size());
}

void CImpDEVDlg::OnMOK() {
    std::string quoted;
    int n = GetFileList(m_FileList, quoted);
    if (n <= 0)
        return;
    if (m_frame.Selection(kIdTypeList) >= 0)
        m_nCurrent = m_frame.Selection(kIdTypeList);
    platform::Profile::Instance().WriteInt(kImportSettings, "CurrentSelection", m_nCurrent);

    std::string first = Trim(m_FileList.substr(0, m_FileList.find(';')));
    std::string folder = text::FolderOf(text::ResolvePath(m_CurrentFolder, first));

    m_Chosen.clear();
    size_t pos = 0;
    while (!m_FileList.empty()) {
        size_t semi = m_FileList.find(';', pos);
        std::string name;
        if (semi != std::string::npos) {
            name = m_FileList.substr(pos, semi - pos);
        } else {
            if (pos != 0)
                break;
            name = m_FileList;
        }
        const std::string path = text::JoinFolder(folder, Trim(name));
        std::string full = text::Lower(path);
        std::string key = full + "\n";
        std::error_code ec;
        const bool exists = std::filesystem::is_regular_file(path, ec);
        std::string question;
        if (m_ImportedFiles.find(key) != std::string::npos) {
            question = res::Format(res::LoadString(9063), {full});
        } else if (const auto* earlier = exists ? ImportedBefore(path) : nullptr) {
            // Known from an earlier run, perhaps under another name.
            question = earlier->path == path
                           ? res::Format(res::LoadString(9063), {path})
                           : res::Format(res::LoadString(9605), {path, earlier->path});
        }
        if (question.empty() ||
            ui::ShowMessage(question, ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES) {
            // A file that is not there is not imported and not remembered as imported.
            if (exists) {
                if (m_ImportedFiles.find(key) == std::string::npos)
                    m_ImportedFiles += key;
                m_Chosen.push_back(path);
            }
            pos = semi == std::string::npos ? 1 : semi + 1;
        } else if (semi == std::string::npos) {
            m_FileList.clear();
        } else {
            m_FileList.erase(pos, semi - pos + 1);
        }
        if (semi == std::string::npos)
            break;
    }
    if (m_FileList.empty())
        return;
    m_FileList.insert(0, folder);
    if (!m_Chosen.empty()) {
        SetInitDir(m_FileList);
        SaveFilter();
        SaveData();
    }
    const size_t log_mark = m_pProject ? m_pProject->ImportLog().Entries().size() : 0;
    // A run that only shows the events keeps no project to remember the files in.
    if (!m_pProject || m_PushObserver.events_only) {
        RunImport();
        CloseDialog(1);
        return;
    }
    // Hashing a large file takes a while; the other core does it while the import reads.
    auto work = [paths = m_Chosen] {
        std::vector<std::optional<platform::FileDigest>> digests;
        digests.reserve(paths.size());
        for (const std::string& path : paths) digests.push_back(platform::DigestOf(path));
        return digests;
    };
    std::future<std::vector<std::optional<platform::FileDigest>>> digests;
    try {
        digests = std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        digests = std::async(std::launch::deferred, work);
    }
    RunImport();
    RecordImport(log_mark, digests.get());
    CloseDialog(1);
}

const vrk::CVrkObject::ImportedFile* CImpDEVDlg::ImportedBefore(const std::string& path) const {
    if (!m_pProject || m_pProject->imported_files.empty())
        return nullptr;
    const auto digest = platform::DigestOf(path);
    return digest ? m_pProject->FindImported(digest->size, digest->hash) : nullptr;
}

void CImpDEVDlg::RecordImport(size_t log_mark,
                              const std::vector<std::optional<platform::FileDigest>>& digests) {
    const bool clean = !m_pProject->ImportLog().ErrorsFrom(log_mark);
    m_pProject->SetAttr(vrk::CVrkObject::kAttrComplete, clean && !m_Chosen.empty() ? 1 : 0);
    for (size_t i = 0; i < m_Chosen.size() && i < digests.size(); ++i) {
        const std::string& path = m_Chosen[i];
        const auto& digest = digests[i];
        if (!digest)
            continue;
        auto& list = m_pProject->imported_files;
        const bool known = std::any_of(list.begin(), list.end(), [&](const auto& f) {
            return f.path == path && f.size == digest->size && f.hash == digest->hash;
        });
        if (!known)
            list.push_back({path, digest->size, digest->hash});
    }
}

void CImpDEVDlg::OnMCancel() {
    CloseDialog(2);
}

void CImpDEVDlg::CloseDialog(unsigned code) {
    EndDialog(static_cast<int>(code));
}

bool CImpDEVDlg::OnCommand(int id) {
    switch (id) {
        case kIdImport:
        case ui::IDOK:
            OnMOK();
            return true;
        case kIdCancel:
        case ui::IDCANCEL:
            OnMCancel();
            return true;
        case kIdOptions:
            OnOptions();
            return true;
        case kIdFiles:
            OnFiles();
            return true;
        case kIdView:
            OnView();
            return true;
        case kIdHelp:
            OnIhelp();
            return true;
        case kIdRecheckName:
            OnFileNameChange();
            return true;
        case kIdTypeList:
            OnTypeChange();
            return true;
        default:
            return false;
    }
}

void CImpDEVDlg::RunImport() {
    if (auto plugin = FindPlugin(m_nCurrent)) {
        RunPluginImport(*this, plugin, m_Progress);
    } else if (m_nCurrent < kBuiltInFormats) {
        if (m_Settings.CodeSystem == -1 && m_pProject->GetClassificator())
            m_Settings.CodeSystem = 0;
        m_Info.SetCodeSystem(m_pProject, static_cast<short>(m_Settings.CodeSystem));
        m_Info.SetDTM(static_cast<short>(m_Settings.OnRelief));
        uint16_t f = FlagsFromSettings(m_Settings, 0);
        if (m_nCurrent <= 4)
            f |= vrk::kFlagEltaFamily;
        m_Info.flags = f;
        SeparatorsFromSettings(m_Settings, m_Info.separators);
        RunBuiltInReader(*this, m_nCurrent);
    }
    ui::MessageBeep(0x30);
}

void CImpDEVDlg::SetProgress(const std::string& path) {
    long long length = platform::TextFile::Length(path);
    if (length < 0)
        length = 0;
    m_nProgressStep = static_cast<int>(std::max<long long>((length / 60) / 100, 1));
    m_nProgressTicks = 0;
    if (m_Progress)
        m_Progress(0, nullptr);
    m_CurrentFile = path;
}

void CImpDEVDlg::SetProgress(long line) {
    if (m_nProgressStep <= 0 || line % m_nProgressStep != 0)
        return;
    ++m_nProgressTicks;
    if (m_Progress)
        m_Progress(std::min(m_nProgressTicks, 100), nullptr);
}

int CImpDEVDlg::SelectionIndex(int index) {
    if (index == -1) {
        if (!m_frame.Has(kIdListView))
            return -1;
        return m_frame.Selection(kIdListView);
    }
    m_frame.SetSelection(kIdListView, index);
    m_frame.SetFocus(kIdListView);
    return index;
}
