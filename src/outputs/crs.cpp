#include "outputs/crs.h"

#include <ogr_spatialref.h>

#include <charconv>

#include "outputs/gdal_session.h"
#include "resources/strings.h"
#include "text/letter_case.h"

namespace outputs {

bool ParseCrs(const std::string& text, CrsInfo& crs, std::string& error) {
    const std::string upper = text::Upper(text);
    int code = 0;
    const char* first = upper.data() + 5;
    const char* last = upper.data() + upper.size();
    if (upper.rfind("EPSG:", 0) != 0 || std::from_chars(first, last, code).ptr != last ||
        first == last || code <= 0) {
        error = res::Format(res::LoadString(9783), {text});
        return false;
    }
    GdalSession gdal;
    OGRSpatialReference srs;
    if (srs.importFromEPSG(code) != OGRERR_NONE) {
        error = res::Format(res::LoadString(9783), {text});
        return false;
    }
    if (!srs.IsProjected()) {
        error = res::Format(res::LoadString(9784), {text});
        return false;
    }
    crs.epsg = code;
    crs.name = srs.GetName() ? srs.GetName() : upper;
    char* wkt = nullptr;
    if (srs.exportToWkt(&wkt) == OGRERR_NONE && wkt)
        crs.wkt = wkt;
    CPLFree(wkt);
    return true;
}

}  // namespace outputs
