// The bridge between the import dialog and import plug-ins.
#pragma once

#include <memory>

#include "import/import_dialog.h"

// Settings of a plug-in format through the plug-in's own load and save.
void LoadPluginSettings(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin);
void SavePluginSettings(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin);
// Runs a plug-in format over the dialog's file list.
void RunPluginImport(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin,
                     const CImpDEVDlg::ProgressCallback& progress);
