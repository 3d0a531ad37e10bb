// The import dialog: a file-open dialog where the user picks a format, files and options, and
// whose Import button runs the import of the chosen files into the project.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "import/contracts/vrk.h"
#include "import/import_settings.h"
#include "platform/file_identity.h"
#include "readers/reader_site.h"
#include "readers/registry.h"
#include "ui/dialog.h"

class IRegImportServer;

// Controls of the dialog and of its child template.
enum ImportDialogControl : int {
    kIdTypeList = 1136,
    kIdNameBox = 1148,
    kIdListView = 1121,
    kIdTypeLabel = 1089,
    kIdOptions = 1020,
    kIdFiles = 1021,
    kIdView = 9162,
    kIdImport = 9237,
    kIdCancel = 9238,
    kIdHelp = 9227,
    kIdRecheckName = 64934,
};

// An entry of the plug-in map: a built-in format, or a loaded plug-in that serves the index.
struct PluginEntry {
    std::shared_ptr<IRegImportServer> plugin;  // null for a built-in format
    std::string guid;
    std::string filter_pattern, filter_name, section;
    // The plug-in's optional detector (DetectFormat of the plug-in interface).
    int (*detect)(const char*, std::size_t, char*, std::size_t) = nullptr;
};

class CImpDEVDlg : public ui::Dialog, public ReaderSite {
  public:
    using ProgressCallback = std::function<void(int, vrk::CDocument*)>;

    CImpDEVDlg(vrk::CVrkObject* project, ProgressCallback progress, unsigned caption_id,
               std::string file, int file_given);
    ~CImpDEVDlg() override;

    // Shows the dialog; 1 when it closed through Import.
    int DoImport();
    void SetProgress(const std::string& path) override;
    void SetProgress(long line) override;
    void CloseDialog(unsigned code);

    // Settings of the current format (read by the readers).
    const ImportSettings& Settings() const override { return m_Settings; }
    void SetSettings(const ImportSettings& settings) { m_Settings = settings; }
    void GetDefaults();
    void GetData();
    void SaveData();
    std::string GetSection(int index = -1) const;
    void OnOptions();

    // File selection.
    void LoadFilters(std::vector<std::string>& patterns, std::vector<std::string>& names);
    void SetOFN();
    std::string GetInitDir();
    void SetInitDir(const std::string& text);
    void SaveFilter();
    void ShowFile(const std::string& path);

    // Handlers.
    bool OnInitDialog() override;
    void OnShowWindow() override;
    bool OnCommand(int id) override;
    void OnMOK();
    void OnMCancel();
    void OnTypeChange();
    void OnFolderChange();
    void OnFileNameChange();
    void OnView();
    void OnFiles();
    void OnIhelp();
    int SelectionIndex(int index);

    // Plug-ins.
    void CreatePluginMap();
    void ClearPluginMap();
    std::shared_ptr<IRegImportServer> FindPlugin(int index) const;

    // State the readers and the front ends use.
    vrk::CVrkObject* project() const { return m_pProject; }
    const std::string& FileList() const override { return m_FileList; }
    void SetFileList(std::string list) { m_FileList = std::move(list); }
    // The file being read (progress display).
    const std::string& CurrentFile() const { return m_CurrentFile; }
    const std::string& ImportedFiles() const { return m_ImportedFiles; }
    // The files the last Import ran over: those chosen that were there and not declined.
    const std::vector<std::string>& ChosenFiles() const { return m_Chosen; }
    int CurrentFormat() const { return m_nCurrent; }
    void SetCurrentFormat(int f) { m_nCurrent = f; }
    int HighestFormat() const { return m_nHighest; }
    unsigned CaptionId() const { return m_nCaptionId; }
    const std::string& FilterText() const { return m_Filter; }
    const std::string& InitialFolder() const { return m_InitDir; }
    const std::string& WildcardPattern() const { return m_Wildcard; }
    vrk::CImportInfo& ImportInfo() { return m_Info; }
    int ProgressStep() const { return m_nProgressStep; }
    int ProgressTicks() const { return m_nProgressTicks; }
    // Folder the name box is relative to (the file dialog's current folder).
    const std::string& CurrentFolder() const { return m_CurrentFolder; }
    void SetCurrentFolder(std::string folder) { m_CurrentFolder = std::move(folder); }
    // Observer of every event that the readers push (the events command).
    const vrk::EventWatch& PushObserver() const override { return m_PushObserver; }
    void SetPushObserver(EventSink observer, int pass = 0, bool events_only = false) {
        m_PushObserver = {std::move(observer), pass, events_only};
    }
    // Plug-in folder override (tests); empty: from the settings file.
    std::string plugin_folder;
    const std::map<int, PluginEntry>& PluginMap() const { return m_PluginMap; }

  private:
    int GetFileList(std::string& list, std::string& quoted);
    void RunImport();
    void GetCaption(int index);
    const vrk::CVrkObject::ImportedFile* ImportedBefore(const std::string& path) const;
    // Remembers the files run over in the project, with their digests, and whether they were
    // read without a data error (protocol entries from `log_mark` on).
    void RecordImport(size_t log_mark,
                      const std::vector<std::optional<platform::FileDigest>>& digests);

    std::string m_CurrentFile;
    vrk::CVrkObject* m_pProject;
    ProgressCallback m_Progress;
    ImportSettings m_Settings;
    std::string m_FileList;
    std::string m_CurrentFolder;
    vrk::EventWatch m_PushObserver;
    std::string m_ImportedFiles;
    std::vector<std::string> m_Chosen;
    int m_nProgressStep = 1;
    int m_nProgressTicks = 0;
    std::string m_Filter;
    std::string m_InitDir;
    unsigned m_nCaptionId;
    int m_nCurrent = 0;
    int m_nHighest = kBuiltInFormats - 1;
    int m_nTemplateId = 9188;
    int m_bFileGiven;
    int m_bFirstChange = 1;
    vrk::CImportInfo m_Info;
    std::string m_Wildcard;
    // The last several-name choice: the box shows its names in reverse order, and reading that
    // box back gives the list in the order chosen, not reversed again.
    std::string m_LastQuoted, m_LastList;
    std::map<int, PluginEntry> m_PluginMap;
};
