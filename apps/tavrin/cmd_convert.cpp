// tavrin convert: a saved project to a GIS, CAD or survey exchange format.
#include <iostream>

#include "cli.h"
#include "outputs/convert.h"
#include "outputs/module_loader.h"
#include "resources/strings.h"

namespace cli {

bool ParseConvertChoices(const ConvertArgs& args, outputs::ConvertOptions& options) {
    if (!args.format.empty()) {
        const outputs::FormatInfo* f = outputs::FindFormat(args.format);
        if (f == nullptr) {
            std::cerr << "tavrin: "
                      << res::Format(res::LoadString(9780), {args.format, outputs::FormatKeys()});
            return false;
        }
        options.format = f->format;
    }
    if (!args.angle_unit.empty() && !outputs::ParseAngleUnit(args.angle_unit, options.angle_unit)) {
        std::cerr << "tavrin: " << res::Format(res::LoadString(9792), {args.angle_unit});
        return false;
    }
    options.crs = args.crs;
    options.selected_only = args.selected;
    return true;
}

int WriteConverted(vrk::CVrkObject& project, const std::string& output,
                   const outputs::ConvertOptions& options) {
    outputs::ConvertSummary summary;
    std::string error;
    const outputs::ModuleApi* api = outputs::LoadModule(error);
    if (!api || !api->convert(project, output, options, summary, error)) {
        std::cerr << "tavrin: " << error;
        return kNotDone;
    }
    std::cout << api->summary(summary);
    return kOk;
}

int CmdConvert(const ConvertArgs& args) {
    outputs::ConvertOptions options;
    if (!ParseConvertChoices(args, options))
        return kBadArguments;
    options.inputs = {args.project};
    vrk::CVrkObject project;
    std::string error;
    if (!project.LoadJson(args.project, error)) {
        std::cerr << "tavrin: " << res::Format(res::LoadString(9793), {args.project, error});
        return kNotDone;
    }
    return WriteConverted(project, args.output, options);
}

}  // namespace cli
