// tavrin import / tavrin events: the import dialog driven headless.
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "host/codepage.h"
#include "host/json_writer.h"
#include "import/import_dialog.h"
#include "platform/profile.h"
#include "resources/strings.h"
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
        value = host::ToUtf8(e.value, e.encoding);
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
    static const std::pair<const char*, zut::dist_unit> dists[] = {{"m", zut::du_metre},
                                                                   {"ft", zut::du_foot},
                                                                   {"usft", zut::du_us_foot},
                                                                   {"mm", zut::du_millimetre}};
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
        bool found = false;
        for (const auto& [name, u] : dists)
            if (args.dist_unit == name)
                found = (zut::CLinear::unit(u), true);
        if (!found) {
            PrintError("--dist-unit takes m, ft, usft or mm, not \"" + args.dist_unit + "\"");
            return false;
        }
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
    host::TextEncoding encoding;
    if (!args.encoding.empty() && !host::ParseEncoding(args.encoding, encoding)) {
        PrintError(res::Format(res::LoadString(res::kBadEncodingMessage), {args.encoding}));
        return kBadArguments;
    }
    host::SetEncodingOverride(args.encoding.empty() ? std::nullopt
                                                    : std::optional<host::TextEncoding>(encoding));
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
                bar.Update(percent, dlg_ptr ? dlg_ptr->m_CurrentFile : "");
        },
        0, "", 0);
    dlg_ptr = &dlg;
    if (args.events)
        dlg.event_sink = [&](const vrk::PushInfo& e) {
            if (e.pass == args.pass)
                PrintEvent(e, args.events_json);
        };

    std::string folder;
    std::string names = NameBox(args.files, folder);
    auto front = std::make_shared<ui::HeadlessFrontEnd>();
    front->Queue([&](ui::Dialog&) {
        dlg.current_folder = folder;
        dlg.frame().SetSelection(kIdTypeList, format);
        dlg.OnTypeChange();
        for (const auto& [info, value] : sets) SetSettingText(dlg.settings, *info, value, error);
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
    if (!args.output.empty() && !project.SaveJson(args.output, error)) {
        PrintError(error);
        return kNotDone;
    }
    const std::string caption = FormatCaption(dlg, format);
    auto line = [](unsigned id, const std::string& value) {
        std::cout << res::Format(res::LoadString(id), {value}) << "\n";
    };
    std::cout << res::Format(res::LoadString(res::kSummaryFilesMessage),
                             {std::to_string(args.files.size()), caption})
              << "\n";
    line(res::kSummaryStations, std::to_string(after.stations));
    line(res::kSummaryObservations, std::to_string(after.observations));
    line(res::kSummaryControl, std::to_string(after.control));
    line(res::kSummarySurvey, std::to_string(after.survey));
    line(res::kSummaryProtocol, std::to_string(project.ImportLog().Entries().size()));
    if (project.tally.nameless_records)
        line(res::kSummaryNameless, std::to_string(project.tally.nameless_records));
    if (!args.output.empty())
        line(res::kSummaryWritten, args.output);
    if (!imported || after == before) {
        std::cout << res::LoadString(res::kSummaryNothing) << "\n";
        return kNotDone;
    }
    return kOk;
}

}  // namespace cli
