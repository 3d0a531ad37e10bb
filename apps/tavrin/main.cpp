// tavrin: survey instrument files in and out of a project, from the command line.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli.h"
#include "platform/heap.h"
#include "platform/profile.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    platform::PrepareHeap();
    res::SetLanguageFromEnvironment();
    CLI::App app{"tavrin: survey instrument files in and out of a project"};
    app.require_subcommand(1);
    app.set_version_flag("--version", [] { return cli::VersionText(); });
    std::string lang;
    app.add_option("--lang", lang, "Language of messages: en or ru");
    std::string config;
    app.add_option("--config", config,
                   "Settings file (default: $TAVRIN_CONFIG or ~/.config/tavrin/settings.toml)");

    bool formats_json = false;
    auto* formats = app.add_subcommand("formats", "List the import and export formats");
    formats->add_flag("--json", formats_json, "Print as JSON");
    std::string formats_list;
    formats->add_option("--list", formats_list, "Only the names, one a line: import or export")
        ->check(CLI::IsMember({"import", "export"}));

    std::string help_topic;
    auto* help = app.add_subcommand("help", "Show the manual of a command (tavrin help import)");
    help->add_option("topic", help_topic, "A command, or nothing for the tool's own page");

    cli::ImportArgs imp;
    bool yes = false, no = false;
    auto* import = app.add_subcommand("import", "Import instrument files into a project");
    import->add_option("-f,--format", imp.format,
                       "Format: section key (GEODI, LEICA, ...) or index; detected when left out");
    import->add_option("files", imp.files, "Files to import")->required();
    import->add_option("-o,--output", imp.output, "Write the project to this JSON file");
    import->add_option("--into", imp.into, "Import into this existing project (JSON)");
    import->add_option(
        "--crs", imp.crs,
        "EPSG:NNNN of the coordinates, for an output that is not JSON (see convert)");
    import->add_option("--set", imp.sets, "NAME=VALUE: an import setting for this run")
        ->allow_extra_args(false);
    import->add_option("--angle-unit", imp.angle_unit,
                       "Angle unit files start in: dms, deg, gon, mil, rad (default dms)");
    import->add_option("--dist-unit", imp.dist_unit,
                       "Distance unit files start in: m, ft, usft, mm (default m)");
    import->add_option("--encoding", imp.encoding,
                       "Encoding of the files: utf-8 or cp1251 (default: decided per file)");
    import->add_flag("--yes", yes, "Answer questions with Yes");
    import->add_flag("--no", no, "Answer questions with No");
    import->add_flag("--no-compute", imp.no_compute,
                     "Leave out the processing (coordinates, faces, codes and lines)");

    cli::ImportArgs ev;
    ev.events = true;
    auto* events = app.add_subcommand("events", "Print the event stream a reader makes of files");
    events->add_option("-f,--format", ev.format, "Format: section key or index")->required();
    events->add_option("files", ev.files, "Files to read")->required();
    events->add_flag("--json", ev.events_json, "One JSON object a line");
    events->add_option("--pass", ev.pass, "Pass to show: 1 or 2 (default 2)")
        ->check(CLI::Range(1, 2));
    events->add_option("--set", ev.sets, "NAME=VALUE: an import setting for this run")
        ->allow_extra_args(false);
    events->add_option("--angle-unit", ev.angle_unit,
                       "Angle unit files start in: dms, deg, gon, mil, rad");
    events->add_option("--dist-unit", ev.dist_unit,
                       "Distance unit files start in: m, ft, usft, mm");
    events->add_option("--encoding", ev.encoding, "Encoding of the files: utf-8 or cp1251");

    std::string opt_format;
    std::vector<std::string> opt_sets;
    bool opt_json = false;
    auto* options = app.add_subcommand("options", "Show or store the import settings of a format");
    options->add_option("-f,--format", opt_format, "Format: section key or index")->required();
    options->add_option("--set", opt_sets, "NAME=VALUE: store a setting")->allow_extra_args(false);
    options->add_flag("--json", opt_json, "Print as JSON");
    std::string opt_guess;
    options->add_option("--guess", opt_guess,
                        "FILE: propose name and code columns for it (ELTAREC500, ELTAC_M5)");

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

    cli::ConvertArgs cv;
    auto* convert = app.add_subcommand(
        "convert", "Write a project as GeoPackage, GeoJSON, DXF, KML, Shapefile, CSV or LandXML");
    convert->add_option("project", cv.project, "Project (JSON)")->required();
    convert->add_option("output", cv.output, "File to write (a folder for Shapefile sets)")
        ->required();
    convert->add_option("--format", cv.format,
                        "gpkg, geojson, dxf, kml, shp, csv or landxml (default: from the name)");
    convert->add_option("--crs", cv.crs, "Coordinate reference system of the project: EPSG:NNNN");
    convert->add_option("--angle-unit", cv.angle_unit,
                        "Angles in LandXML: deg, gon, dms or rad (default deg)");
    convert->add_flag("--selected", cv.selected, "Only the points marked selected");

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

    cli::ComputeArgs comp;
    auto* compute = app.add_subcommand(
        "compute", "Compute coordinates, faces, codes and lines of a project (again)");
    compute->add_option("project", comp.project, "Project (JSON)")->required();
    compute->add_option("-o,--output", comp.output, "Write here instead of over the project");
    compute->add_option("--tolerance", comp.tolerance,
                        "Metres allowed between recorded and computed points (default 0.010)");
    compute->add_option("--face-tolerance", comp.face_tolerance,
                        "Seconds allowed between the two faces of a target (default 60)");
    compute->add_option("--curvature", comp.curvature, "Earth curvature and refraction: on or off")
        ->check(CLI::IsMember({"on", "off"}));
    compute->add_option("--refraction", comp.refraction, "Refraction coefficient (default 0.13)");

    cli::CodesArgs codes;
    auto* codes_cmd = app.add_subcommand("codes", "List the code systems of a project, or add one");
    codes_cmd->add_option("project", codes.project, "Project (JSON)")->required();
    codes_cmd->add_option("--import", codes.csv, "CSV table of codes: code,name[,point|line]");
    codes_cmd->add_option("--name", codes.name,
                          "Name of the imported code system (default: file name)");
    codes_cmd->add_flag("--codes", codes.list_codes, "List the codes of each system too");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
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
    // One save of the settings a command, and none from commands that only look.
    platform::Profile& settings = platform::Profile::Instance();
    settings.SetDeferred(true);
    const bool stores = *import || *cdx_cmd || *export_cmd || *receive || !opt_sets.empty();
    settings.SetVolatile(!stores);
    if (!settings.problem().empty())
        std::cerr << "tavrin: "
                  << (settings.moved_aside().empty()
                          ? res::Format(res::LoadString(9601),
                                        {settings.path().string(), settings.problem()})
                          : res::Format(res::LoadString(9600),
                                        {settings.path().string(), settings.problem(),
                                         settings.moved_aside().string()}))
                  << "\n";
    if (yes && no) {
        cli::PrintError("--yes and --no exclude each other");
        return cli::kBadArguments;
    }
    imp.answer = yes ? cli::Answer::Yes : no ? cli::Answer::No : cli::Answer::Ask;
    ex.answer = rx.answer = imp.answer;

    int rc = cli::kBadArguments;
    if (*help)
        rc = cli::CmdHelp(help_topic);
    else if (*formats)
        rc = cli::CmdFormats(formats_json, formats_list);
    else if (*import)
        rc = cli::CmdImport(imp);
    else if (*events)
        rc = cli::CmdImport(ev);
    else if (*options && !opt_guess.empty())
        rc = cli::CmdGuessColumns(opt_format, opt_guess);
    else if (*options)
        rc = cli::CmdOptions(opt_format, opt_sets, opt_json);
    else if (*cdx_cmd)
        rc = cli::CmdCdx(cdx);
    else if (*detect_cmd)
        rc = cli::CmdDetect(detect_files, detect_json);
    else if (*export_cmd)
        rc = cli::CmdExport(ex);
    else if (*receive)
        rc = cli::CmdReceive(rx);
    else if (*compute)
        rc = cli::CmdCompute(comp);
    else if (*codes_cmd)
        rc = cli::CmdCodes(codes);
    else if (*convert)
        rc = cli::CmdConvert(cv);
    settings.SetVolatile(false);
    if (!settings.Flush()) {
        cli::PrintError(res::Format(res::LoadString(9617), {settings.error()}));
        // Storing the values was what `options --set` was for.
        if (*options && rc == cli::kOk)
            rc = cli::kNotDone;
    }
    return rc;
}
