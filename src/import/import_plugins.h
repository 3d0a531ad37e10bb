// The bridge between the import dialog and import plug-ins: loading them into the dialog's
// format map, their settings, their options and their import run.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "import/import_dialog.h"
#include "tavrin/import_plugin.h"

// The plug-in libraries of a folder (*.so files, not folders), in the order of their names.
std::vector<std::filesystem::path> PluginLibraryFiles(const std::filesystem::path& folder);

// Settings of a plug-in format through the plug-in's own load and save; the plug-in's record
// and the dialog's general settings are kept alike.
void LoadPluginSettings(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin);
void SavePluginSettings(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin);
// The general options of the plug-in's record into the dialog's settings.
void ApplyPluginRecord(const ImportPluginSettings& record, CImpDEVDlg& dlg);
// Runs a plug-in format over the dialog's file list.
void RunPluginImport(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin,
                     const CImpDEVDlg::ProgressCallback& progress);
