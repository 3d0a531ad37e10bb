#include "outputs/output_format.h"

#include <array>

#include "text/letter_case.h"

namespace outputs {
namespace {

constexpr std::array kFormats{
    FormatInfo{Format::GeoPackage, "gpkg", "GeoPackage", ".gpkg", false},
    FormatInfo{Format::GeoJson, "geojson", "GeoJSON", ".geojson", false},
    FormatInfo{Format::Dxf, "dxf", "DXF", ".dxf", false},
    FormatInfo{Format::Kml, "kml", "KML", ".kml", true},
    FormatInfo{Format::Shapefile, "shp", "ESRI Shapefile", ".shp", false},
    FormatInfo{Format::Csv, "csv", "CSV", ".csv", false},
    FormatInfo{Format::LandXml, "landxml", "LandXML 1.2", ".xml .landxml", false},
};

bool SameWord(std::string_view a, std::string_view b) {
    return text::Upper(a) == text::Upper(b);
}

}  // namespace

std::span<const FormatInfo> Formats() {
    return kFormats;
}

const FormatInfo& Info(Format format) {
    return kFormats[static_cast<size_t>(format)];
}

const FormatInfo* FindFormat(std::string_view key) {
    for (const auto& f : kFormats)
        if (SameWord(key, f.key))
            return &f;
    return nullptr;
}

const FormatInfo* FormatOfPath(const std::filesystem::path& path) {
    const std::string ext = path.extension().string();
    if (ext.empty())
        return nullptr;
    for (const auto& f : kFormats) {
        std::string_view list = f.extensions;
        while (!list.empty()) {
            const size_t space = list.find(' ');
            if (SameWord(list.substr(0, space), ext))
                return &f;
            list = space == std::string_view::npos ? std::string_view() : list.substr(space + 1);
        }
    }
    return nullptr;
}

std::string FormatKeys() {
    std::string keys;
    for (const auto& f : kFormats)
        keys += std::string(keys.empty() ? "" : ", ") + std::string(f.key);
    return keys;
}

bool ParseAngleUnit(std::string_view text, AngleUnit& unit) {
    static constexpr std::pair<std::string_view, AngleUnit> kUnits[] = {{"deg", AngleUnit::Degrees},
                                                                        {"gon", AngleUnit::Gons},
                                                                        {"rad", AngleUnit::Radians},
                                                                        {"dms", AngleUnit::Dms}};
    for (const auto& [name, u] : kUnits)
        if (SameWord(text, name)) {
            unit = u;
            return true;
        }
    return false;
}

}  // namespace outputs
