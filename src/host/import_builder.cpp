// Turns the accepted events of pass 2 into stations, observations and points.
#include <algorithm>
#include <cctype>
#include <iterator>

#include "host/import_build_state.h"
#include "import/contracts/vrk.h"
#include "resources/strings.h"
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
std::string_view WithoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool IsBaseClass(std::string_view c) {
    return c == "Base" || c == "B";
}

// The events whose value goes to the current station, target or point: all but the names and
// the values that hold for whatever follows.
bool BelongsToObject(EventID id) {
    constexpr EventID kForAll[] = {evDate,       evPressure, evTemperature,
                                   evInstrument, evPpm,      evOrientationStart};
    return !IsNameEvent(id) && IsKnownEvent(id) &&
           std::find(std::begin(kForAll), std::end(kForAll), id) == std::end(kForAll);
}

}  // namespace

void CImport::Build(EventID id, std::string_view raw_text, const PushValue& value) {
    const std::string_view text = WithoutLineEnd(raw_text);
    BuildState& st = state();
    CVrkObject::Data& data = m_pProject->data();
    const bool force_code = (m_info.flags & kFlagForceCode) != 0;

    auto name_of = [&](std::string_view raw) {
        std::string n = ToUtf8(raw);
        return (m_info.flags & kFlagDeleteZeros) ? StripZeros(std::move(n)) : n;
    };
    auto station = [&]() -> CStation& {
        if (st.station < 0) {
            // Observations before any station belong to an unnamed one.
            st.ReserveObservations(data.stations.emplace_back());
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
    // Coordinates on a measured target are what the instrument computed for it; on an
    // orientation target they are the known coordinates of the backsight.
    auto measured_target = [&]() {
        return st.mode == BuildState::Mode::Target && !observation().orientation;
    };
    // Records without a name are never merged into one point "": each is reported once.
    auto report_nameless = [&]() {
        if (st.nameless_record == m_record)
            return;
        st.nameless_record = m_record;
        ++m_pProject->tally.nameless_records;
        WriteToLog(res::LoadString(res::kNamelessRecordMessage).c_str(), 2);
    };
    auto point = [&]() -> CVrkPoint* {
        if (st.point_name.empty() || st.mode == BuildState::Mode::Nameless) {
            report_nameless();
            return nullptr;
        }
        bool fresh = m_pProject->FindPoint(st.point_name) == nullptr;
        CVrkPoint& p = Changing(m_pProject->PointByName(st.point_name));
        if (fresh) {
            if (p.code.empty())
                p.code = st.object_code;
            const short relief = m_info.GetDTM();
            p.relief = relief >= 0 && relief <= 2 ? static_cast<Relief>(relief) : Relief::Unset;
            if (measured_target())
                p.origin = PointOrigin::Recorded;
        }
        return &p;
    };
    auto start_object = [&](BuildState::Mode mode, const std::string& name) {
        st.mode = mode;
        st.point_name = name;
        st.start_code = force_code ? st.forced_code : std::string();
        st.object_code = st.start_code;
    };
    auto set_coord = [&](OptDouble CStation::*field,
                         OptDouble CObservation::*ofield,
                         zut::CLinear CVrkPoint::*pfield) {
        if (!value.number)
            return;
        if (st.mode == BuildState::Mode::Station)
            station().*field = value.number;
        if (st.mode == BuildState::Mode::Target)
            observation().*ofield = value.number;
        if (CVrkPoint* p = point()) {
            // The instrument's coordinates of a target never replace a known point's.
            const bool measured = measured_target();
            if (!measured)
                p->origin = PointOrigin::Given;
            if (!measured || p->origin == PointOrigin::Recorded)
                p->*pfield = *value.number;
        }
    };

    if (IsNameEvent(id) && text.find_first_not_of(" \t") == std::string_view::npos) {
        st.mode = BuildState::Mode::Nameless;
        st.point_name.clear();
        st.observation = -1;
        return;
    }
    if (st.mode == BuildState::Mode::Nameless && BelongsToObject(id)) {
        report_nameless();
        return;
    }

    switch (id) {
        case evStation: {
            CStation s;
            s.name = name_of(text);
            st.ReserveObservations(s);
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
            station().directions.push_back({ToUtf8(text), std::nullopt});
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
            observation().face.assign(text);
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
            set_coord(&CStation::x, &CObservation::recorded_x, &CVrkPoint::x);
            break;
        case evPointY:
            set_coord(&CStation::y, &CObservation::recorded_y, &CVrkPoint::y);
            break;
        case evPointH:
            set_coord(&CStation::h, &CObservation::recorded_h, &CVrkPoint::h);
            break;
        case evPlanClass:
        case evHeightClass: {
            CVrkPoint* p = point();
            if (!p)
                break;
            (id == evPlanClass ? p->plan_class : p->height_class).assign(text);
            if (IsBaseClass(text))
                p->control = true;
            break;
        }
        case evCode: {
            std::string code = ToUtf8(text);
            st.forced_code = code;
            st.object_code = code;  // a point made later by coordinates still gets it
            if (st.mode == BuildState::Mode::Station)
                station().code = code;
            else if (st.mode == BuildState::Mode::Target)
                observation().code = code;
            if (st.mode == BuildState::Mode::Point) {
                if (CVrkPoint* p = point())
                    p->code = code;
            } else if (CVrkPoint* p = m_pProject->FindPoint(st.point_name)) {
                Changing(*p).code = code;
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace vrk
