// The GIS and CAD formats through GDAL/OGR: GeoPackage, GeoJSON, DXF, KML, Shapefile, CSV.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "outputs/crs.h"
#include "outputs/output_format.h"
#include "outputs/survey_features.h"

namespace outputs {

struct OgrResult {
    bool ok = false;
    std::string error;
    size_t written = 0;
    size_t left_out = 0;  // features without coordinates in a format that cannot hold them
};

// Writes `features` to `path` (for a Shapefile: a folder that gets one file set per layer).
// `crs` is the system of the survey coordinates, or none for local coordinates.
OgrResult WriteOgr(const SurveyFeatures& features, Format format, const std::optional<CrsInfo>& crs,
                   const std::filesystem::path& path);

}  // namespace outputs
