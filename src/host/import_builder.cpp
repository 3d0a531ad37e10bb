// Turns the accepted events of pass 2 into stations, observations and points.
#include <cctype>

#include "host/import_build_state.h"
#include "import/contracts/vrk.h"
#include "text/code_page.h"

namespace vrk {
namespace {

// "CheckDel": numeric names lose their leading zeros ("0012" is point 12).
std::string StripZeros(std::string name) {
    if (name.empty())
        return name;
    for (char c : name)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return name;
    size_t first = name.find_first_not_of('0');
    return first == std::string::npos ? "0" : name.substr(first);
}

// Some formats hand over values with the line end still on them; texts go in without it.
std::string WithoutLineEnd(const std::string& text) {
    size_t n = text.size();
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r')) --n;
    return text.substr(0, n);
}

bool IsBaseClass(const std::string& c) {
    return c == "Base" || c == "B";
}

}  // namespace

void CImport::Build(EventID id, const std::string& raw_text, const PushValue& value) {
    const std::string text = WithoutLineEnd(raw_text);
    BuildState& st = state();
    CVrkObject::Data& data = m_pProject->data();
    const bool force_code = (m_info.flags & kFlagForceCode) != 0;

    auto name_of = [&](const std::string& raw) {
        std::string n = text::ToUtf8(raw);
        return (m_info.flags & kFlagDeleteZeros) ? StripZeros(std::move(n)) : n;
    };
    auto station = [&]() -> CStation& {
        if (st.station < 0) {
            // Observations before any station belong to an unnamed one.
            data.stations.emplace_back();
            st.station = static_cast<long>(data.stations.size()) - 1;
        }
        return data.stations[st.station];
    };
    auto observation = [&]() -> CObservation& {
        CStation& s = station();
        if (st.observation < 0 || st.observation >= static_cast<long>(s.observations.size())) {
            s.observations.emplace_back();
            st.observation = static_cast<long>(s.observations.size()) - 1;
            CObservation& o = s.observations.back();
            o.v_kind = st.v_kind;
            o.temperature = st.temperature;
            o.pressure = st.pressure;
            o.ppm = st.ppm;
            o.target_height = st.held_target_height;
        }
        return s.observations[st.observation];
    };
    auto point = [&]() -> CVrkPoint& {
        bool fresh = m_pProject->FindPoint(st.point_name) == nullptr;
        CVrkPoint& p = m_pProject->PointByName(st.point_name);
        if (fresh && p.code.empty())
            p.code = st.start_code;
        return p;
    };
    auto start_object = [&](BuildState::Mode mode, const std::string& name) {
        st.mode = mode;
        st.point_name = name;
        st.start_code = force_code ? st.forced_code : std::string();
    };
    auto set_coord = [&](std::optional<double> CStation::*field, zut::CLinear CVrkPoint::*pfield) {
        if (!value.number)
            return;
        if (st.mode == BuildState::Mode::Station)
            station().*field = value.number;
        point().*pfield = *value.number;
    };

    switch (id) {
        case evStation: {
            CStation s;
            s.name = name_of(text);
            data.stations.push_back(std::move(s));
            st.station = static_cast<long>(data.stations.size()) - 1;
            st.observation = -1;
            st.pending_orientation = false;
            st.held_target_height.reset();
            data.stations.back().date = st.date;
            st.station_dated = false;
            start_object(BuildState::Mode::Station, data.stations.back().name);
            data.stations.back().code = st.start_code;
            break;
        }
        case evInstrumentHeight:
            station().instrument_height = value.number;
            break;
        case evDate:
            // Some formats give the date before the station it belongs to.
            st.date = value.time;
            if (st.mode == BuildState::Mode::Station && !st.station_dated) {
                station().date = value.time;
                st.station_dated = true;
            }
            break;
        case evBacksight:
            station().backsight = name_of(text);
            break;
        case evBacksightAzimuth:
            station().backsight_azimuth = value.number;
            break;
        case evDirectionName:
            station().directions.push_back({text::ToUtf8(text), std::nullopt});
            break;
        case evDirectionAngle: {
            CStation& s = station();
            if (s.directions.empty())
                s.directions.emplace_back();
            s.directions.back().angle = value.number;
            break;
        }
        case evPressure:
            st.pressure = value.number;
            break;
        case evTemperature:
            st.temperature = value.number;
            break;
        case evPpm:
            st.ppm = value.number;
            break;
        case evInstrument:
            // It qualifies the vertical angle that follows, also the current target's.
            st.v_kind = text.substr(0, 1);
            if (st.mode == BuildState::Mode::Target && st.observation >= 0)
                observation().v_kind = st.v_kind;
            break;
        case evOrientationStart:
            st.pending_orientation = true;
            break;
        case evTarget: {
            CStation& s = station();
            st.observation = -1;
            CObservation& o = observation();
            o.target = name_of(text);
            o.orientation = st.pending_orientation;
            st.pending_orientation = false;
            start_object(BuildState::Mode::Target, o.target);
            o.code = st.start_code;
            (void)s;
            break;
        }
        case evTargetHeight:
            if (st.mode == BuildState::Mode::Station && st.observation < 0)
                st.held_target_height = value.number;
            else
                observation().target_height = value.number;
            break;
        case evCircleFace:
            observation().face = text;
            break;
        case evHorAngle:
            observation().hz = value.number;
            break;
        case evVertAngle:
            observation().v = value.number;
            break;
        case evSlopeDist:
            observation().sd = value.number;
            break;
        case evHorDist:
            observation().hd = value.number;
            break;
        case evHeightDiff:
            observation().dh = value.number;
            break;
        case evHeightDiffAux:
            observation().dh_aux = value.number;
            break;
        case evPointName:
            start_object(BuildState::Mode::Point, name_of(text));
            break;
        case evPointX:
            set_coord(&CStation::x, &CVrkPoint::x);
            break;
        case evPointY:
            set_coord(&CStation::y, &CVrkPoint::y);
            break;
        case evPointH:
            set_coord(&CStation::h, &CVrkPoint::h);
            break;
        case evPlanClass:
        case evHeightClass: {
            CVrkPoint& p = point();
            (id == evPlanClass ? p.plan_class : p.height_class) = text;
            if (IsBaseClass(text))
                p.control = true;
            break;
        }
        case evCode: {
            std::string code = text::ToUtf8(text);
            st.forced_code = code;
            if (st.mode == BuildState::Mode::Station) {
                station().code = code;
                if (CVrkPoint* p = m_pProject->FindPoint(st.point_name))
                    p->code = code;
            } else if (st.mode == BuildState::Mode::Target) {
                observation().code = code;
                if (CVrkPoint* p = m_pProject->FindPoint(st.point_name))
                    p->code = code;
            } else {
                point().code = code;
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace vrk
