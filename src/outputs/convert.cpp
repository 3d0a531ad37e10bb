#include "outputs/convert.h"

#include <algorithm>
#include <optional>

#include "outputs/crs.h"
#include "outputs/landxml_writer.h"
#include "outputs/ogr_writer.h"
#include "outputs/staged_output.h"
#include "outputs/survey_features.h"
#include "platform/atomic_write.h"
#include "platform/file_identity.h"
#include "resources/strings.h"

namespace outputs {
namespace fs = std::filesystem;
namespace {

const char* const kShapefileLayers[] = {"control_points", "survey_points", "stations",
                                        "observations", "lines"};
const char* const kShapefileParts[] = {".shp", ".shx", ".dbf", ".prj", ".cpg"};

// A Shapefile output is a folder of file sets; "name.shp" puts them beside it as name_*.shp.
StagedOutput StageShapefiles(const fs::path& out) {
    const FormatInfo* f = FormatOfPath(out);
    if (f != nullptr && f->format == Format::Shapefile) {
        const fs::path folder = out.parent_path().empty() ? fs::path(".") : out.parent_path();
        return StagedOutput::Folder(folder, out.stem().string() + "_");
    }
    return StagedOutput::Folder(out, "");
}

// Every file the output may replace, known before anything is written.
std::vector<fs::path> Destinations(const fs::path& out, Format format) {
    if (format != Format::Shapefile)
        return {out};
    const FormatInfo* f = FormatOfPath(out);
    const bool beside = f != nullptr && f->format == Format::Shapefile;
    const fs::path folder = beside ? out.parent_path() : out;
    const std::string prefix = beside ? out.stem().string() + "_" : std::string();
    std::vector<fs::path> files;
    for (const char* layer : kShapefileLayers)
        for (const char* part : kShapefileParts) files.push_back(folder / (prefix + layer + part));
    return files;
}

std::string Count(size_t n) {
    return std::to_string(n);
}

}  // namespace

bool CheckConvert(const fs::path& out, const ConvertOptions& options, std::string& error) {
    const FormatInfo* info = options.format ? &Info(*options.format) : FormatOfPath(out);
    if (info == nullptr) {
        error = res::Format(res::LoadString(9781), {out.string(), FormatKeys()});
        return false;
    }
    if (info->needs_crs && options.crs.empty()) {
        error = res::Format(res::LoadString(9782), {info->name});
        return false;
    }
    CrsInfo crs;
    if (!options.crs.empty() && !ParseCrs(options.crs, crs, error))
        return false;
    for (const fs::path& target : Destinations(out, info->format))
        for (const fs::path& input : options.inputs)
            if (platform::SameFile(target, input)) {
                error = res::Format(res::LoadString(9785), {target.string(), input.string()});
                return false;
            }
    return true;
}

bool Convert(vrk::CVrkObject& project, const fs::path& out, const ConvertOptions& options,
             ConvertSummary& summary, std::string& error) {
    if (!CheckConvert(out, options, error))
        return false;
    const FormatInfo* info = options.format ? &Info(*options.format) : FormatOfPath(out);
    std::optional<CrsInfo> crs;
    if (!options.crs.empty()) {
        crs.emplace();
        ParseCrs(options.crs, *crs, error);
    }

    SurveyFeatures features = CollectFeatures(project, options.selected_only);
    if (options.selected_only && features.points.empty()) {
        error = res::LoadString(9787);
        return false;
    }
    for (const auto& e : project.ImportLog().Entries()) {
        features.protocol += e.text;
        if (!features.protocol.empty() && features.protocol.back() != '\n')
            features.protocol += '\n';
    }

    if (info->format == Format::LandXml) {
        // A text we hold whole: written as every other file of ours is, the message naming
        // the target and the reason.
        if (!platform::AtomicWrite(out, LandXmlText(features, crs, options.angle_unit), error))
            return false;
        summary.files = {out};
    } else {
        // The library writes a path of its own choosing: it writes beside the target, and the
        // result is renamed into place when it is complete.
        StagedOutput staged =
            info->format == Format::Shapefile ? StageShapefiles(out) : StagedOutput::File(out);
        std::string reason;
        OgrResult r = WriteOgr(features, info->format, crs, staged.path());
        if (!r.ok)
            reason = r.error;
        summary.left_out = r.left_out;
        if (reason.empty()) {
            summary.files = staged.Targets();
            if (!staged.Commit(reason))
                summary.files.clear();
        }
        if (!reason.empty()) {
            error = res::Format(res::LoadString(9786), {out.string(), reason});
            return false;
        }
    }
    summary.format = info->format;
    summary.control = features.CountPoints(PointKind::Control);
    summary.survey = features.CountPoints(PointKind::Survey);
    summary.stations = features.stations.size();
    summary.observations = features.rays.size();
    summary.lines = features.lines.size();
    return true;
}

std::string SummaryText(const ConvertSummary& s) {
    // A Shapefile set is named by its .shp file.
    std::vector<std::string> names;
    for (const auto& f : s.files)
        if (s.format != Format::Shapefile || f.extension() == ".shp")
            names.push_back(f.string());
    std::sort(names.begin(), names.end());
    std::string files;
    for (const auto& n : names) files += (files.empty() ? "" : ", ") + n;
    std::string text = res::Format(res::LoadString(9789), {files, Info(s.format).name});
    text +=
        res::Format(res::LoadString(9790), {Count(s.control), Count(s.survey), Count(s.stations),
                                            Count(s.observations), Count(s.lines)});
    if (s.left_out > 0)
        text += res::Format(res::LoadString(9791), {Count(s.left_out)});
    return text;
}

}  // namespace outputs
