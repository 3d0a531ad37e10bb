// The project as a JSON document: lengths in metres, angles in decimal degrees, dates ISO 8601.
#include <cmath>
#include <ctime>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "import/contracts/vrk.h"
#include "platform/atomic_write.h"

namespace vrk {
namespace {

using json = nlohmann::ordered_json;

constexpr double kDegPerRad = 180.0 / M_PI;

// Angles are written in degrees rounded to 1e-10, so that reading and writing again gives the
// same text (the radians in between would otherwise drift by a bit now and then).
json Num(const std::optional<double>& v, double scale = 1.0) {
    if (!v)
        return json(nullptr);
    return scale == 1.0 ? json(*v) : json(std::round(*v * scale * 1e10) / 1e10);
}
json Num(const zut::CValue& v) {
    return v.valid() ? json(static_cast<double>(v)) : json(nullptr);
}
json Text(const std::string& s) {
    return s.empty() ? json(nullptr) : json(s);
}

std::string IsoDate(int64_t t) {
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
    return buf;
}

std::optional<int64_t> ParseIso(const std::string& s) {
    std::tm tm{};
    if (sscanf(s.c_str(), "%d-%d-%dT%d:%d:%d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday, &tm.tm_hour,
               &tm.tm_min, &tm.tm_sec) < 3)
        return std::nullopt;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<int64_t>(t);
}

std::optional<double> GetNum(const json& j, const char* key, double scale = 1.0) {
    auto it = j.find(key);
    if (it == j.end() || !it->is_number())
        return std::nullopt;
    return scale == 1.0 ? it->get<double>() : it->get<double>() / scale;
}
std::string GetText(const json& j, const char* key) {
    auto it = j.find(key);
    return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}
void SetValue(zut::CValue& v, const std::optional<double>& d) {
    if (d)
        v = *d;
    else
        v.Invalidate();
}

constexpr const char* kOrigins[] = {"given", "recorded", "computed"};
constexpr const char* kReliefs[] = {"relief", "situation", "non_relief"};

json CodeItemsJson(const std::vector<CCodeItem>& items) {
    json out = json::array();
    for (const auto& it : items) {
        json attrs = json::array();
        for (const auto& a : it.attributes) attrs.push_back({{"name", a.name}, {"value", a.value}});
        out.push_back({{"code", it.code},
                       {"line", Text(it.line)},
                       {"name", Text(it.name)},
                       {"attributes", std::move(attrs)}});
    }
    return out;
}

std::vector<CCodeItem> CodeItemsFrom(const json& j) {
    std::vector<CCodeItem> out;
    if (!j.is_array())
        return out;
    for (const auto& it : j) {
        if (!it.is_object())
            continue;
        CCodeItem c{GetText(it, "code"), GetText(it, "line"), {}, GetText(it, "name")};
        if (auto a = it.find("attributes"); a != it.end() && a->is_array())
            for (const auto& at : *a)
                if (at.is_object())
                    c.attributes.push_back({GetText(at, "name"), GetText(at, "value")});
        out.push_back(std::move(c));
    }
    return out;
}

json PointJson(const CVrkPoint& p) {
    return {{"name", p.name},
            {"x", Num(p.x)},
            {"y", Num(p.y)},
            {"h", Num(p.h)},
            {"code", Text(p.code)},
            {"plan_class", Text(p.plan_class)},
            {"height_class", Text(p.height_class)},
            {"selected", p.selected},
            {"origin", kOrigins[static_cast<int>(p.origin)]},
            {"relief", p.relief == Relief::Unset ? json(nullptr)
                                                 : json(kReliefs[static_cast<int>(p.relief)])},
            {"code_items", CodeItemsJson(p.code_items)}};
}

json ObservationJson(const CObservation& o) {
    return {{"target", o.target},
            {"target_height", Num(o.target_height)},
            {"face", Text(o.face)},
            {"hz", Num(o.hz, kDegPerRad)},
            {"v", Num(o.v, kDegPerRad)},
            {"v_kind", Text(o.v_kind)},
            {"sd", Num(o.sd)},
            {"hd", Num(o.hd)},
            {"dh", Num(o.dh)},
            {"dh_aux", Num(o.dh_aux)},
            {"code", Text(o.code)},
            {"orientation", o.orientation},
            {"temperature", Num(o.temperature)},
            {"pressure", Num(o.pressure)},
            {"ppm", Num(o.ppm)},
            {"recorded_x", Num(o.recorded_x)},
            {"recorded_y", Num(o.recorded_y)},
            {"recorded_h", Num(o.recorded_h)},
            {"point", Text(o.point)},
            {"residual_x", Num(o.residual_x)},
            {"residual_y", Num(o.residual_y)},
            {"residual_h", Num(o.residual_h)}};
}

json StationJson(const CStation& s) {
    json dirs = json::array();
    for (const auto& d : s.directions)
        dirs.push_back({{"name", d.name}, {"angle", Num(d.angle, kDegPerRad)}});
    json obs = json::array();
    for (const auto& o : s.observations) obs.push_back(ObservationJson(o));
    return {{"name", s.name},
            {"x", Num(s.x)},
            {"y", Num(s.y)},
            {"h", Num(s.h)},
            {"instrument_height", Num(s.instrument_height)},
            {"code", Text(s.code)},
            {"date", s.date ? json(IsoDate(*s.date)) : json(nullptr)},
            {"backsight", Text(s.backsight)},
            {"backsight_azimuth", Num(s.backsight_azimuth, kDegPerRad)},
            {"directions", dirs},
            {"computed", s.computed},
            {"orientation", Num(s.orientation, kDegPerRad)},
            {"orientation_spread", Num(s.orientation_spread, kDegPerRad)},
            {"orientation_source", Text(s.orientation_source)},
            {"collimation_error", Num(s.collimation_error, kDegPerRad)},
            {"index_error", Num(s.index_error, kDegPerRad)},
            {"observations", obs}};
}

CVrkPoint PointFrom(const json& j, bool control) {
    CVrkPoint p;
    p.name = GetText(j, "name");
    SetValue(p.x, GetNum(j, "x"));
    SetValue(p.y, GetNum(j, "y"));
    SetValue(p.h, GetNum(j, "h"));
    p.code = GetText(j, "code");
    p.plan_class = GetText(j, "plan_class");
    p.height_class = GetText(j, "height_class");
    auto it = j.find("selected");
    p.selected = it != j.end() && it->is_boolean() && it->get<bool>();
    p.control = control;
    const std::string origin = GetText(j, "origin");
    for (int i = 0; i < 3; ++i)
        if (origin == kOrigins[i])
            p.origin = static_cast<PointOrigin>(i);
    const std::string relief = GetText(j, "relief");
    for (int i = 0; i < 3; ++i)
        if (relief == kReliefs[i])
            p.relief = static_cast<Relief>(i);
    if (auto ci = j.find("code_items"); ci != j.end())
        p.code_items = CodeItemsFrom(*ci);
    return p;
}

CObservation ObservationFrom(const json& j) {
    CObservation o;
    o.target = GetText(j, "target");
    o.target_height = GetNum(j, "target_height");
    o.face = GetText(j, "face");
    o.hz = GetNum(j, "hz", kDegPerRad);
    o.v = GetNum(j, "v", kDegPerRad);
    o.v_kind = GetText(j, "v_kind");
    o.sd = GetNum(j, "sd");
    o.hd = GetNum(j, "hd");
    o.dh = GetNum(j, "dh");
    o.dh_aux = GetNum(j, "dh_aux");
    o.code = GetText(j, "code");
    auto it = j.find("orientation");
    o.orientation = it != j.end() && it->is_boolean() && it->get<bool>();
    o.temperature = GetNum(j, "temperature");
    o.pressure = GetNum(j, "pressure");
    o.ppm = GetNum(j, "ppm");
    o.recorded_x = GetNum(j, "recorded_x");
    o.recorded_y = GetNum(j, "recorded_y");
    o.recorded_h = GetNum(j, "recorded_h");
    o.point = GetText(j, "point");
    o.residual_x = GetNum(j, "residual_x");
    o.residual_y = GetNum(j, "residual_y");
    o.residual_h = GetNum(j, "residual_h");
    return o;
}

CStation StationFrom(const json& j) {
    CStation s;
    s.name = GetText(j, "name");
    s.x = GetNum(j, "x");
    s.y = GetNum(j, "y");
    s.h = GetNum(j, "h");
    s.instrument_height = GetNum(j, "instrument_height");
    s.code = GetText(j, "code");
    if (std::string d = GetText(j, "date"); !d.empty())
        s.date = ParseIso(d);
    s.backsight = GetText(j, "backsight");
    s.backsight_azimuth = GetNum(j, "backsight_azimuth", kDegPerRad);
    if (auto it = j.find("directions"); it != j.end() && it->is_array())
        for (const auto& d : *it)
            if (d.is_object())
                s.directions.push_back({GetText(d, "name"), GetNum(d, "angle", kDegPerRad)});
    if (auto it = j.find("observations"); it != j.end() && it->is_array())
        for (const auto& o : *it)
            if (o.is_object())
                s.observations.push_back(ObservationFrom(o));
    auto c = j.find("computed");
    s.computed = c != j.end() && c->is_boolean() && c->get<bool>();
    s.orientation = GetNum(j, "orientation", kDegPerRad);
    s.orientation_spread = GetNum(j, "orientation_spread", kDegPerRad);
    s.orientation_source = GetText(j, "orientation_source");
    s.collimation_error = GetNum(j, "collimation_error", kDegPerRad);
    s.index_error = GetNum(j, "index_error", kDegPerRad);
    return s;
}

}  // namespace

std::string CVrkObject::ToJson() const {
    json doc;
    doc["title"] = title;
    json cp = json::array(), sp = json::array();
    for (const auto& p : m_data.points) (p.control ? cp : sp).push_back(PointJson(p));
    doc["control_points"] = std::move(cp);
    doc["survey_points"] = std::move(sp);
    json st = json::array();
    for (const auto& s : m_data.stations) st.push_back(StationJson(s));
    doc["stations"] = std::move(st);
    json attrs = json::object();
    for (const auto& [id, v] : m_attrs) attrs[std::to_string(id)] = v;
    doc["attributes"] = std::move(attrs);
    if (m_classificator) {
        json cs = json::array();
        for (const auto& slot : m_classificator->slots) {
            if (!slot.in_use) {
                cs.push_back(nullptr);
                continue;
            }
            json codes = json::array();
            for (const auto& c : slot.codes)
                codes.push_back({{"code", c.code},
                                 {"name", c.name},
                                 {"kind", c.kind == CCodeEntry::Kind::Line ? "line" : "point"}});
            cs.push_back({{"name", slot.name}, {"codes", std::move(codes)}});
        }
        doc["code_systems"] = std::move(cs);
    }
    json lines = json::array();
    for (const auto& l : m_data.lines)
        lines.push_back({{"code", l.code}, {"id", l.id}, {"points", l.points}});
    doc["lines"] = std::move(lines);
    const ProcessingSettings& ps = processing;
    doc["processing"] = {{"flags", ps.flags},
                         {"separators", std::string(ps.separators, 4)},
                         {"code_system", ps.code_system},
                         {"relief", ps.relief},
                         {"tolerance", ps.tolerance},
                         {"face_tolerance", Num(ps.face_tolerance, kDegPerRad * 3600)},
                         {"curvature", ps.curvature},
                         {"refraction", ps.refraction}};
    return doc.dump(2) + "\n";
}

bool CVrkObject::FromJson(const std::string& text, std::string& error) {
    json doc = json::parse(text, nullptr, false);
    if (doc.is_discarded() || !doc.is_object()) {
        error = "not a project document (invalid JSON)";
        return false;
    }
    Data data;
    for (const char* key : {"control_points", "survey_points"}) {
        auto it = doc.find(key);
        if (it == doc.end())
            continue;
        if (!it->is_array()) {
            error = std::string("\"") + key + "\" is not a list";
            return false;
        }
        for (const auto& p : *it)
            if (p.is_object())
                data.points.push_back(PointFrom(p, key[0] == 'c'));
    }
    if (auto it = doc.find("stations"); it != doc.end() && it->is_array())
        for (const auto& s : *it)
            if (s.is_object())
                data.stations.push_back(StationFrom(s));
    title = GetText(doc, "title");
    m_attrs.clear();
    if (auto it = doc.find("attributes"); it != doc.end() && it->is_object())
        for (const auto& [k, v] : it->items())
            if (v.is_number_integer())
                m_attrs[std::atoi(k.c_str())] = v.get<int>();
    m_classificator.reset();
    if (auto it = doc.find("code_systems"); it != doc.end() && it->is_array()) {
        CClassificator c;
        size_t i = 0;
        for (const auto& v : *it) {
            if (i >= c.slots.size())
                break;
            if (v.is_string())
                c.slots[i] = {true, v.get<std::string>(), {}};
            if (v.is_object()) {
                c.slots[i] = {true, GetText(v, "name"), {}};
                if (auto codes = v.find("codes"); codes != v.end() && codes->is_array())
                    for (const auto& e : *codes)
                        if (e.is_object())
                            c.slots[i].codes.push_back({GetText(e, "code"), GetText(e, "name"),
                                                        GetText(e, "kind") == "line"
                                                            ? CCodeEntry::Kind::Line
                                                            : CCodeEntry::Kind::Point});
            }
            ++i;
        }
        m_classificator = c;
    }
    if (auto it = doc.find("lines"); it != doc.end() && it->is_array())
        for (const auto& l : *it) {
            if (!l.is_object())
                continue;
            CLine line{GetText(l, "code"), GetText(l, "id"), {}};
            if (auto pts = l.find("points"); pts != l.end() && pts->is_array())
                for (const auto& n : *pts)
                    if (n.is_string())
                        line.points.push_back(n.get<std::string>());
            data.lines.push_back(std::move(line));
        }
    processing = ProcessingSettings{};
    if (auto it = doc.find("processing"); it != doc.end() && it->is_object()) {
        ProcessingSettings& ps = processing;
        if (auto f = GetNum(*it, "flags"); f && *f >= 0 && *f <= 0xFFFF)
            ps.flags = static_cast<uint16_t>(*f);
        if (std::string sep = GetText(*it, "separators"); sep.size() == 4)
            std::copy(sep.begin(), sep.end(), ps.separators);
        if (auto v = GetNum(*it, "code_system"); v && *v >= -1 && *v < CClassificator::kSlots)
            ps.code_system = static_cast<short>(*v);
        if (auto v = GetNum(*it, "relief"); v && *v >= 0 && *v <= 2)
            ps.relief = static_cast<short>(*v);
        if (auto v = GetNum(*it, "tolerance"); v && *v > 0)
            ps.tolerance = *v;
        if (auto v = GetNum(*it, "face_tolerance"); v && *v > 0)
            ps.face_tolerance = *v / 3600 / kDegPerRad;
        if (auto v = it->find("curvature"); v != it->end() && v->is_boolean())
            ps.curvature = v->get<bool>();
        if (auto v = GetNum(*it, "refraction"); v && *v > -1 && *v < 1)
            ps.refraction = *v;
    }
    m_data = std::move(data);
    RebuildIndex();
    return true;
}

bool CVrkObject::SaveJson(const std::string& path, std::string& error) const {
    return platform::AtomicWrite(path, ToJson(), error);
}

bool CVrkObject::LoadJson(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (!FromJson(ss.str(), error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace vrk
