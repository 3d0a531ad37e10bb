#include "import/import_plugins.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "import/contracts/events.h"
#include "import/import_client.h"
#include "import/options_sheet.h"
#include "import/plugin_guard.h"
#include "import/plugin_host.h"
#include "import/plugin_options.h"
#include "import/plugin_ref.h"
#include "platform/plugin_library.h"
#include "platform/process.h"

namespace fs = std::filesystem;

// Plug-ins push the numbers of the public vocabulary: they must stay the engine's.
static_assert(
    tavrin::event::kPointName == evPointName && tavrin::event::kPointX == evPointX &&
    tavrin::event::kPointY == evPointY && tavrin::event::kPointH == evPointH &&
    tavrin::event::kPlanClass == evPlanClass && tavrin::event::kHeightClass == evHeightClass &&
    tavrin::event::kDirectionName == evDirectionName &&
    tavrin::event::kDirectionAngle == evDirectionAngle && tavrin::event::kStation == evStation &&
    tavrin::event::kBacksight == evBacksight &&
    tavrin::event::kBacksightAzimuth == evBacksightAzimuth &&
    tavrin::event::kInstrumentHeight == evInstrumentHeight && tavrin::event::kDate == evDate &&
    tavrin::event::kPressure == evPressure && tavrin::event::kTemperature == evTemperature &&
    tavrin::event::kInstrument == evInstrument && tavrin::event::kPpm == evPpm &&
    tavrin::event::kOrientationStart == evOrientationStart && tavrin::event::kTarget == evTarget &&
    tavrin::event::kTargetHeight == evTargetHeight && tavrin::event::kCircleFace == evCircleFace &&
    tavrin::event::kHorAngle == evHorAngle && tavrin::event::kVertAngle == evVertAngle &&
    tavrin::event::kSlopeDist == evSlopeDist && tavrin::event::kHorDist == evHorDist &&
    tavrin::event::kHeightDiff == evHeightDiff &&
    tavrin::event::kHeightDiffAux == evHeightDiffAux && tavrin::event::kCode == evCode);

namespace {

constexpr const char* kPluginFolderKey = "OrvelDatPlugins";

struct LoadedPlugin {
    std::shared_ptr<IRegImportServer> server;
    std::string guid;
    DetectFormatFunction detect = nullptr;
};

// Loads one library and makes its import server; nothing when any step fails.
std::optional<LoadedPlugin> LoadPlugin(const fs::path& path) {
    platform::PluginLibrary library(path);
    if (!library.IsOpen())
        return std::nullopt;
    auto create = library.FunctionNamed<CreateInstanceFunction>("CreateInstance");
    if (!create)
        return std::nullopt;
    // From here on the library's code has made objects that may live on.
    library.KeepLoaded();
    IPluginObject* raw =
        Contained([&] { return create(tavrin::kImportPluginAbi, &PluginHost()); }, nullptr);
    auto object = PluginRef<IPluginObject>::Adopt(raw);
    if (!object)
        return std::nullopt;
    auto server =
        Contained([&] { return object.Query<IRegImportServer>(tavrin::kIidRegImportServer); },
                  PluginRef<IRegImportServer>());
    if (!server)
        return std::nullopt;
    tavrin::Guid id;
    if (!Contained([&] { return server->GetFormatId(&id); }, false))
        return std::nullopt;
    return LoadedPlugin{std::move(server).Share(), tavrin::GuidToText(id),
                        library.FunctionNamed<DetectFormatFunction>("DetectFormat")};
}

std::optional<int> VersionOf(IRegImportServer& server) {
    int version = 0;
    if (!Contained([&] { return server.GetVersion(&version); }, false))
        return std::nullopt;
    return version;
}

// The plug-in serves the entry: its filter and section are asked once, here.
void TakeEntry(PluginEntry& entry, std::shared_ptr<IRegImportServer> server,
               DetectFormatFunction detect) {
    std::string pattern, name, section;
    Contained([&] { server->GetFilter(pattern); });
    Contained([&] { server->GetFilterName(name); });
    if (!Contained([&] { return server->GetSection(section); }, false))
        section.clear();
    // A plug-in without a pattern still lists its files.
    entry.filter_pattern = pattern.empty() ? "*.*" : pattern;
    entry.filter_name = name.empty() ? entry.guid : name;
    entry.section = section;
    entry.plugin = std::move(server);
    entry.detect = detect;
}

}  // namespace

std::vector<fs::path> PluginLibraryFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        std::error_code type_ec;
        if (path.extension() == ".so" && fs::is_regular_file(path, type_ec))
            files.push_back(path);
    }
    // Which of two plug-ins of one format is found first must not depend on the disk.
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return files;
}

void CImpDEVDlg::CreatePluginMap() {
    ClearPluginMap();
    for (int i = 0; i < kBuiltInFormats; ++i)
        m_PluginMap[i] = PluginEntry{nullptr, tavrin::kBuiltInFormatIds[i], {}, {}, {}};
    int next = kBuiltInFormats;

    const std::string folder =
        plugin_folder.empty() ? platform::CompanyPath(kPluginFolderKey) : plugin_folder;
    if (!folder.empty()) {
        for (const fs::path& path : PluginLibraryFiles(folder)) {
            std::optional<LoadedPlugin> loaded = LoadPlugin(path);
            if (!loaded)
                continue;
            auto same = std::find_if(m_PluginMap.begin(), m_PluginMap.end(),
                                     [&](const auto& e) { return e.second.guid == loaded->guid; });
            if (same == m_PluginMap.end()) {
                PluginEntry& entry = m_PluginMap[next++];
                entry.guid = loaded->guid;
                TakeEntry(entry, std::move(loaded->server), loaded->detect);
                continue;
            }
            PluginEntry& entry = same->second;
            if (!entry.plugin) {
                TakeEntry(entry, std::move(loaded->server), loaded->detect);
                continue;
            }
            const std::optional<int> held = VersionOf(*entry.plugin);
            const std::optional<int> found = VersionOf(*loaded->server);
            if (!held || !found)
                continue;
            // The lower version serves the format; on a tie the one found first stays.
            if (*found < *held)
                TakeEntry(entry, std::move(loaded->server), loaded->detect);
        }
    }
    m_nHighest = next - 1;
}

void CImpDEVDlg::ClearPluginMap() {
    m_PluginMap.clear();
}

std::shared_ptr<IRegImportServer> CImpDEVDlg::FindPlugin(int index) const {
    auto it = m_PluginMap.find(index);
    return it == m_PluginMap.end() ? nullptr : it->second.plugin;
}

void LoadPluginSettings(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin) {
    if (!plugin)
        return;
    Contained([&] { plugin->LoadSettings(); });
    if (ImportPluginSettings* record = PluginRecord(*plugin))
        ApplyPluginRecord(*record, dlg);
}

void ApplyPluginRecord(const ImportPluginSettings& record, CImpDEVDlg& dlg) {
    ImportSettings s = dlg.Settings();
    SettingsFromRecord(record, s);
    dlg.SetSettings(s);
}

void SavePluginSettings(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin) {
    if (!plugin)
        return;
    if (ImportPluginSettings* record = PluginRecord(*plugin))
        RecordFromSettings(dlg.Settings(), *record);
    Contained([&] { plugin->SaveSettings(); });
}

void RunPluginImport(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin,
                     const CImpDEVDlg::ProgressCallback& progress) {
    if (!dlg.project())
        return;
    CImportClient client(dlg.project(), plugin, progress);
    client.Watch(dlg.PushObserver());
    client.Import(dlg.FileList());
}
