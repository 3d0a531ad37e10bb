// tavrin cdx: the control points of a CDX file into a project, without the import dialog.
#include <iostream>

#include "cli.h"
#include "readers/cdx/cdx_reader.h"

namespace cli {

int CmdCdx(const CdxArgs& args) {
    if (args.file.empty()) {
        PrintError("cdx needs a file");
        return kBadArguments;
    }
    vrk::CVrkObject project;
    std::string error;
    if (!args.into.empty() && !project.LoadJson(args.into, error)) {
        PrintError(error);
        return kNotDone;
    }
    PrintProtocolLive(project);

    size_t points = 0;
    ProgressBar bar;
    vrk::CImportInfo info;
    int loaded = 0;
    {
        CImpCDX reader(
            &project, [&](int percent, vrk::CDocument*) { bar.Update(percent, args.file); }, &info);
        reader.event_sink = [&](const vrk::PushInfo& e) {
            if (e.pass == 2 && e.id == evPointName && e.accepted)
                ++points;
        };
        loaded = reader.ImportFile(args.file);
    }
    bar.Finish();

    if (!args.output.empty() && !project.SaveJson(args.output, error)) {
        PrintError(error);
        return kNotDone;
    }
    size_t control = 0, survey = 0;
    for (const auto& p : project.data().points) (p.control ? control : survey)++;
    std::cout << "Control points from " << args.file << "\n"
              << "  points read:      " << points << "\n"
              << "  control points:   " << control << "\n"
              << "  survey points:    " << survey << "\n"
              << "  protocol entries: " << project.ImportLog().Entries().size() << "\n";
    if (!args.output.empty())
        std::cout << "Project written to " << args.output << "\n";
    if (!loaded || points == 0) {
        std::cout << "Nothing was imported.\n";
        return kNotDone;
    }
    return kOk;
}

}  // namespace cli
