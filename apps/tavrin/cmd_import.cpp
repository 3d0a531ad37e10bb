// tavrin import / tavrin events: the import dialog driven headless.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli.h"
#include "import/import_dialog.h"
#include "outputs/convert.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "text/code_page.h"
#include "ui/dialog.h"

namespace cli {
namespace {

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

}  // namespace

int CmdImport(const ImportArgs& args) {
    vrk::CVrkObject project;
    std::string error;
    if (!args.into.empty() && !project.LoadJson(args.into, error)) {
        PrintError(error);
        return kNotDone;
    }
    int format = ParseFormat(args.format, HighestImportFormat());
    if (format < 0 || !SetStartUnits(args))
        return kBadArguments;
    // An output named as a GIS, CAD or exchange file goes through convert; any other is the
    // project itself.
    const bool converted = !args.output.empty() && outputs::FormatOfPath(args.output) != nullptr;
    outputs::ConvertOptions convert;
    if (converted) {
        convert.crs = args.crs;
        convert.inputs.assign(args.files.begin(), args.files.end());
        if (!args.into.empty())
            convert.inputs.emplace_back(args.into);
        if (!outputs::CheckConvert(args.output, convert, error)) {
            std::cerr << "tavrin: " << error;
            return kBadArguments;
        }
    }
    std::vector<SettingAssignment> sets;
    if (!ParseSettingAssignments(args.sets, format, args.format, sets))
        return kBadArguments;
    // Settings given on the command line hold for this run only.
    if (!sets.empty())
        platform::Profile::Instance().SetVolatile(true);

    InstallTerminalPrompter(args.answer);
    if (!args.events)
        PrintProtocolLive(project);
    const Counts before = CountOf(project);

    ProgressBar bar;
    std::string current;
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
    std::string names = NameBox(args.files, folder);
    auto front = std::make_shared<ui::HeadlessFrontEnd>();
    front->Queue([&](ui::Dialog&) {
        dlg.SetCurrentFolder(folder);
        dlg.frame().SetSelection(kIdTypeList, format);
        dlg.OnTypeChange();
        ImportSettings s = dlg.Settings();
        for (const auto& [info, value] : sets) SetSettingText(s, *info, value, error);
        dlg.SetSettings(s);
        // Straight to Import: the name-change handling would show the names in reverse order.
        dlg.frame().SetText(kIdNameBox, names);
        dlg.OnMOK();
    });
    ui::InstallFrontEnd(front);
    int imported = dlg.DoImport();
    ui::InstallFrontEnd(nullptr);
    bar.Finish();
    platform::Profile::Instance().SetVolatile(false);

    if (args.events)
        return imported ? kOk : kNotDone;

    const Counts after = CountOf(project);
    if (converted && WriteConverted(project, args.output, convert) != kOk)
        return kNotDone;
    if (!converted && !args.output.empty() && !project.SaveJson(args.output, error)) {
        PrintError(error);
        return kNotDone;
    }
    const std::string caption = FormatCaption(dlg, format);
    std::cout << "Imported " << args.files.size() << (args.files.size() == 1 ? " file" : " files")
              << " as " << caption << "\n"
              << "  stations:         " << after.stations << "\n"
              << "  observations:     " << after.observations << "\n"
              << "  control points:   " << after.control << "\n"
              << "  survey points:    " << after.survey << "\n"
              << "  protocol entries: " << project.ImportLog().Entries().size() << "\n";
    if (!args.output.empty() && !converted)
        std::cout << "Project written to " << args.output << "\n";
    if (!imported || after == before) {
        std::cout << "Nothing was imported.\n";
        return kNotDone;
    }
    return kOk;
}

}  // namespace cli
