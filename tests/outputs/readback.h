// Reading an output back with GDAL, the way a GIS program sees it.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct ReadFeature {
    std::string layer;
    std::map<std::string, std::string> fields;  // set fields only, as text
    bool has_geometry = false;
    double x = 0, y = 0, z = 0;  // first vertex
    int vertices = 0;

    std::string Field(const std::string& name) const {
        auto it = fields.find(name);
        return it == fields.end() ? std::string() : it->second;
    }
};

// Every feature of every layer; `open_options` as NAME=VALUE.
std::vector<ReadFeature> ReadVector(const std::string& path,
                                    const std::vector<std::string>& open_options = {});

// A metadata item of the dataset (empty when there is none).
std::string ReadMetadata(const std::string& path, const char* key);

// Longitude/latitude (WGS 84) back to the x east / y north of a projected EPSG system.
void FromWgs84(int epsg, double& x, double& y);

}  // namespace testing_support
