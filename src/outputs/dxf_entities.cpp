#include "outputs/dxf_entities.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <memory>

#include "outputs/feature_records.h"
#include "outputs/gdal_session.h"

namespace outputs {
namespace {

constexpr double kTextSize = 0.5;    // ground units, readable at 1:500
constexpr double kTextOffset = 0.3;  // from the point, so the text does not cover it

std::string TextOf(const FieldValue* v) {
    if (v == nullptr)
        return {};
    if (const auto* s = std::get_if<std::string>(v))
        return *s;
    if (const auto* d = std::get_if<double>(v)) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f", *d);
        return buf;
    }
    return {};
}

// An OGR style string holds the text in double quotes.
std::string Quoted(std::string text) {
    for (char& c : text)
        if (c == '"')
            c = '\'';
    return '"' + text + '"';
}

class Entities {
  public:
    Entities(OGRLayer& layer, size_t& written) : m_layer(layer), m_written(written) {}

    bool Add(const std::string& dxf_layer, std::unique_ptr<OGRGeometry> g,
             const std::string& style = {}) {
        OGRFeature f(m_layer.GetLayerDefn());
        f.SetField("Layer", dxf_layer.c_str());
        if (!style.empty())
            f.SetStyleString(style.c_str());
        f.SetGeometryDirectly(g.release());
        if (m_layer.CreateFeature(&f) != OGRERR_NONE)
            return false;
        ++m_written;
        return true;
    }

    // Text beside a point: `anchor` 7 is bottom left (above right of the point), 1 top left.
    bool Label(const std::string& dxf_layer, const Position& at, const std::string& text, double dx,
               double dy, int anchor) {
        if (text.empty())
            return true;
        char style[64];
        std::snprintf(style, sizeof style, ",s:%gg,dx:%gg,dy:%gg,p:%d)", kTextSize, dx, dy, anchor);
        return Add(dxf_layer, std::make_unique<OGRPoint>(at.east, at.north, at.height.value_or(0)),
                   "LABEL(f:\"Arial\",t:" + Quoted(text) + style);
    }

  private:
    OGRLayer& m_layer;
    size_t& m_written;
};

std::unique_ptr<OGRGeometry> Polyline(const std::vector<Position>& vertices) {
    auto line = std::make_unique<OGRLineString>();
    for (const auto& v : vertices) line->addPoint(v.east, v.north, v.height.value_or(0));
    return line;
}

}  // namespace

std::string DxfLayerName(const std::string& code, const char* fallback) {
    if (code.empty())
        return fallback;
    std::string name = code;
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>/\\\":;?*|=,`'").find(c) != std::string_view::npos)
            c = '_';
    return name;
}

bool WriteDxfEntities(GDALDataset& ds, const std::vector<RecordLayer>& layers, size_t& written,
                      size_t& left_out, std::string& error) {
    OGRLayer* layer = ds.CreateLayer("entities", nullptr, wkbUnknown, nullptr);
    if (layer == nullptr) {
        error = GdalSession::LastError();
        return false;
    }
    Entities out(*layer, written);
    // Stations are points of the project already; the points layers draw them.
    for (size_t k : {size_t{0}, size_t{1}})
        for (const auto& r : layers[k].records) {
            if (r.vertices.empty()) {
                ++left_out;
                continue;
            }
            const std::string code = TextOf(r.Find("code"));
            const std::string dxf_layer = DxfLayerName(code, k == 0 ? "CONTROL" : "POINTS");
            const Position& p = r.vertices.front();
            if (!out.Add(dxf_layer,
                         std::make_unique<OGRPoint>(p.east, p.north, p.height.value_or(0))) ||
                !out.Label(dxf_layer, p, TextOf(r.Find("name")), kTextOffset, kTextOffset, 7) ||
                !out.Label(dxf_layer, p, TextOf(r.Find("h")), kTextOffset, -kTextOffset, 1) ||
                !out.Label(dxf_layer, p, code, -kTextOffset, -kTextOffset, 3)) {
                error = GdalSession::LastError();
                return false;
            }
        }
    for (size_t k : {size_t{3}, size_t{4}})
        for (const auto& r : layers[k].records) {
            if (r.vertices.size() < 2) {
                ++left_out;
                continue;
            }
            const std::string dxf_layer = k == 3 ? std::string("OBSERVATIONS")
                                                 : DxfLayerName(TextOf(r.Find("code")), "LINES");
            if (!out.Add(dxf_layer, Polyline(r.vertices))) {
                error = GdalSession::LastError();
                return false;
            }
        }
    return true;
}

}  // namespace outputs
