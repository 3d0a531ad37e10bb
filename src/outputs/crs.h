// A projected coordinate reference system given as "EPSG:NNNN".
#pragma once

#include <string>

namespace outputs {

struct CrsInfo {
    int epsg = 0;
    std::string name;  // as the EPSG register names it
    std::string wkt;   // OGC WKT 1
};

// Reads "EPSG:NNNN" (any letter case). Refuses an unknown code and a system that is not
// projected (survey coordinates are metres on a plane); `error` says why.
bool ParseCrs(const std::string& text, CrsInfo& crs, std::string& error);

}  // namespace outputs
