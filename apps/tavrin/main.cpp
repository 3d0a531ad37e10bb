// tavrin: survey instrument files in and out of a project, from the command line.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli.h"
#include "platform/profile.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    res::SetLanguageFromEnvironment();
    CLI::App app{"tavrin: survey instrument files in and out of a project"};
    app.require_subcommand(1);
    std::string lang;
    app.add_option("--lang", lang, "Language of messages: en or ru");
    std::string config;
    app.add_option("--config", config,
                   "Settings file (default: $TAVRIN_CONFIG or ~/.config/tavrin/settings.toml)");

    bool formats_json = false;
    auto* formats = app.add_subcommand("formats", "List the import and export formats");
    formats->add_flag("--json", formats_json, "Print as JSON");

    cli::ImportArgs imp;
    bool yes = false, no = false;
    auto* import = app.add_subcommand("import", "Import instrument files into a project");
    import->add_option("-f,--format", imp.format,
                       "Format: section key (GEODI, LEICA, ...) or index; detected when left out");
    import->add_option("files", imp.files, "Files to import")->required();
    import->add_option("-o,--output", imp.output, "Write the project to this JSON file");
    import->add_option("--into", imp.into, "Import into this existing project (JSON)");
    import->add_option("--set", imp.sets, "NAME=VALUE: an import setting for this run");
    import->add_option("--angle-unit", imp.angle_unit,
                       "Angle unit files start in: dms, deg, gon, mil, rad (default dms)");
    import->add_option("--dist-unit", imp.dist_unit,
                       "Distance unit files start in: m, ft, usft, mm (default m)");
    import->add_flag("--yes", yes, "Answer questions with Yes");
    import->add_flag("--no", no, "Answer questions with No");

    cli::ImportArgs ev;
    ev.events = true;
    auto* events = app.add_subcommand("events", "Print the event stream a reader makes of files");
    events->add_option("-f,--format", ev.format, "Format: section key or index")->required();
    events->add_option("files", ev.files, "Files to read")->required();
    events->add_flag("--json", ev.events_json, "One JSON object a line");
    events->add_option("--pass", ev.pass, "Pass to show: 1 or 2 (default 2)")
        ->check(CLI::Range(1, 2));
    events->add_option("--set", ev.sets, "NAME=VALUE: an import setting for this run");
    events->add_option("--angle-unit", ev.angle_unit,
                       "Angle unit files start in: dms, deg, gon, mil, rad");
    events->add_option("--dist-unit", ev.dist_unit,
                       "Distance unit files start in: m, ft, usft, mm");

    std::string opt_format;
    std::vector<std::string> opt_sets;
    bool opt_json = false;
    auto* options = app.add_subcommand("options", "Show or store the import settings of a format");
    options->add_option("-f,--format", opt_format, "Format: section key or index")->required();
    options->add_option("--set", opt_sets, "NAME=VALUE: store a setting");
    options->add_flag("--json", opt_json, "Print as JSON");

    std::vector<std::string> detect_files;
    bool detect_json = false;
    auto* detect_cmd = app.add_subcommand("detect", "Tell the format of instrument files");
    detect_cmd->add_option("files", detect_files, "Files to look at")->required();
    detect_cmd->add_flag("--json", detect_json, "One JSON object a line");

    cli::CdxArgs cdx;
    auto* cdx_cmd = app.add_subcommand("cdx", "Import the control points of a CDX file");
    cdx_cmd->add_option("file", cdx.file, "CDX file")->required();
    cdx_cmd->add_option("-o,--output", cdx.output, "Write the project to this JSON file");
    cdx_cmd->add_option("--into", cdx.into, "Import into this existing project (JSON)");

    cli::ExportArgs ex;
    auto* export_cmd = app.add_subcommand("export", "Write project points in an instrument format");
    export_cmd
        ->add_option("-f,--format", ex.format,
                     "trimble-3300, trimble-3600, leica-8, leica-16, geodimeter, 3ta5 or pentax")
        ->required();
    export_cmd->add_option("project", ex.project, "Project (JSON)")->required();
    export_cmd->add_option("output", ex.output, "File to write")->required();
    export_cmd->add_flag("--selected", ex.selected, "Only the points marked selected");
    export_cmd->add_option("--dist-unit", ex.dist_unit,
                           "Distance unit in force: m, ft, usft, mm (default m)");
    export_cmd->add_option("--decimals", ex.decimals, "Decimals of the coordinates (default 3)");
    export_cmd->add_flag("--yes", yes, "Answer questions with Yes");
    export_cmd->add_flag("--no", no, "Answer questions with No");

    cli::ReceiveArgs rx;
    auto* receive =
        app.add_subcommand("receive", "Receive an instrument's memory from a serial port");
    receive->add_option("--port", rx.port, "COM1..COM4 (/dev/ttyS0..3) or a device path");
    receive->add_option("--baud", rx.baud, "Rate: 300, 600, ... 76800, 153600 (default 4800)");
    receive->add_option("--data-bits", rx.data_bits, "7 or 8 (default 8)");
    receive->add_option("--parity", rx.parity, "none, even or odd (default none)");
    receive->add_option("--stop-bits", rx.stop_bits, "1 or 2 (default 2)");
    receive->add_option("--flow", rx.flow, "Flow control: dtr,rts,xon or none (default xon)");
    receive->add_option("-o,--output", rx.output, "File to receive into (default 3TA5.txt)");
    receive->add_flag("--new", rx.new_file, "Start an existing file anew");
    receive->add_flag("--append", rx.append, "Add to an existing file");
    receive->add_flag("--import", rx.import, "Import the received file as 3TA5");
    receive->add_option("--project", rx.project, "Project (JSON) to import into and write");
    receive->add_option("--timeout", rx.timeout,
                        "Seconds of silence that end the receive (default 30)");
    receive->add_flag("--yes", yes, "Answer questions with Yes");
    receive->add_flag("--no", no, "Answer questions with No");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::string what = e.what();
        std::cerr << "tavrin: " << (what.empty() ? e.get_name() : what) << " (see tavrin --help)\n";
        return cli::kBadArguments;
    }
    if (!lang.empty()) {
        res::Language l;
        if (!res::ParseLanguage(lang, l)) {
            cli::PrintError("--lang takes en or ru, not \"" + lang + "\"");
            return cli::kBadArguments;
        }
        res::SetLanguage(l);
    }
    if (!config.empty())
        platform::Profile::UseFile(config);
    if (yes && no) {
        cli::PrintError("--yes and --no exclude each other");
        return cli::kBadArguments;
    }
    imp.answer = yes ? cli::Answer::Yes : no ? cli::Answer::No : cli::Answer::Ask;

    if (*formats)
        return cli::CmdFormats(formats_json);
    if (*import)
        return cli::CmdImport(imp);
    if (*events)
        return cli::CmdImport(ev);
    if (*options)
        return cli::CmdOptions(opt_format, opt_sets, opt_json);
    if (*cdx_cmd)
        return cli::CmdCdx(cdx);
    if (*detect_cmd)
        return cli::CmdDetect(detect_files, detect_json);
    if (*export_cmd) {
        ex.answer = imp.answer;
        return cli::CmdExport(ex);
    }
    if (*receive) {
        rx.answer = imp.answer;
        return cli::CmdReceive(rx);
    }
    return cli::kBadArguments;
}
