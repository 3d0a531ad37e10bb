#include "outputs/feature_records.h"

#include <cmath>
#include <unordered_set>

#include "host/project_json.h"

namespace outputs {
namespace {

constexpr double kDegPerRad = 180.0 / M_PI;

FieldValue Num(const std::optional<double>& v, double scale = 1.0) {
    return v ? FieldValue(*v * scale) : FieldValue();
}
FieldValue Text(const std::string& s) {
    return s.empty() ? FieldValue() : FieldValue(s);
}

std::vector<Position> Vertices(const std::optional<Position>& p) {
    return p ? std::vector<Position>{*p} : std::vector<Position>{};
}

Record PointRecord(const PointFeature& p) {
    Record r{Vertices(p.position), {}};
    r.fields = {{"name", p.name},
                {"code", Text(p.code)},
                {"h", p.position ? Num(p.position->height) : FieldValue()},
                {"computed", static_cast<long long>(p.computed)}};
    for (const auto& a : p.attributes) r.fields.emplace_back(a.name, a.value);
    return r;
}

Record StationRecord(const StationFeature& st) {
    const vrk::CStation& s = *st.station;
    Record r{Vertices(st.position), {}};
    r.fields = {{"name", s.name},
                {"code", Text(s.code)},
                {"h", st.position ? Num(st.position->height) : FieldValue()},
                {"instrument_height", Num(s.instrument_height)},
                {"backsight", Text(s.backsight)},
                {"backsight_azimuth", Num(s.backsight_azimuth, kDegPerRad)},
                {"date", s.date ? FieldValue(vrk::project_json::IsoDate(*s.date)) : FieldValue()},
                {"observations", static_cast<long long>(s.observations.size())},
                {"computed", static_cast<long long>(s.computed)},
                {"orientation", Num(s.orientation, kDegPerRad)},
                {"orientation_source", Text(s.orientation_source)}};
    return r;
}

Record RayRecord(const RayFeature& ray) {
    const vrk::CObservation& o = *ray.observation;
    Record r;
    if (ray.from && ray.to)
        r.vertices = {*ray.from, *ray.to};
    r.fields = {{"station", ray.station->name},
                {"target", o.target},
                {"point", Text(o.point)},
                {"hz", Num(o.hz, kDegPerRad)},
                {"zenith", Num(ZenithAngle(o), kDegPerRad)},
                {"sd", Num(o.sd)},
                {"hd", Num(o.hd)},
                {"dh", Num(o.dh)},
                {"target_height", Num(o.target_height)},
                {"face", Text(o.face)},
                {"code", Text(o.code)},
                {"orientation", static_cast<long long>(o.orientation)}};
    return r;
}

Record LineRecord(const LineFeature& l) {
    Record r{l.vertices, {}};
    std::string names;
    for (const auto& n : l.point_names) names += (names.empty() ? "" : ",") + n;
    r.fields = {{"name", Text(l.name)}, {"code", Text(l.code)}, {"points", names}};
    for (const auto& a : l.attributes) r.fields.emplace_back(a.name, a.value);
    return r;
}

}  // namespace

const FieldValue* Record::Find(std::string_view name) const {
    for (const auto& [n, v] : fields)
        if (n == name)
            return &v;
    return nullptr;
}

std::vector<std::string> RecordLayer::FieldNames() const {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const auto& r : records)
        for (const auto& f : r.fields)
            if (seen.insert(f.first).second)
                names.push_back(f.first);
    return names;
}

std::vector<RecordLayer> BuildLayers(const SurveyFeatures& features) {
    std::vector<RecordLayer> layers{{"control_points", GeometryKind::Point, {}},
                                    {"survey_points", GeometryKind::Point, {}},
                                    {"stations", GeometryKind::Point, {}},
                                    {"observations", GeometryKind::LineString, {}},
                                    {"lines", GeometryKind::LineString, {}}};
    for (const auto& p : features.points)
        layers[p.kind == PointKind::Control ? 0 : 1].records.push_back(PointRecord(p));
    for (const auto& s : features.stations) layers[2].records.push_back(StationRecord(s));
    for (const auto& r : features.rays) layers[3].records.push_back(RayRecord(r));
    for (const auto& l : features.lines) layers[4].records.push_back(LineRecord(l));
    return layers;
}

}  // namespace outputs
