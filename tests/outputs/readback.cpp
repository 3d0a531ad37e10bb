#include "readback.h"

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <memory>

namespace testing_support {

std::vector<ReadFeature> ReadVector(const std::string& path,
                                    const std::vector<std::string>& open_options) {
    GDALAllRegister();
    CPLStringList options;
    for (const auto& o : open_options) options.AddString(o.c_str());
    GDALDatasetUniquePtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                              nullptr, options.List()));
    std::vector<ReadFeature> out;
    if (!ds)
        return out;
    for (OGRLayer* layer : ds->GetLayers()) {
        for (const auto& f : *layer) {
            ReadFeature r;
            r.layer = layer->GetName();
            for (int i = 0; i < f->GetFieldCount(); ++i)
                if (f->IsFieldSetAndNotNull(i))
                    r.fields[f->GetFieldDefnRef(i)->GetNameRef()] = f->GetFieldAsString(i);
            if (const OGRGeometry* g = f->GetGeometryRef(); g && !g->IsEmpty()) {
                r.has_geometry = true;
                const auto flat = wkbFlatten(g->getGeometryType());
                if (flat == wkbPoint) {
                    const auto* p = g->toPoint();
                    r.x = p->getX(), r.y = p->getY(), r.z = p->getZ(), r.vertices = 1;
                } else if (flat == wkbLineString) {
                    const auto* l = g->toLineString();
                    r.x = l->getX(0), r.y = l->getY(0), r.z = l->getZ(0);
                    r.vertices = l->getNumPoints();
                }
            }
            out.push_back(std::move(r));
        }
    }
    return out;
}

std::string ReadMetadata(const std::string& path, const char* key) {
    GDALDatasetUniquePtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    const char* value = ds ? ds->GetMetadataItem(key) : nullptr;
    return value ? value : "";
}

void FromWgs84(int epsg, double& x, double& y) {
    OGRSpatialReference wgs, target;
    wgs.importFromEPSG(4326);
    target.importFromEPSG(epsg);
    wgs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> ct(
        OGRCreateCoordinateTransformation(&wgs, &target));
    ASSERT_TRUE(ct);
    ct->Transform(1, &x, &y);
}

}  // namespace testing_support
