// tavrin cdx: the control points of a CDX file into a project, without the import dialog.
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "readers/cdx/cdx_reader.h"
#include "resources/strings.h"

namespace cli {

int CmdCdx(const CdxArgs& args) {
    if (args.file.empty()) {
        PrintError("cdx needs a file");
        return kBadArguments;
    }
    const std::string output = args.output.empty() ? args.into : args.output;
    if (OutputIsAnInput(output, {args.file}))
        return kBadArguments;
    std::error_code ec;
    if (!std::filesystem::exists(args.file, ec)) {
        PrintError(res::Format(res::LoadString(9603), {args.file}));
        SayNothingImported(output);
        return kNotDone;
    }
    vrk::CVrkObject project;
    ProjectLocks locks;
    if (!locks.Take({args.into, output}))
        return kNotDone;
    std::string error;
    if (!args.into.empty() && !project.LoadJson(args.into, error)) {
        PrintError(error);
        return kNotDone;
    }
    PrintProtocolLive(project);
    const size_t log_mark = project.ImportLog().Entries().size();

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
    project.SetAttr(vrk::CVrkObject::kAttrComplete,
                    project.ImportLog().ErrorsFrom(log_mark) ? 0 : 1);
    size_t control = 0, survey = 0;
    for (const auto& p : project.data().points) (p.control ? control : survey)++;
    auto line = [](unsigned id, const std::string& value) {
        std::cout << res::Format(res::LoadString(id), {value}) << "\n";
    };
    line(9669, args.file);
    line(9670, std::to_string(points));
    line(res::kSummaryControl, std::to_string(control));
    line(res::kSummarySurvey, std::to_string(survey));
    line(res::kSummaryProtocol, std::to_string(project.ImportLog().Entries().size()));
    if (!loaded || points == 0) {
        SayNothingImported(output);
        return kNotDone;
    }
    if (!output.empty()) {
        if (!project.SaveJson(output, error)) {
            PrintError(error);
            return kNotDone;
        }
        line(res::kSummaryWritten, output);
    }
    return kOk;
}

}  // namespace cli
