// tavrin export: the export run of a writer over a saved project, questions answered from the
// command line.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli.h"
#include "dialogs/report_type.h"
#include "export/export_formats.h"
#include "resources/strings.h"
#include "ui/dialog.h"
#include "ui/prompter.h"

namespace cli {
namespace {

bool AnySelected(const vrk::CVrkObject& project) {
    for (const auto& p : project.data().points)
        if (p.selected)
            return true;
    return false;
}

std::string FormatKeys() {
    std::string keys;
    for (const auto& f : ExportFormats()) keys += std::string(keys.empty() ? "" : ", ") + f.key;
    return keys;
}

}  // namespace

int CmdExport(const ExportArgs& args) {
    const ExportFormat* format = FindExportFormat(args.format);
    if (format == nullptr) {
        PrintError("unknown export format \"" + args.format + "\"; use one of " + FormatKeys());
        return kBadArguments;
    }
    zut::dist_unit unit = zut::du_metre;
    if (!args.dist_unit.empty() && !ParseDistUnit(args.dist_unit, unit))
        return kBadArguments;
    if (args.decimals < -1 || args.decimals > 12) {
        PrintError("--decimals takes 0 to 12");
        return kBadArguments;
    }
    vrk::CVrkObject project;
    std::string error;
    if (!project.LoadJson(args.project, error)) {
        PrintError(error);
        return kNotDone;
    }
    if (args.selected && !AnySelected(project)) {
        PrintError("--selected: no point of " + args.project + " is selected; nothing written");
        return kNotDone;
    }

    InstallTerminalPrompter(args.answer);
    // The report-contents dialog shows only when some point is selected; --selected answers it.
    auto front_end = std::make_shared<ui::HeadlessFrontEnd>();
    const bool selected = args.selected;
    front_end->Queue([selected](ui::Dialog& d) {
        d.OnCommand(selected ? kIdSelectedObjects : kIdAllObjects);
        d.OnCommand(ui::IDOK);
    });
    ui::InstallFrontEnd(front_end);
    project.ExportLog().listener = [](const vrk::CVrkLog::Entry& e) {
        std::string text = e.text;
        for (char& c : text)
            if (c == '\n')
                c = ' ';
        std::cerr << (e.level >= 2 ? "skipped: " : "") << text << "\n";
    };

    // The output is named as given; replacing a file is asked as the export dialog asks it.
    std::error_code ec;
    if (std::filesystem::exists(args.output, ec) &&
        !std::filesystem::is_directory(args.output, ec)) {
        const std::string question = res::Format(res::LoadString(9012), {args.output});
        if (ui::ShowMessage(question, ui::MB_YESNO | ui::MB_ICONEXCLAMATION) != ui::IDYES)
            return kNotDone;
    }

    zut::CLocUnits units;
    units.SetDistUnit(unit);
    const int previous_decimals = zut::CNorth::precision();
    if (args.decimals >= 0)
        zut::CNorth::precision(args.decimals);
    std::unique_ptr<CExportDev> writer = CreateExporter(format->index);
    const bool ok = writer->DoExport(&project, args.output);
    zut::CNorth::precision(previous_decimals);

    if (!ok) {
        PrintError(writer->LastError().empty() ? "export refused; nothing written"
                                               : writer->LastError());
        return kNotDone;
    }
    if (writer->ExportedCount() == 0) {
        PrintError("no point could be written; no file made");
        return kNotDone;
    }
    std::cout << writer->ExportedCount() << " point" << (writer->ExportedCount() == 1 ? "" : "s")
              << " written to " << args.output << " (" << format->name << ")\n";
    return kOk;
}

}  // namespace cli
