// tavrin import / tavrin events: the import dialog driven headless.
#include <strings.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "host/json_writer.h"
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

// One line per event, built in buffers kept from event to event (a file gives millions).
void PrintEvent(const vrk::PushInfo& e, bool json) {
    static std::string value, line;
    const bool ascii = std::all_of(e.value.begin(), e.value.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        value.assign(e.value);
    else
        value = text::ToUtf8(e.value);
    line.clear();
    if (json) {
        vrk::JsonWriter w(line);
        w.BeginObject(vrk::JsonLayout::Inline);
        w.Key("file");
        w.String(e.file);
        w.Field("pass", e.pass);
        w.Field("record", static_cast<int64_t>(e.record));
        w.Field("line", static_cast<int64_t>(e.line));
        w.Field("id", e.id);
        w.Key("event");
        w.String(EventName(e.id));
        w.Key("value");
        w.String(value);
        w.Field("accepted", e.accepted);
        w.EndObject();
        w.Finish();
    } else {
        char number[24];
        line += e.file;
        line += ':';
        line.append(number, std::to_chars(number, number + sizeof number, e.line).ptr);
        line += " #";
        line.append(number, std::to_chars(number, number + sizeof number, e.record).ptr);
        line += ' ';
        const std::string_view name = EventName(e.id);
        if (name.empty()) {
            line += "event ";
            line.append(number, std::to_chars(number, number + sizeof number, e.id).ptr);
        } else {
            line += name;
        }
        line += " \"";
        line += value;
        line += e.accepted ? "\"\n" : "\"  (not accepted)\n";
    }
    std::cout.write(line.data(), static_cast<std::streamsize>(line.size()));
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
            if (strcasecmp(args.angle_unit.c_str(), name) == 0)
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
        std::string why;
        if (!outputs::CheckConvert(args.output, convert, why)) {
            std::cerr << "tavrin: " << why;
            return kBadArguments;
        }
    }
    std::vector<SettingAssignment> sets;
    if (!ParseSettingAssignments(args.sets, format, args.format, sets))
        return kBadArguments;
    // With --into alone the project is written back where it came from.
    const std::string output = args.events                                 ? std::string()
                               : args.output.empty() && !args.into.empty() ? args.into
                                                                           : args.output;
    if (OutputIsAnInput(output, args.files))
        return kBadArguments;

    // A file that is not there is named and left out; with none left nothing is run.
    std::vector<std::string> present;
    for (const std::string& f : args.files) {
        std::error_code ec;
        if (std::filesystem::exists(f, ec))
            present.push_back(f);
        else
            PrintError(res::Format(res::LoadString(9603), {f}));
    }
    const bool all_there = present.size() == args.files.size();
    if (present.empty()) {
        if (!args.events)
            SayNothingImported(output);
        return kNotDone;
    }

    vrk::CVrkObject project;
    ProjectLocks locks;
    if (!args.events && !locks.Take({args.into, output}))
        return kNotDone;
    std::string error;
    if (!args.into.empty() && !project.LoadJson(args.into, error)) {
        PrintError(error);
        return kNotDone;
    }
    // Settings given on the command line hold for this run only.
    if (!sets.empty())
        platform::Profile::Instance().SetVolatile(true);

    InstallTerminalPrompter(args.answer);
    if (!args.events)
        PrintProtocolLive(project);
    const Counts before = CountOf(project);

    ProgressBar bar;
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
    std::string names = NameBox(present, folder);
    auto front = std::make_shared<ui::HeadlessFrontEnd>();
    front->Queue([&](ui::Dialog&) {
        dlg.SetCurrentFolder(folder);
        dlg.frame().SetSelection(kIdTypeList, format);
        dlg.OnTypeChange();
        ApplySettings(dlg, sets);
        // Straight to Import: the name-change handling would show the names in reverse order.
        dlg.frame().SetText(kIdNameBox, names);
        dlg.OnMOK();
    });
    ui::InstallFrontEnd(front);
    const bool ran = dlg.DoImport() == 1;
    ui::InstallFrontEnd(nullptr);
    bar.Finish();
    platform::Profile::Instance().SetVolatile(false);

    const size_t files = ran ? dlg.ChosenFiles().size() : 0;
    if (args.events)
        return files > 0 && all_there ? kOk : kNotDone;

    const Counts after = CountOf(project);
    const std::string caption = FormatCaption(dlg, format);
    std::cout << "Imported " << files << (files == 1 ? " file" : " files") << " as " << caption
              << "\n"
              << "  stations:         " << after.stations << "\n"
              << "  observations:     " << after.observations << "\n"
              << "  control points:   " << after.control << "\n"
              << "  survey points:    " << after.survey << "\n"
              << "  protocol entries: " << project.ImportLog().Entries().size() << "\n";
    // A run that brought nothing writes nothing: an existing project stays as it was.
    if (files == 0 || after == before) {
        SayNothingImported(output);
        return kNotDone;
    }
    if (converted)
        return WriteConverted(project, output, convert) == kOk && all_there ? kOk : kNotDone;
    if (!output.empty()) {
        if (!project.SaveJson(output, error)) {
            PrintError(error);
            return kNotDone;
        }
        std::cout << "Project written to " << output << "\n";
    }
    return all_there ? kOk : kNotDone;
}

}  // namespace cli
