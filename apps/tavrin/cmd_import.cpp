// tavrin import / tavrin events: the import dialog driven headless.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli.h"
#include "import/import_dialog.h"
#include "platform/profile.h"
#include "readers/cdx/cdx_reader.h"
#include "readers/format_detect.h"
#include "resources/strings.h"
#include "text/code_page.h"
#include "ui/dialog.h"

namespace cli {
namespace {

constexpr unsigned kMsgReadAs = 9896;

struct Counts {
    size_t stations = 0, observations = 0, control = 0, survey = 0;
    bool operator==(const Counts&) const = default;
};

Counts CountOf(const vrk::CVrkObject& p) {
    Counts c;
    c.stations = p.data().stations.size();
    for (const auto& s : p.data().stations) c.observations += s.observations.size();
    for (const auto& pt : p.data().points) (pt.control ? c.control : c.survey)++;
    return c;
}

void PrintEvent(const vrk::PushInfo& e, bool json) {
    std::string value = text::ToUtf8(e.value);
    if (json) {
        nlohmann::ordered_json j = {{"file", e.file},     {"pass", e.pass},
                                    {"record", e.record}, {"line", e.line},
                                    {"id", e.id},         {"event", std::string(EventName(e.id))},
                                    {"value", value},     {"accepted", e.accepted}};
        std::cout << j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return;
    }
    std::string name(EventName(e.id));
    if (name.empty())
        name = "event " + std::to_string(e.id);
    std::cout << e.file << ":" << e.line << " #" << e.record << " " << name << " \"" << value
              << "\"" << (e.accepted ? "" : "  (not accepted)") << "\n";
}

// The name box text: the first file as a bare name in its folder, the others as full paths.
std::string NameBox(const std::vector<std::string>& files, std::string& folder) {
    namespace fs = std::filesystem;
    std::string text;
    for (size_t i = 0; i < files.size(); ++i) {
        std::error_code ec;
        fs::path full = fs::absolute(files[i], ec).lexically_normal();
        std::string name;
        if (i == 0) {
            folder = full.parent_path().string();
            name = full.filename().string();
        } else {
            name = full.string();
        }
        if (!text.empty())
            text += ' ';
        text += files.size() > 1 ? '"' + name + '"' : name;
    }
    return text;
}

bool SetStartUnits(const ImportArgs& args) {
    static const std::pair<const char*, zut::angle_unit> angles[] = {{"dms", zut::au_dms},
                                                                     {"deg", zut::au_degree},
                                                                     {"gon", zut::au_gon},
                                                                     {"mil", zut::au_mil},
                                                                     {"rad", zut::au_radian}};
    if (!args.angle_unit.empty()) {
        bool found = false;
        for (const auto& [name, u] : angles)
            if (args.angle_unit == name)
                found = (zut::CAngular::unit(u), true);
        if (!found) {
            PrintError("--angle-unit takes dms, deg, gon, mil or rad, not \"" + args.angle_unit +
                       "\"");
            return false;
        }
    }
    if (!args.dist_unit.empty()) {
        zut::dist_unit unit = zut::du_metre;
        if (!ParseDistUnit(args.dist_unit, unit))
            return false;
        zut::CLinear::unit(unit);
    }
    return true;
}

// Control-point lists found among the files of an import without -f.
int ImportCdxFiles(vrk::CVrkObject& project, const std::vector<std::string>& files,
                   ProgressBar& bar) {
    int loaded = 0;
    vrk::CImportInfo info;
    for (const std::string& file : files) {
        CImpCDX reader(
            &project, [&](int percent, vrk::CDocument*) { bar.Update(percent, file); }, &info);
        loaded |= reader.ImportFile(file);
    }
    return loaded;
}

}  // namespace

int CmdImport(const ImportArgs& args) {
    vrk::CVrkObject project;
    std::string error;
    if (!args.into.empty() && !project.LoadJson(args.into, error)) {
        PrintError(error);
        return kNotDone;
    }
    if (!SetStartUnits(args))
        return kBadArguments;
    InstallTerminalPrompter(args.answer);

    // Without -f every file is read as the format it is detected as.
    std::unique_ptr<FormatNames> names;
    std::vector<DetectedGroup> groups;
    bool skipped = false;
    if (args.format.empty()) {
        names = std::make_unique<FormatNames>();
        groups = PlanDetectedImport(*names, args.files, skipped);
    } else {
        const int format = ParseFormat(args.format, HighestImportFormat());
        if (format < 0)
            return kBadArguments;
        groups.push_back({format, {}, args.files});
    }
    // Settings are checked for every format before anything is read.
    std::vector<std::vector<SettingAssignment>> group_sets;
    for (const DetectedGroup& g : groups) {
        // What the file itself says comes first, so that --set still has the last word.
        std::vector<std::string> texts;
        for (const auto& [name, value] : g.settings) texts.push_back(name + '=' + value);
        texts.insert(texts.end(), args.sets.begin(), args.sets.end());
        group_sets.emplace_back();
        const std::string key = args.format.empty() ? names->Key(g.format) : args.format;
        if (g.format >= 0 && !ParseSettingAssignments(texts, g.format, key, group_sets.back()))
            return kBadArguments;
    }

    if (!args.events)
        PrintProtocolLive(project);
    const Counts before = CountOf(project);

    ProgressBar bar;
    int imported = 0;
    std::string caption;
    std::vector<std::string> read_as;
    for (size_t gi = 0; gi < groups.size(); ++gi) {
        const DetectedGroup& group = groups[gi];
        if (group.format == detect::kCdxFormat) {
            imported |= ImportCdxFiles(project, group.files, bar);
            for (const std::string& f : group.files)
                read_as.push_back(res::Format(res::LoadString(kMsgReadAs),
                                              {f, "CDX", names->Caption(group.format)}));
            continue;
        }
        const std::vector<SettingAssignment>& sets = group_sets[gi];
        // Settings given on the command line hold for this run only.
        if (!sets.empty())
            platform::Profile::Instance().SetVolatile(true);
        CImpDEVDlg* dlg_ptr = nullptr;
        CImpDEVDlg dlg(
            &project,
            [&](int percent, vrk::CDocument*) {
                if (!args.events)
                    bar.Update(percent, dlg_ptr ? dlg_ptr->CurrentFile() : "");
            },
            0, "", 0);
        dlg_ptr = &dlg;
        if (args.events)
            dlg.SetPushObserver([&](const vrk::PushInfo& e) {
                if (e.pass == args.pass)
                    PrintEvent(e, args.events_json);
            });

        std::string folder;
        const std::string box = NameBox(group.files, folder);
        auto front = std::make_shared<ui::HeadlessFrontEnd>();
        front->Queue([&](ui::Dialog&) {
            dlg.SetCurrentFolder(folder);
            dlg.frame().SetSelection(kIdTypeList, group.format);
            dlg.OnTypeChange();
            ImportSettings s = dlg.Settings();
            for (const auto& [info, value] : sets) SetSettingText(s, *info, value, error);
            dlg.SetSettings(s);
            // Straight to Import: the name-change handling would show the names in reverse order.
            dlg.frame().SetText(kIdNameBox, box);
            dlg.OnMOK();
        });
        ui::InstallFrontEnd(front);
        imported |= dlg.DoImport();
        ui::InstallFrontEnd(nullptr);
        platform::Profile::Instance().SetVolatile(false);
        caption = FormatCaption(dlg, group.format);
        if (names)
            for (const std::string& f : group.files)
                read_as.push_back(res::Format(res::LoadString(kMsgReadAs),
                                              {f, names->Key(group.format), caption}));
    }
    bar.Finish();

    if (args.events)
        return imported && !skipped ? kOk : kNotDone;

    const Counts after = CountOf(project);
    if (!args.output.empty() && !project.SaveJson(args.output, error)) {
        PrintError(error);
        return kNotDone;
    }
    size_t files = 0;
    for (const DetectedGroup& g : groups) files += g.files.size();
    std::cout << "Imported " << files << (files == 1 ? " file" : " files");
    if (!names)
        std::cout << " as " << caption;
    std::cout << "\n";
    for (const std::string& line : read_as) std::cout << "  " << line << "\n";
    std::cout << "  stations:         " << after.stations << "\n"
              << "  observations:     " << after.observations << "\n"
              << "  control points:   " << after.control << "\n"
              << "  survey points:    " << after.survey << "\n"
              << "  protocol entries: " << project.ImportLog().Entries().size() << "\n";
    if (!args.output.empty())
        std::cout << "Project written to " << args.output << "\n";
    if (!imported || after == before) {
        std::cout << "Nothing was imported.\n";
        return kNotDone;
    }
    return skipped ? kNotDone : kOk;
}

}  // namespace cli
