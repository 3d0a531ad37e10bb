// tavrin compute / tavrin codes: the processing stage on a saved project, and its code systems.
#include <cmath>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "host/processing/code_systems.h"
#include "host/processing/processing.h"
#include "resources/strings.h"

namespace cli {

void PrintComputeSummary(const processing::Summary& s) {
    std::cout << res::Format(res::LoadString(9733),
                             {std::to_string(s.stations), std::to_string(s.free_stations),
                              std::to_string(s.points), std::to_string(s.lines)});
}

namespace {

bool Load(vrk::CVrkObject& project, const std::string& path) {
    std::string error;
    if (project.LoadJson(path, error))
        return true;
    PrintError(error);
    return false;
}

bool Save(const vrk::CVrkObject& project, const std::string& path) {
    std::string error;
    if (project.SaveJson(path, error))
        return true;
    PrintError(error);
    return false;
}

}  // namespace

int CmdCompute(const ComputeArgs& args) {
    vrk::CVrkObject project;
    if (!Load(project, args.project))
        return kNotDone;
    vrk::ProcessingSettings& s = project.processing;
    if (args.tolerance)
        s.tolerance = *args.tolerance;
    if (args.face_tolerance)
        s.face_tolerance = *args.face_tolerance / 3600.0 * M_PI / 180.0;
    if (args.refraction)
        s.refraction = *args.refraction;
    if (!args.curvature.empty())
        s.curvature = args.curvature == "on";
    PrintProtocolLive(project);
    PrintComputeSummary(processing::Compute(project));
    const std::string& out = args.output.empty() ? args.project : args.output;
    if (!Save(project, out))
        return kNotDone;
    std::cout << res::Format(res::LoadString(res::kSummaryWritten), {out}) << "\n";
    return kOk;
}

int CmdCodes(const CodesArgs& args) {
    vrk::CVrkObject project;
    if (!Load(project, args.project))
        return kNotDone;
    if (!args.csv.empty()) {
        std::vector<vrk::CCodeEntry> codes;
        std::vector<std::string> errors;
        if (!processing::ReadCodeTable(args.csv, codes, errors)) {
            for (const auto& e : errors) std::cerr << e;
            return kNotDone;
        }
        const std::string name =
            args.name.empty() ? std::filesystem::path(args.csv).stem().string() : args.name;
        if (processing::PutCodeSystem(project, name, std::move(codes)) < 0) {
            std::cerr << res::LoadString(9737);
            return kNotDone;
        }
        if (!Save(project, args.project))
            return kNotDone;
    }
    const vrk::CClassificator* c = project.GetClassificator();
    if (!c || c->UsedCount() == 0) {
        std::cout << res::LoadString(9739);
        return args.csv.empty() ? kOk : kNotDone;
    }
    for (int i = 0; i < vrk::CClassificator::kSlots; ++i) {
        const auto& slot = c->slots[i];
        if (!slot.in_use)
            continue;
        std::cout << res::Format(res::LoadString(9738),
                                 {slot.name, std::to_string(slot.codes.size()), std::to_string(i)});
        if (args.list_codes)
            for (const auto& e : slot.codes)
                std::cout << "  " << e.code << "\t" << e.name << "\t"
                          << (e.kind == vrk::CCodeEntry::Kind::Line ? "line" : "point") << "\n";
    }
    return kOk;
}

}  // namespace cli
