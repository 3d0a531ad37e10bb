// The export dialog: a save-file dialog in which the user picks the instrument format and the
// file. After it closed with OK the host reads the format index and the path.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"

class CExportDeviceDlg : public ui::Dialog {
  public:
    // Controls of the file dialog and of its child template.
    enum Control : int {
        kIdStandardOk = 1,
        kIdStandardCancel = 2,
        kIdListView = 1121,
        kIdTypeList = 1136,
        kIdNameBox = 1148,
        kIdView = 9162,
        kIdHelp = 9227,
        kIdExport = 9237,
        kIdCancel = 9238,
    };

    CExportDeviceDlg();

    // Sets the title and the filter, then runs the dialog; the end code.
    int DoModal();
    // The type list as the file dialog takes it: " name (pattern)", zero, " pattern", zero for
    // each format, and one more zero at the end.
    std::string GetFilters() const;

    bool OnInitDialog() override;
    void OnShowWindow() override;
    bool OnCommand(int id) override;
    void OnFileNameChange();
    void OnExport();
    void OnFileNameOK() { OnExport(); }
    void OnTypeChange();
    // Gives `name` the extension of the chosen format and puts it into the name box.
    void AddExtention(std::string& name);
    void OnView();
    void OnMCancel();
    void OnIhelp();

    int FormatIndex() const { return m_nFormat; }
    const std::string& PathName() const { return m_PathName; }
    const std::string& Filter() const { return m_Filter; }
    // The folder the name box is relative to (the file dialog's current folder).
    std::string current_folder;

  private:
    std::vector<std::string> m_Extensions;  // "*.dat;" and so on, by format index
    std::vector<std::string> m_Names;
    std::string m_PathName;
    int m_nFormat = 0;
    std::string m_Filter;
};
