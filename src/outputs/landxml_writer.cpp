#include "outputs/landxml_writer.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <pugixml.hpp>
#include <sstream>
#include <unordered_set>

namespace outputs {
namespace {

const char* UnitName(AngleUnit unit) {
    switch (unit) {
        case AngleUnit::Gons:
            return "grads";
        case AngleUnit::Radians:
            return "radians";
        case AngleUnit::Dms:
            return "decimal dd.mm.ss";
        case AngleUnit::Degrees:
            break;
    }
    return "decimal degrees";
}

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string Coordinates(const Position& p) {
    std::string text = Fixed(p.north, 4) + " " + Fixed(p.east, 4);
    if (p.height)
        text += " " + Fixed(*p.height, 4);
    return text;
}

void Attr(pugi::xml_node node, const char* name, const std::string& value) {
    if (!value.empty())
        node.append_attribute(name).set_value(value.c_str());
}
void Attr(pugi::xml_node node, const char* name, const std::optional<double>& metres) {
    if (metres)
        Attr(node, name, Fixed(*metres, 4));
}

// The face of a reading as the instrument wrote it: I, 1 or L is face left (direct).
std::string DirectFace(const std::string& face) {
    if (face == "1" || face == "I" || face == "L")
        return "true";
    if (face == "2" || face == "II" || face == "R")
        return "false";
    return {};
}

class Document {
  public:
    Document(const SurveyFeatures& f, const std::optional<CrsInfo>& crs, AngleUnit unit)
        : m_f(f), m_crs(crs), m_unit(unit) {
        for (const auto& s : f.stations) m_station_names.insert(s.station->name);
    }

    std::string Text() {
        pugi::xml_node decl = m_doc.append_child(pugi::node_declaration);
        decl.append_attribute("version") = "1.0";
        decl.append_attribute("encoding") = "UTF-8";
        pugi::xml_node root = m_doc.append_child("LandXML");
        root.append_attribute("xmlns") = "http://www.landxml.org/schema/LandXML-1.2";
        root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
        root.append_attribute("xsi:schemaLocation") =
            "http://www.landxml.org/schema/LandXML-1.2 "
            "http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd";
        Stamp(root);
        root.append_attribute("version") = "1.2";
        Units(root);
        if (m_crs) {
            pugi::xml_node cs = root.append_child("CoordinateSystem");
            Attr(cs, "name", m_crs->name);
            Attr(cs, "epsgCode", std::to_string(m_crs->epsg));
            Attr(cs, "ogcWktCode", m_crs->wkt);
        }
        pugi::xml_node project = root.append_child("Project");
        Attr(project, "name", m_f.title.empty() ? std::string("survey") : m_f.title);
        pugi::xml_node app = root.append_child("Application");
        app.append_attribute("name") = "tavrin";
        app.append_attribute("manufacturer") = "Tavrin";
        app.append_attribute("version") = "0.1";
        CgPoints(root);
        Survey(root);
        PlanFeatures(root);
        std::ostringstream out;
        m_doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
        return out.str();
    }

  private:
    void Stamp(pugi::xml_node root) {
        std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        char date[16], time[16];
        std::strftime(date, sizeof date, "%Y-%m-%d", &tm);
        std::strftime(time, sizeof time, "%H:%M:%S", &tm);
        root.append_attribute("date") = date;
        root.append_attribute("time") = time;
    }

    void Units(pugi::xml_node root) {
        pugi::xml_node m = root.append_child("Units").append_child("Metric");
        m.append_attribute("areaUnit") = "squareMeter";
        m.append_attribute("linearUnit") = "meter";
        m.append_attribute("volumeUnit") = "cubicMeter";
        m.append_attribute("temperatureUnit") = "celsius";
        m.append_attribute("pressureUnit") = "HPA";
        m.append_attribute("angularUnit") = UnitName(m_unit);
        m.append_attribute("directionUnit") = UnitName(m_unit);
    }

    bool Listed(const std::string& name) const {
        const PointFeature* p = m_f.FindPoint(name);
        return p != nullptr && p->position.has_value();
    }

    // A point reference where the point is in CgPoints, else its coordinates where known.
    void PointRef(pugi::xml_node node, const std::string& name,
                  const std::optional<Position>& position) {
        if (Listed(name))
            Attr(node, "pntRef", name);
        else if (position)
            node.text().set(Coordinates(*position).c_str());
    }

    void CgPoints(pugi::xml_node root) {
        pugi::xml_node list = root.append_child("CgPoints");
        for (const auto& p : m_f.points) {
            if (!p.position)
                continue;
            pugi::xml_node cg = list.append_child("CgPoint");
            Attr(cg, "name", p.name);
            Attr(cg, "code", p.code);
            cg.append_attribute("state") = "existing";
            cg.append_attribute("role") = p.kind == PointKind::Control ? "control point"
                                          : p.computed                 ? "calculated"
                                                                       : "measured";
            const bool station = m_station_names.count(p.name) != 0;
            cg.append_attribute("pntSurv") = p.kind == PointKind::Control ? "control"
                                             : station                    ? "traverse"
                                                                          : "sideshot";
            cg.text().set(Coordinates(*p.position).c_str());
        }
    }

    void Survey(pugi::xml_node root) {
        pugi::xml_node survey = root.append_child("Survey");
        Attr(survey.append_child("SurveyHeader"), "name",
             m_f.title.empty() ? std::string("survey") : m_f.title);
        size_t n = 0;
        size_t ray = 0;
        for (const auto& st : m_f.stations) {
            const vrk::CStation& s = *st.station;
            pugi::xml_node setup = survey.append_child("InstrumentSetup");
            const std::string id = "setup" + std::to_string(++n);
            Attr(setup, "id", id);
            Attr(setup, "stationName", s.name);
            // Required by LandXML; 0 stands for a height the instrument did not give.
            Attr(setup, "instrumentHeight", Fixed(s.instrument_height.value_or(0), 4));
            PointRef(setup.append_child("InstrumentPoint"), s.name, st.position);
            if (!s.backsight.empty())
                Backsight(setup, s);
            // The rays of this station follow each other in the feature list.
            for (; ray < m_f.rays.size() && m_f.rays[ray].station == &s; ++ray)
                Observation(setup, *m_f.rays[ray].observation, m_f.rays[ray].to);
        }
    }

    void Backsight(pugi::xml_node setup, const vrk::CStation& s) {
        pugi::xml_node bs = setup.append_child("Backsight");
        if (s.backsight_azimuth)
            Attr(bs, "azimuth", AngleText(*s.backsight_azimuth, m_unit));
        double circle = 0;
        for (const auto& o : s.observations)
            if (o.target == s.backsight && o.hz) {
                circle = *o.hz;
                break;
            }
        Attr(bs, "circle", AngleText(circle, m_unit));
        const PointFeature* p = m_f.FindPoint(s.backsight);
        PointRef(bs.append_child("BacksightPoint"), s.backsight,
                 p ? p->position : std::optional<Position>());
    }

    void Observation(pugi::xml_node setup, const vrk::CObservation& o,
                     const std::optional<Position>& target) {
        pugi::xml_node raw = setup.append_child("RawObservation");
        Attr(raw, "purpose", o.orientation ? std::string("backsight") : std::string("normal"));
        Attr(raw, "targetHeight", o.target_height);
        if (o.hz)
            Attr(raw, "horizAngle", AngleText(*o.hz, m_unit));
        Attr(raw, "slopeDistance", o.sd);
        if (auto z = ZenithAngle(o))
            Attr(raw, "zenithAngle", AngleText(*z, m_unit));
        Attr(raw, "horizDistance", o.hd);
        Attr(raw, "vertDistance", o.dh);
        Attr(raw, "directFace", DirectFace(o.face));
        pugi::xml_node tp = raw.append_child("TargetPoint");
        Attr(tp, "name", o.target);
        Attr(tp, "code", o.code);
        PointRef(tp, o.target, target);
    }

    void PlanFeatures(pugi::xml_node root) {
        if (m_f.lines.empty())
            return;
        pugi::xml_node list = root.append_child("PlanFeatures");
        size_t n = 0;
        for (const auto& line : m_f.lines) {
            ++n;
            pugi::xml_node pf = list.append_child("PlanFeature");
            Attr(pf, "name", line.name.empty() ? "line" + std::to_string(n) : line.name);
            Attr(pf, "code", line.code);
            pugi::xml_node geom = pf.append_child("CoordGeom");
            const std::vector<std::string>& names = line.point_names;
            for (size_t i = 1; i < names.size(); ++i) {
                pugi::xml_node seg = geom.append_child("Line");
                End(seg.append_child("Start"), names[i - 1]);
                End(seg.append_child("End"), names[i]);
            }
        }
    }

    void End(pugi::xml_node node, const std::string& name) {
        const PointFeature* p = m_f.FindPoint(name);
        PointRef(node, name, p ? p->position : std::optional<Position>());
    }

    const SurveyFeatures& m_f;
    const std::optional<CrsInfo>& m_crs;
    AngleUnit m_unit;
    std::unordered_set<std::string> m_station_names;
    pugi::xml_document m_doc;
};

}  // namespace

std::string AngleText(double radians, AngleUnit unit) {
    switch (unit) {
        case AngleUnit::Gons:
            return Fixed(radians * 200.0 / M_PI, 6);
        case AngleUnit::Radians:
            return Fixed(radians, 8);
        case AngleUnit::Dms: {
            // Whole hundredths of a second first, so 59.999" never shows as 60".
            const double deg = radians * 180.0 / M_PI;
            const bool negative = deg < 0;
            long long hs = std::llround(std::fabs(deg) * 360000.0);
            const long long d = hs / 360000;
            hs %= 360000;
            const long long m = hs / 6000;
            hs %= 6000;
            char buf[48];
            std::snprintf(buf, sizeof buf, "%s%lld.%02lld%04lld", negative ? "-" : "", d, m, hs);
            return buf;
        }
        case AngleUnit::Degrees:
            break;
    }
    return Fixed(radians * 180.0 / M_PI, 6);
}

std::string LandXmlText(const SurveyFeatures& features, const std::optional<CrsInfo>& crs,
                        AngleUnit unit) {
    return Document(features, crs, unit).Text();
}

}  // namespace outputs
