#include "outputs/ogr_writer.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <unordered_map>

#include "outputs/dxf_entities.h"
#include "outputs/feature_records.h"
#include "outputs/gdal_session.h"
#include "resources/strings.h"
#include "text/letter_case.h"

namespace outputs {
namespace {

struct FieldDef {
    std::string name;
    OGRFieldType type = OFTString;
};

// What a format does with the layers.
struct Plan {
    const char* driver;
    bool one_layer;         // all layers in one collection, told apart by a "layer" field
    bool to_wgs84;          // coordinates reprojected to longitude/latitude
    bool null_geometry_ok;  // a feature without coordinates is still written
};

Plan PlanOf(Format format) {
    switch (format) {
        case Format::GeoPackage:
            return {"GPKG", false, false, true};
        case Format::GeoJson:
            return {"GeoJSON", true, true, true};
        case Format::Dxf:
            return {"DXF", true, false, false};
        case Format::Kml:
            return {"KML", false, true, false};
        case Format::Shapefile:
            return {"ESRI Shapefile", false, false, true};
        case Format::Csv:
            return {"CSV", true, false, true};
        case Format::LandXml:
            break;
    }
    return {"", false, false, false};
}

OGRFieldType TypeOf(const FieldValue& v) {
    switch (v.index()) {
        case 2:
            return OFTReal;
        case 3:
            return OFTInteger;
        default:
            return OFTString;
    }
}

struct Item {
    const Record* record;
    const RecordLayer* source;
};

std::vector<Item> ItemsOf(const RecordLayer& layer) {
    std::vector<Item> out;
    out.reserve(layer.records.size());
    for (const auto& r : layer.records) out.push_back({&r, &layer});
    return out;
}

// Column keys of a record's fields: GIS formats compare field names without letter case, so
// "h" and "H" share a key, and a name repeated within one record gets a numbered key.
class FieldKeys {
  public:
    explicit FieldKeys(bool layer_field) {
        if (layer_field)
            m_seen["LAYER"] = 1;
    }
    std::pair<std::string, int> Next(const std::string& name) {
        std::string key = text::Upper(name);
        const int n = ++m_seen[key];
        if (n > 1)
            key += "#" + std::to_string(n);
        return {key, n};
    }

  private:
    std::unordered_map<std::string, int> m_seen;
};

struct Schema {
    std::vector<FieldDef> defs;
    std::unordered_map<std::string, size_t> column;  // key -> index in defs
};

// A column for each key; its type is that of its first value that is not null, text when all
// are null. A repeated name gets "_2", "_3" after it.
Schema SchemaOf(const std::vector<Item>& items, bool layer_field) {
    Schema schema;
    std::vector<bool> typed;
    if (layer_field) {
        schema.defs.push_back({"layer", OFTString});
        schema.column["LAYER"] = 0;
        typed.push_back(true);
    }
    for (const auto& item : items) {
        FieldKeys keys(layer_field);
        for (const auto& [name, value] : item.record->fields) {
            auto [key, n] = keys.Next(name);
            auto [it, added] = schema.column.emplace(key, schema.defs.size());
            if (added) {
                schema.defs.push_back(
                    {n > 1 ? name + "_" + std::to_string(n) : name, TypeOf(value)});
                typed.push_back(value.index() != 0);
            } else if (!typed[it->second] && value.index() != 0) {
                schema.defs[it->second].type = TypeOf(value);
                typed[it->second] = true;
            }
        }
    }
    return schema;
}

void SetField(OGRFeature& f, int index, const FieldValue& v) {
    if (const auto* s = std::get_if<std::string>(&v))
        f.SetField(index, s->c_str());
    else if (const auto* d = std::get_if<double>(&v))
        f.SetField(index, *d);
    else if (const auto* i = std::get_if<long long>(&v))
        f.SetField(index, static_cast<GIntBig>(*i));
    else
        f.SetFieldNull(index);
}

class Writer {
  public:
    Writer(GDALDataset& ds, const Plan& plan, const std::optional<CrsInfo>& crs, OgrResult& result)
        : m_ds(ds), m_plan(plan), m_crs(crs), m_result(result) {}

    bool Prepare() {
        if (!m_crs)
            return true;
        m_source.importFromEPSG(m_crs->epsg);
        m_source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        if (!m_plan.to_wgs84)
            return true;
        m_wgs84.importFromEPSG(4326);
        m_wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        m_ct.reset(OGRCreateCoordinateTransformation(&m_source, &m_wgs84));
        if (!m_ct)
            return Fail(
                res::Format(res::LoadString(9788), {m_crs->name, GdalSession::LastError()}));
        return true;
    }
    // The system the written coordinates are in, or null for local coordinates.
    OGRSpatialReference* Srs() { return !m_crs ? nullptr : m_plan.to_wgs84 ? &m_wgs84 : &m_source; }

    // A layer with the fields of its records and one feature each.
    bool Write(const std::string& name, OGRwkbGeometryType geometry, const std::vector<Item>& items,
               bool layer_field, char** options = nullptr) {
        OGRLayer* layer = m_ds.CreateLayer(name.c_str(), Srs(), geometry, options);
        if (layer == nullptr)
            return Fail(GdalSession::LastError());
        const Schema schema = SchemaOf(items, layer_field);
        const int base = layer->GetLayerDefn()->GetFieldCount();
        for (const auto& d : schema.defs) {
            OGRFieldDefn defn(d.name.c_str(), d.type);
            if (layer->CreateField(&defn, TRUE) != OGRERR_NONE)
                return Fail(GdalSession::LastError());
        }
        for (const auto& item : items) {
            std::unique_ptr<OGRGeometry> g;
            if (!GeometryOf(item, g))
                return false;
            if (!g && !m_plan.null_geometry_ok) {
                ++m_result.left_out;
                continue;
            }
            OGRFeature feature(layer->GetLayerDefn());
            if (layer_field)
                feature.SetField(base, item.source->name.c_str());
            FieldKeys keys(layer_field);
            for (const auto& [name, value] : item.record->fields)
                SetField(feature, base + static_cast<int>(schema.column.at(keys.Next(name).first)),
                         value);
            if (g)
                feature.SetGeometryDirectly(g.release());
            if (layer->CreateFeature(&feature) != OGRERR_NONE)
                return Fail(GdalSession::LastError());
            ++m_result.written;
        }
        return true;
    }

    // Null `g` when the record has no coordinates; false when the transformation refused them.
    bool GeometryOf(const Item& item, std::unique_ptr<OGRGeometry>& g) {
        const Record& r = *item.record;
        const GeometryKind kind = item.source->geometry;
        if (r.vertices.empty() || (kind == GeometryKind::LineString && r.vertices.size() < 2))
            return true;
        bool all_heights = true;
        for (const auto& v : r.vertices) all_heights = all_heights && v.height.has_value();
        auto line = std::make_unique<OGRLineString>();
        for (const auto& v : r.vertices) {
            double x = v.east, y = v.north;
            // Plan coordinates only: heights stay as surveyed whatever the datum shift does.
            if (m_ct && !m_ct->Transform(1, &x, &y))
                return Fail(
                    res::Format(res::LoadString(9788), {m_crs->name, GdalSession::LastError()}));
            if (kind == GeometryKind::Point) {
                g = all_heights ? std::make_unique<OGRPoint>(x, y, *v.height)
                                : std::make_unique<OGRPoint>(x, y);
                return true;
            }
            if (all_heights)
                line->addPoint(x, y, *v.height);
            else
                line->addPoint(x, y);
        }
        g = std::move(line);
        return true;
    }

    bool Fail(std::string reason) {
        m_result.error = std::move(reason);
        return false;
    }

  private:
    GDALDataset& m_ds;
    Plan m_plan;
    const std::optional<CrsInfo>& m_crs;
    OgrResult& m_result;
    OGRSpatialReference m_source, m_wgs84;
    std::unique_ptr<OGRCoordinateTransformation> m_ct;
};

OGRwkbGeometryType LayerGeometry(const std::vector<Item>& items, GeometryKind kind) {
    bool heights = false;
    for (const auto& i : items)
        for (const auto& v : i.record->vertices) heights = heights || v.height.has_value();
    OGRwkbGeometryType t = kind == GeometryKind::Point ? wkbPoint : wkbLineString;
    return heights ? wkbSetZ(t) : t;
}

// GeoPackage, Shapefile and KML: a layer (file set, folder) for each kind of feature.
bool WriteLayers(Writer& w, Format format, const std::vector<RecordLayer>& layers) {
    CPLStringList options;
    if (format == Format::Shapefile)
        options.SetNameValue("ENCODING", "UTF-8");
    for (const auto& layer : layers) {
        const std::vector<Item> items = ItemsOf(layer);
        if (!w.Write(layer.name, LayerGeometry(items, layer.geometry), items, false,
                     options.List()))
            return false;
    }
    return true;
}

// GeoJSON: one collection; the "layer" field tells the kinds apart.
bool WriteCollection(Writer& w, const std::vector<RecordLayer>& layers, bool with_crs) {
    std::vector<Item> items;
    for (const auto& layer : layers)
        for (const auto& i : ItemsOf(layer)) items.push_back(i);
    CPLStringList options;
    if (with_crs) {
        options.SetNameValue("RFC7946", "YES");
        options.SetNameValue("COORDINATE_PRECISION", "10");  // about 0.01 mm
    } else {
        options.SetNameValue("DESCRIPTION",
                             "Local survey coordinates in metres: x east, y north; no "
                             "coordinate reference system");
    }
    return w.Write(with_crs ? "survey" : "local_coordinates", wkbUnknown, items, true,
                   options.List());
}

// CSV: the points as survey coordinates, X north and Y east, as a surveyor reads them.
bool WriteCsv(Writer& w, const std::vector<RecordLayer>& layers) {
    std::vector<Record> rows;
    for (size_t k = 0; k < 2; ++k)
        for (const auto& r : layers[k].records) {
            Record row;
            const auto& v = r.vertices;
            row.fields = {{"name", *r.Find("name")},
                          {"code", *r.Find("code")},
                          {"X", v.empty() ? FieldValue() : FieldValue(v[0].north)},
                          {"Y", v.empty() ? FieldValue() : FieldValue(v[0].east)},
                          {"H", *r.Find("h")},
                          {"kind", k == 0 ? "control" : "survey"}};
            for (const auto& f : r.fields)
                if (f.first != "name" && f.first != "code" && f.first != "h")
                    row.fields.push_back(f);
            rows.push_back(std::move(row));
        }
    RecordLayer points{"points", GeometryKind::Point, std::move(rows)};
    for (auto& r : points.records) r.vertices.clear();  // coordinates are the X/Y/H fields
    return w.Write("points", wkbNone, ItemsOf(points), false);
}

}  // namespace

OgrResult WriteOgr(const SurveyFeatures& features, Format format, const std::optional<CrsInfo>& crs,
                   const std::filesystem::path& path) {
    OgrResult result;
    GdalSession gdal;
    const Plan plan = PlanOf(format);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(plan.driver);
    if (driver == nullptr) {
        result.error = res::Format(res::LoadString(9794), {plan.driver});
        return result;
    }
    CPLStringList options;
    if (format == Format::Kml)
        options.SetNameValue("NameField", "name");
    GDALDatasetUniquePtr ds(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, options.List()));
    if (!ds) {
        result.error = GdalSession::LastError();
        return result;
    }
    if (format == Format::GeoPackage) {
        if (!features.title.empty())
            ds->SetMetadataItem("TITLE", features.title.c_str());
        if (!features.protocol.empty())
            ds->SetMetadataItem("IMPORT_PROTOCOL", features.protocol.c_str());
    }
    Writer w(*ds, plan, crs, result);
    const std::vector<RecordLayer> layers = BuildLayers(features);
    bool ok = w.Prepare();
    if (ok) {
        switch (format) {
            case Format::GeoJson:
                ok = WriteCollection(w, layers, crs.has_value());
                break;
            case Format::Csv:
                ok = WriteCsv(w, layers);
                break;
            case Format::Dxf:
                ok = WriteDxfEntities(*ds, layers, result.written, result.left_out, result.error);
                break;
            default:
                ok = WriteLayers(w, format, layers);
                break;
        }
    }
    CPLErrorReset();
    ds.reset();  // closing writes what the driver still holds
    if (ok && CPLGetLastErrorType() >= CE_Failure) {
        result.error = GdalSession::LastError();
        ok = false;
    }
    result.ok = ok;
    return result;
}

}  // namespace outputs
