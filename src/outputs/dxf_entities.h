// DXF through GDAL: points as POINT entities on a layer per code with their name, height and
// code as text beside them, observation rays and coded lines as polylines with elevations.
#pragma once

#include <string>
#include <vector>

class GDALDataset;

namespace outputs {

struct RecordLayer;

// A DXF layer name from a code: characters DXF forbids in names become "_".
std::string DxfLayerName(const std::string& code, const char* fallback);

// Writes the entities; false with `error` when GDAL refuses. `left_out` counts the features
// that have no coordinates to draw.
bool WriteDxfEntities(GDALDataset& ds, const std::vector<RecordLayer>& layers, size_t& written,
                      size_t& left_out, std::string& error);

}  // namespace outputs
