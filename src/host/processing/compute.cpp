// The processing stage: stations placed and oriented in any file order, their targets computed.
#include <algorithm>
#include <cmath>
#include <deque>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "host/processing/angles.h"
#include "host/processing/code_lookup.h"
#include "host/processing/codes.h"
#include "host/processing/free_station.h"
#include "host/processing/measurements.h"
#include "host/processing/polar.h"
#include "host/processing/processing.h"
#include "host/processing/protocol_text.h"
#include "resources/strings.h"
#include "text/string_keys.h"

namespace processing {
namespace {

using vrk::CStation;
using vrk::CVrkPoint;
using vrk::PointOrigin;

// One computed position of a target name.
struct Determination {
    uint32_t station = 0, measurement = 0;  // a project has far fewer than 2^32 of either
    Position at;
};

class Processor {
  public:
    explicit Processor(vrk::CVrkObject& project)
        : m_project(project), m_data(project.data()), m_s(project.processing) {}

    Summary Run() {
        Reset();
        CollectKnown();
        MeasureStations();
        Chain();
        WritePoints();
        DropStalePoints();
        if (!m_unoriented.empty())
            Note(9721, {m_unoriented}, 1);
        Codes();
        m_summary.lines = static_cast<int>(m_data.lines.size());
        return m_summary;
    }

  private:
    bool Flag(uint16_t f) const { return (m_s.flags & f) != 0; }
    double Reject() const { return 3 * m_s.tolerance; }

    void Note(unsigned id, std::initializer_list<std::string_view> args, int level) {
        m_project.ImportLog().Write(res::Format(res::LoadString(id), args), 0, level);
    }

    static std::string Label(const CStation& s) { return s.name.empty() ? "-" : s.name; }

    // Everything that an earlier run added is taken back, so that a run starts from the
    // measurements alone.
    void Reset() {
        for (CStation& s : m_data.stations) {
            if (s.computed)
                s.x.reset(), s.y.reset(), s.h.reset();
            s.computed = false;
            s.orientation.reset();
            s.orientation_spread.reset();
            s.orientation_source.clear();
            s.collimation_error.reset();
            s.index_error.reset();
            for (auto& o : s.observations) {
                o.point.clear();
                o.residual_x.reset(), o.residual_y.reset(), o.residual_h.reset();
            }
        }
        m_data.lines.clear();
        for (const CVrkPoint& p : m_data.points)
            if (p.computed())
                m_stale.insert(p.name);
    }

    void CollectKnown() {
        for (const CVrkPoint& p : m_data.points)
            if (p.origin == PointOrigin::Given && p.x.valid() && p.y.valid())
                m_known.emplace(
                    p.name,
                    Position{p.x, p.y, p.h.valid() ? std::optional<double>(p.h) : std::nullopt});
        for (const CStation& s : m_data.stations) {
            if (!s.name.empty())
                m_station_names.insert(s.name);
            if (!s.name.empty() && s.x && s.y)
                m_known.emplace(s.name, Position{*s.x, *s.y, s.h});
        }
    }

    void MeasureStations() {
        const bool faces = Flag(vrk::kFlagAuto);
        m_measurements.resize(m_data.stations.size());
        for (size_t i = 0; i < m_data.stations.size(); ++i) {
            CStation& s = m_data.stations[i];
            FaceReport report;
            m_measurements[i] = StationMeasurements(s, faces, m_s.face_tolerance, report);
            s.collimation_error = report.collimation;
            s.index_error = report.index;
            if (report.collimation)
                Note(9728, {Label(s), Dms(*report.collimation), Dms(*report.index)}, 0);
            for (const auto& t : report.disagreeing)
                Note(9729, {Label(s), t, Dms(m_s.face_tolerance)}, 1);
            for (const Measurement& m : m_measurements[i]) {
                m_waiting[std::string(m.target)].push_back(i);
            }
            m_waiting[s.name].push_back(i);
        }
    }

    bool IsReference(const CStation& s, const Measurement& m) const {
        return !m.target.empty() && m.target != s.name && m.hz && m_known.count(m.target);
    }

    // Stations are solved as soon as what they need is known; a station that has a position
    // but nothing to orient it on waits until nothing else moves, then takes Hz as bearings.
    void Chain() {
        std::deque<size_t> queue;
        for (size_t i = 0; i < m_data.stations.size(); ++i) queue.push_back(i);
        m_done.assign(m_data.stations.size(), false);
        std::vector<bool> queued(m_data.stations.size(), true);
        m_queue = &queue;
        m_queued = &queued;
        for (;;) {
            while (!queue.empty()) {
                const size_t i = queue.front();
                queue.pop_front();
                queued[i] = false;
                if (!m_done[i] && Solve(i, false))
                    Process(i);
            }
            auto it = std::find_if(m_waiting_hz.begin(), m_waiting_hz.end(),
                                   [&](size_t i) { return !m_done[i]; });
            if (it == m_waiting_hz.end())
                break;
            const size_t i = *it;
            m_waiting_hz.erase(m_waiting_hz.begin(), std::next(it));
            if (Solve(i, true))
                Process(i);
        }
        for (size_t i = 0; i < m_data.stations.size(); ++i)
            if (!m_done[i] && !m_measurements[i].empty() && !PlaceOf(i))
                Note(9726, {Label(m_data.stations[i])}, 1);
        m_queue = nullptr;
        m_queued = nullptr;
    }

    std::optional<Position> PlaceOf(size_t i) const {
        const CStation& s = m_data.stations[i];
        if (s.x && s.y)
            return Position{*s.x, *s.y, s.h};
        if (auto it = m_known.find(s.name); !s.name.empty() && it != m_known.end())
            return it->second;
        return std::nullopt;
    }

    void MakeKnown(std::string_view name, const Position& at) {
        if (name.empty() || !m_known.emplace(std::string(name), at).second)
            return;
        if (auto it = m_waiting.find(name); it != m_waiting.end())
            for (size_t j : it->second)
                if (!m_done[j] && !(*m_queued)[j]) {
                    (*m_queued)[j] = true;
                    m_queue->push_back(j);
                }
    }

    bool Solve(size_t i, bool hz_as_bearings) {
        CStation& s = m_data.stations[i];
        // A set-up without measurements has nothing to orient.
        if (m_measurements[i].empty()) {
            m_done[i] = true;
            return false;
        }
        std::optional<Position> at = PlaceOf(i);
        if (!at)
            return SolveFree(i);
        if (!s.x) {
            s.x = at->x, s.y = at->y, s.h = at->h;
            s.computed = true;
        } else if (!s.h && at->h) {
            s.h = at->h;
        }
        std::vector<double> omegas;
        std::string on;
        for (const Measurement& m : m_measurements[i]) {
            if (!IsReference(s, m))
                continue;
            const Position& k = m_known.find(m.target)->second;
            const double dist = std::hypot(k.x - at->x, k.y - at->y);
            if (std::optional<Reduced> r = Reduce(m, m_s);
                r && std::fabs(std::fabs(r->hd) - dist) > Reject()) {
                Note(9723, {Label(s), m.target, Metres(std::fabs(r->hd)), Metres(dist)}, 1);
                continue;
            }
            if (dist < 1e-6)
                continue;
            omegas.push_back(Wrap2Pi(Bearing(at->x, at->y, k.x, k.y) - *m.hz));
        }
        for (const vrk::CDirection& d : s.directions) {
            const auto slash = d.name.rfind('\\');
            const std::string target =
                slash == std::string::npos ? d.name : d.name.substr(slash + 1);
            auto it = m_known.find(target);
            if (!d.angle || target == s.name || it == m_known.end())
                continue;
            if (std::hypot(it->second.x - at->x, it->second.y - at->y) >= 1e-6)
                omegas.push_back(
                    Wrap2Pi(Bearing(at->x, at->y, it->second.x, it->second.y) - *d.angle));
        }
        if (!omegas.empty()) {
            s.orientation = CircularMean(omegas);
            s.orientation_spread = CircularSpread(omegas, *s.orientation);
            s.orientation_source = "backsight";
            Note(9720,
                 {Label(s), std::to_string(omegas.size()), Dms(*s.orientation),
                  Dms(*s.orientation_spread)},
                 0);
        } else if (s.backsight_azimuth) {
            // The circle reading on the backsight, where there is one, is the azimuth's zero.
            double hz = 0;
            for (const Measurement& m : m_measurements[i])
                if (m.hz && !s.backsight.empty() && m.target == s.backsight) {
                    hz = *m.hz;
                    break;
                }
            s.orientation = Wrap2Pi(*s.backsight_azimuth - hz);
            s.orientation_source = "azimuth";
            Note(9722, {Label(s), Dms(*s.backsight_azimuth)}, 0);
        } else if (hz_as_bearings) {
            s.orientation = 0.0;
            s.orientation_source = "hz";
            // Set-ups of one name are listed once: a long job repeats them many times.
            if (std::string label = Label(s); m_unoriented_seen.insert(label).second) {
                if (!m_unoriented.empty())
                    m_unoriented += ", ";
                m_unoriented += label;
            }
        } else {
            m_waiting_hz.insert(i);
            return false;
        }
        return true;
    }

    bool SolveFree(size_t i) {
        CStation& s = m_data.stations[i];
        std::vector<FreeTarget> targets;
        std::vector<size_t> which;
        for (size_t k = 0; k < m_measurements[i].size(); ++k) {
            const Measurement& m = m_measurements[i][k];
            if (!IsReference(s, m))
                continue;
            std::optional<Reduced> r = Reduce(m, m_s);
            if (!r)
                continue;
            const Position& known = m_known.find(m.target)->second;
            targets.push_back(
                {*m.hz, r->hd, r->dh, m.target_height.value_or(0.0), known.x, known.y, known.h});
            which.push_back(k);
        }
        const double ih = s.instrument_height.value_or(0.0);
        std::optional<FreeResult> fr = SolveFreeStation(targets, ih, Reject());
        if (!fr)
            return false;
        s.x = fr->x, s.y = fr->y, s.h = fr->h;
        s.computed = true;
        s.orientation = Wrap2Pi(fr->orientation);
        s.orientation_source = "free_station";
        double worst = 0;
        int used = 0;
        for (size_t t = 0; t < which.size(); ++t) {
            const FreeResult::Target& r = fr->targets[t];
            const Measurement& m = m_measurements[i][which[t]];
            m.observations.ForEach([&](size_t o) {
                auto& obs = s.observations[o];
                obs.residual_x = r.rx, obs.residual_y = r.ry, obs.residual_h = r.rh;
            });
            if (r.used) {
                worst = std::max(worst, std::hypot(r.rx, r.ry));
                ++used;
            } else {
                Note(9725, {Label(s), m.target, Metres(std::hypot(r.rx, r.ry))}, 1);
            }
        }
        Note(9724,
             {Label(s), std::to_string(used), Metres(*s.x), Metres(*s.y), Metres(s.h),
              Dms(*s.orientation), Metres(worst)},
             0);
        ++m_summary.free_stations;
        m_free_points.push_back(i);
        MakeKnown(s.name, Position{*s.x, *s.y, s.h});
        return true;
    }

    // Targets of a placed and oriented station.
    void Process(size_t i) {
        m_done[i] = true;
        ++m_summary.stations;
        CStation& s = m_data.stations[i];
        const Position at{*s.x, *s.y, s.h};
        for (size_t k = 0; k < m_measurements[i].size(); ++k) {
            const Measurement& m = m_measurements[i][k];
            if (m.target.empty() || m.target == s.name)
                continue;
            std::optional<Position> p = Polar(m, at, *s.orientation, s.instrument_height, m_s);
            if (auto known = m_known.find(m.target); known != m_known.end() && m.hz) {
                m.observations.ForEach([&](size_t o) { s.observations[o].point = m.target; });
                if (p) {
                    const double miss = std::hypot(p->x - known->second.x, p->y - known->second.y);
                    if (miss > m_s.tolerance)
                        Note(9731, {Label(s), m.target, Metres(miss)}, 1);
                }
                continue;
            }
            if (!p)
                continue;
            if (m.recorded_x && m.recorded_y) {
                const double plan = std::hypot(p->x - *m.recorded_x, p->y - *m.recorded_y);
                std::optional<double> dh;
                if (p->h && m.recorded_h)
                    dh = *p->h - *m.recorded_h;
                if (plan > m_s.tolerance || (dh && std::fabs(*dh) > m_s.tolerance))
                    Note(9727, {Label(s), m.target, Metres(plan), Metres(dh)}, 1);
            }
            auto [it, added] = m_dets.try_emplace(std::string(m.target));
            if (added)
                m_det_order.emplace_back(m.target);
            it->second.push_back({static_cast<uint32_t>(i), static_cast<uint32_t>(k), *p});
            // A station's own point carries the chain on.
            if (m_station_names.count(m.target))
                MakeKnown(m.target, *p);
        }
    }

    CVrkPoint& ComputedPoint(const std::string& name, const Position& at, const Measurement& m) {
        CVrkPoint& p = m_project.PointByName(name);
        p.x = at.x, p.y = at.y;
        if (at.h)
            p.h = *at.h;
        else
            p.h.Invalidate();
        p.origin = PointOrigin::Computed;
        if (!m.code.empty())
            p.code = m.code;
        m_stale.erase(name);
        ++m_summary.points;
        return p;
    }

    // A name that no point has yet: "5(2)", "5(3)", ...
    std::string FreeName(const std::string& name, int& n) {
        std::string candidate;
        do candidate = name + "(" + std::to_string(++n) + ")";
        while (m_project.FindPoint(candidate) && !m_stale.count(candidate));
        return candidate;
    }

    void WritePoints() {
        const bool unique = Flag(vrk::kFlagUnique);
        for (const std::string& name : m_det_order) {
            const std::vector<Determination>& dets = m_dets[name];
            auto mark = [&](const Determination& d, const std::string& point) {
                m_measurements[d.station][d.measurement].observations.ForEach(
                    [&](size_t o) { m_data.stations[d.station].observations[o].point = point; });
            };
            auto measurement = [&](const Determination& d) -> const Measurement& {
                return m_measurements[d.station][d.measurement];
            };
            if (!unique) {
                int n = 1;
                for (size_t k = 0; k < dets.size(); ++k) {
                    const std::string point = k == 0 ? name : FreeName(name, n);
                    ComputedPoint(point, dets[k].at, measurement(dets[k]));
                    mark(dets[k], point);
                }
                continue;
            }
            Position mean{0, 0, std::nullopt};
            double hs = 0;
            int hn = 0;
            for (const Determination& d : dets) {
                mean.x += d.at.x / dets.size();
                mean.y += d.at.y / dets.size();
                if (d.at.h)
                    hs += *d.at.h, ++hn;
                mark(d, name);
            }
            if (hn)
                mean.h = hs / hn;
            double spread = 0;
            for (const Determination& d : dets)
                spread = std::max(spread, std::hypot(d.at.x - mean.x, d.at.y - mean.y));
            if (dets.size() > 1 && spread > m_s.tolerance)
                Note(9730, {name, std::to_string(dets.size()), Metres(spread)}, 1);
            // A station point keeps the position its station was set up on.
            if (auto k = m_known.find(name); k != m_known.end() && m_station_names.count(name))
                mean = k->second;
            ComputedPoint(name, mean, measurement(dets.front()));
        }
        for (size_t i : m_free_points) {
            const CStation& s = m_data.stations[i];
            if (s.name.empty())
                continue;
            if (const CVrkPoint* p = m_project.FindPoint(s.name);
                p && p->origin == PointOrigin::Given && p->x.valid())
                continue;
            ComputedPoint(s.name, {*s.x, *s.y, s.h}, Measurement{});
            --m_summary.points;
        }
    }

    // Points an earlier run computed that this one did not: back to what the instrument recorded,
    // or gone when it recorded nothing.
    void DropStalePoints() {
        if (m_stale.empty())
            return;
        std::unordered_map<std::string, Position> recorded;
        for (const CStation& s : m_data.stations)
            for (const auto& o : s.observations)
                if (o.recorded_x && o.recorded_y && m_stale.count(o.target))
                    recorded[o.target] = {*o.recorded_x, *o.recorded_y, o.recorded_h};
        for (CVrkPoint& p : m_data.points) {
            auto it = m_stale.count(p.name) ? recorded.find(p.name) : recorded.end();
            if (it == recorded.end())
                continue;
            p.x = it->second.x, p.y = it->second.y;
            if (it->second.h)
                p.h = *it->second.h;
            else
                p.h.Invalidate();
            p.origin = PointOrigin::Recorded;
            m_stale.erase(p.name);
        }
        std::erase_if(m_data.points, [&](const CVrkPoint& p) { return m_stale.count(p.name) > 0; });
        m_project.RebuildIndex();
    }

    void Codes() {
        CodeLookup lookup(m_project);
        std::unordered_set<std::string> reported;
        for (CVrkPoint& p : m_data.points) {
            if (p.relief == vrk::Relief::Unset && m_s.relief >= 0 && m_s.relief <= 2)
                p.relief = static_cast<vrk::Relief>(m_s.relief);
            p.code_items = ParseCode(p.code, m_s.separators);
            for (vrk::CCodeItem& item : p.code_items) {
                if (!lookup.Applies(item.code))
                    continue;
                if (const vrk::CCodeEntry* e = lookup.Find(item.code))
                    item.name = e->name;
                else if (reported.insert(item.code).second)
                    Note(9732, {item.code, p.name, lookup.SystemName()}, 1);
            }
        }
        // Measuring order: the stations' observations as they came, then the other points.
        std::vector<CodedPoint> order;
        std::unordered_set<std::string> measured;
        const std::string* last = nullptr;
        for (const CStation& s : m_data.stations)
            for (const auto& o : s.observations) {
                const std::string& name = o.point.empty() ? o.target : o.point;
                const CVrkPoint* p = m_project.FindPoint(name);
                if (!p || (last && *last == name))
                    continue;
                order.push_back({&p->name, &p->code_items});
                measured.insert(name);
                last = &p->name;
            }
        for (const CVrkPoint& p : m_data.points)
            if (!measured.count(p.name))
                order.push_back({&p.name, &p.code_items});
        m_data.lines = BuildLines(order, Flag(vrk::kFlagLinesAttr),
                                  [&](const std::string& code) { return lookup.IsLineCode(code); });
    }

    vrk::CVrkObject& m_project;
    vrk::CVrkObject::Data& m_data;
    const vrk::ProcessingSettings& m_s;
    Summary m_summary;
    text::StringMap<Position> m_known;
    text::StringSet m_station_names, m_stale;
    std::vector<std::vector<Measurement>> m_measurements;
    text::StringMap<std::vector<size_t>> m_waiting;
    std::set<size_t> m_waiting_hz;
    std::vector<bool> m_done;
    std::deque<size_t>* m_queue = nullptr;
    std::vector<bool>* m_queued = nullptr;
    text::StringMap<std::vector<Determination>> m_dets;
    std::vector<std::string> m_det_order;
    std::vector<size_t> m_free_points;
    std::string m_unoriented;
    std::unordered_set<std::string> m_unoriented_seen;
};

}  // namespace

Summary Compute(vrk::CVrkObject& project) {
    project.ImportLog().Open(1);
    Summary s = Processor(project).Run();
    project.ImportLog().Close();
    return s;
}

}  // namespace processing
