// The formats a project converts to, and the choices of one conversion.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace outputs {

enum class Format { GeoPackage, GeoJson, Dxf, Kml, Shapefile, Csv, LandXml };

struct FormatInfo {
    Format format;
    std::string_view key;         // what --format takes
    std::string_view name;        // as users know it
    std::string_view extensions;  // the file name endings that pick it, space separated
    bool needs_crs;               // only with a coordinate reference system
};

std::span<const FormatInfo> Formats();
const FormatInfo& Info(Format format);
// A format from its key (any letter case); null when there is none.
const FormatInfo* FindFormat(std::string_view key);
// A format from the ending of a file name; null when the ending names none.
const FormatInfo* FormatOfPath(const std::filesystem::path& path);
// "gpkg, geojson, ..." for messages.
std::string FormatKeys();

// How angles of observations are written (LandXML declares the unit it uses).
enum class AngleUnit { Degrees, Gons, Radians, Dms };
bool ParseAngleUnit(std::string_view text, AngleUnit& unit);

struct ConvertOptions {
    std::optional<Format> format;  // from the output's name when not given
    std::string crs;               // "EPSG:NNNN", or empty for local coordinates
    bool selected_only = false;
    AngleUnit angle_unit = AngleUnit::Degrees;
    // Files the output must never replace (the project and the files it was read from).
    std::vector<std::filesystem::path> inputs;
};

}  // namespace outputs
