// tavrin import / tavrin events: the import dialog driven headless.
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "event_printer.h"
#include "host/json_writer.h"
#include "host/processing/processing.h"
#include "import/import_dialog.h"
#include "outputs/convert.h"
#include "outputs/module_loader.h"
#include "platform/profile.h"
#include "readers/cdx/cdx_reader.h"
#include "readers/format_detect.h"
#include "resources/strings.h"
#include "text/code_page.h"
#include "ui/dialog.h"

namespace cli {
namespace {

constexpr unsigned kMsgReadAs = 9896;
constexpr unsigned kMsgImportedFiles = 9899;

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
    if (!SetStartUnits(args))
        return kBadArguments;
    text::TextEncoding encoding;
    if (!args.encoding.empty() && !text::ParseEncoding(args.encoding, encoding)) {
        PrintError(res::Format(res::LoadString(res::kBadEncodingMessage), {args.encoding}));
        return kBadArguments;
    }
    text::SetEncodingOverride(args.encoding.empty() ? std::nullopt
                                                    : std::optional<text::TextEncoding>(encoding));
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
        const outputs::ModuleApi* api = outputs::LoadModule(why);
        if (!api || !api->check(args.output, convert, why)) {
            std::cerr << "tavrin: " << why;
            return kBadArguments;
        }
    }
    // With --into alone the project is written back where it came from.
    const std::string output = args.events                                 ? std::string()
                               : args.output.empty() && !args.into.empty() ? args.into
                                                                           : args.output;
    if (OutputIsAnInput(output, args.files))
        return kBadArguments;
    const int forced = args.format.empty() ? -1 : ParseFormat(args.format, HighestImportFormat());
    if (!args.format.empty() && forced < 0)
        return kBadArguments;
    // Bad settings are bad arguments whether or not the files are there.
    std::vector<SettingAssignment> forced_sets;
    if (forced >= 0 && !ParseSettingAssignments(args.sets, forced, args.format, forced_sets))
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
    InstallTerminalPrompter(args.answer);

    // Without -f every file is read as the format it is detected as.
    std::unique_ptr<FormatNames> names;
    std::vector<DetectedGroup> groups;
    bool skipped = false;
    if (forced < 0) {
        names = std::make_unique<FormatNames>();
        groups = PlanDetectedImport(*names, present, skipped);
    } else if (!present.empty()) {
        groups.push_back({forced, {}, present});
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
    if (groups.empty()) {
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
    if (!args.events)
        PrintProtocolLive(project);
    const Counts before = CountOf(project);

    ProgressBar bar;
    EventPrinter events(args.events_json);
    size_t files = 0;
    std::string caption;
    std::vector<std::string> read_as;
    for (size_t gi = 0; gi < groups.size(); ++gi) {
        const DetectedGroup& group = groups[gi];
        if (group.format == detect::kCdxFormat) {
            if (ImportCdxFiles(project, group.files, bar))
                files += group.files.size();
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
            dlg.SetPushObserver([&](const vrk::PushInfo& e) { events.Print(e); }, args.pass, true);

        std::string folder;
        const std::string box = NameBox(group.files, folder);
        auto front = std::make_shared<ui::HeadlessFrontEnd>();
        front->Queue([&](ui::Dialog&) {
            dlg.SetCurrentFolder(folder);
            dlg.frame().SetSelection(kIdTypeList, group.format);
            dlg.OnTypeChange();
            ApplySettings(dlg, sets);
            // Straight to Import: the name-change handling would show the names in reverse order.
            dlg.frame().SetText(kIdNameBox, box);
            dlg.OnMOK();
        });
        ui::InstallFrontEnd(front);
        const bool ran = dlg.DoImport() == 1;
        ui::InstallFrontEnd(nullptr);
        platform::Profile::Instance().SetVolatile(false);
        if (ran)
            files += dlg.ChosenFiles().size();
        caption = FormatCaption(dlg, group.format);
        if (names)
            for (const std::string& f : group.files)
                read_as.push_back(res::Format(res::LoadString(kMsgReadAs),
                                              {f, names->Key(group.format), caption}));
    }
    bar.Finish();

    const bool complete = all_there && !skipped;
    events.Flush();
    if (args.events)
        return files > 0 && complete ? kOk : kNotDone;

    const Counts after = CountOf(project);
    auto line = [](unsigned id, const std::string& value) {
        std::cout << res::Format(res::LoadString(id), {value}) << "\n";
    };
    if (names)
        line(kMsgImportedFiles, std::to_string(files));
    else
        std::cout << res::Format(res::LoadString(res::kSummaryFilesMessage),
                                 {std::to_string(files), caption})
                  << "\n";
    for (const std::string& l : read_as) std::cout << "  " << l << "\n";
    line(res::kSummaryStations, std::to_string(after.stations));
    line(res::kSummaryObservations, std::to_string(after.observations));
    line(res::kSummaryControl, std::to_string(after.control));
    line(res::kSummarySurvey, std::to_string(after.survey));
    line(res::kSummaryProtocol, std::to_string(project.ImportLog().Entries().size()));
    if (project.tally.nameless_records)
        line(res::kSummaryNameless, std::to_string(project.tally.nameless_records));
    // A run that brought nothing writes nothing: an existing project stays as it was.
    if (files == 0 || after == before) {
        SayNothingImported(output);
        return kNotDone;
    }
    if (!args.no_compute)
        PrintComputeSummary(processing::Compute(project));
    if (converted)
        return WriteConverted(project, output, convert) == kOk && complete ? kOk : kNotDone;
    if (!output.empty()) {
        if (!project.SaveJson(output, error)) {
            PrintError(error);
            return kNotDone;
        }
        line(res::kSummaryWritten, output);
    }
    return complete ? kOk : kNotDone;
}

}  // namespace cli
