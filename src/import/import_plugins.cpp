#include "import/import_plugins.h"

// Plug-in libraries are not loaded yet: the map holds the sixteen built-in formats only, so none
// of the plug-in paths below can be reached.

void CImpDEVDlg::CreatePluginMap() {
    ClearPluginMap();
    for (const auto& f : BuiltInFormats()) m_PluginMap[f.index] = PluginEntry{};
    m_nHighest = kBuiltInFormats - 1;
}

void CImpDEVDlg::ClearPluginMap() { m_PluginMap.clear(); }

std::shared_ptr<IRegImportServer> CImpDEVDlg::FindPlugin(int index) const {
    auto it = m_PluginMap.find(index);
    return it == m_PluginMap.end() ? nullptr : it->second.plugin;
}

void LoadPluginSettings(CImpDEVDlg&, const std::shared_ptr<IRegImportServer>&) {}
void SavePluginSettings(CImpDEVDlg&, const std::shared_ptr<IRegImportServer>&) {}
void RunPluginImport(CImpDEVDlg&, const std::shared_ptr<IRegImportServer>&,
                     const CImpDEVDlg::ProgressCallback&) {}
