#include "outputs/survey_features.h"

#include <cmath>

namespace outputs {
namespace {

std::optional<Position> PositionOf(const vrk::CVrkPoint& p) {
    if (!p.x.valid() || !p.y.valid())
        return std::nullopt;
    Position pos{static_cast<double>(p.x), static_cast<double>(p.y), std::nullopt};
    if (p.h.valid())
        pos.height = static_cast<double>(p.h);
    return pos;
}

std::optional<Position> PositionOf(const vrk::CStation& s) {
    if (!s.x || !s.y)
        return std::nullopt;
    return Position{*s.x, *s.y, s.h};
}

void AddText(std::vector<Attribute>& attrs, const char* name, const std::string& value) {
    if (!value.empty())
        attrs.push_back({name, value});
}

const char* OriginName(vrk::PointOrigin origin) {
    switch (origin) {
        case vrk::PointOrigin::Recorded:
            return "recorded";
        case vrk::PointOrigin::Computed:
            return "computed";
        case vrk::PointOrigin::Given:
            break;
    }
    return "given";
}

const char* ReliefName(vrk::Relief relief) {
    switch (relief) {
        case vrk::Relief::Relief:
            return "relief";
        case vrk::Relief::Situation:
            return "situation";
        case vrk::Relief::NonRelief:
            return "non-relief";
        case vrk::Relief::Unset:
            break;
    }
    return "";
}

PointFeature PointOf(const vrk::CVrkPoint& p) {
    PointFeature f;
    f.name = p.name;
    f.code = p.code;
    f.kind = p.control ? PointKind::Control : PointKind::Survey;
    f.position = PositionOf(p);
    f.computed = p.computed();
    AddText(f.attributes, "origin", OriginName(p.origin));
    AddText(f.attributes, "plan_class", p.plan_class);
    AddText(f.attributes, "height_class", p.height_class);
    AddText(f.attributes, "relief", ReliefName(p.relief));
    // The attributes of the code items, each a field of its own name.
    for (const auto& item : p.code_items)
        for (const auto& a : item.attributes) AddText(f.attributes, a.name.c_str(), a.value);
    return f;
}

LineFeature LineOf(const vrk::CLine& l, const SurveyFeatures& f) {
    LineFeature line;
    line.name = l.id.empty() ? l.code : l.code + "=" + l.id;
    line.code = l.code;
    line.point_names = l.points;
    for (const auto& name : l.points)
        if (const PointFeature* p = f.FindPoint(name); p && p->position)
            line.vertices.push_back(*p->position);
    AddText(line.attributes, "line_id", l.id);
    return line;
}

}  // namespace

size_t SurveyFeatures::CountPoints(PointKind kind) const {
    size_t n = 0;
    for (const auto& p : points) n += p.kind == kind ? 1 : 0;
    return n;
}

const PointFeature* SurveyFeatures::FindPoint(const std::string& name) const {
    auto it = index.find(name);
    return it == index.end() ? nullptr : &points[it->second];
}

std::optional<double> ZenithAngle(const vrk::CObservation& o) {
    if (!o.v)
        return std::nullopt;
    // A height angle counts up from the horizon; the zenith angle down from the vertical.
    return o.v_kind == "H" ? M_PI / 2 - *o.v : *o.v;
}

SurveyFeatures CollectFeatures(const vrk::CVrkObject& project, bool selected_only) {
    SurveyFeatures f;
    f.title = project.title;
    const auto& data = project.data();
    f.points.reserve(data.points.size());
    for (const auto& p : data.points) {
        if (selected_only && !p.selected)
            continue;
        f.index.emplace(p.name, f.points.size());
        f.points.push_back(PointOf(p));
    }
    for (const auto& s : data.stations) {
        const PointFeature* point = f.FindPoint(s.name);
        if (selected_only && point == nullptr)
            continue;
        StationFeature st{&s, PositionOf(s), point ? s.name : std::string()};
        if (!st.position && point)
            st.position = point->position;
        for (const auto& o : s.observations) {
            // The point the measurement gave, where processing has told it apart by a suffix.
            const PointFeature* target = f.FindPoint(o.point.empty() ? o.target : o.point);
            if (selected_only && target == nullptr)
                continue;
            RayFeature ray{&s, &o, st.position, std::nullopt};
            if (target)
                ray.to = target->position;
            if (!ray.to)
                ray.from.reset();
            f.rays.push_back(ray);
        }
        f.stations.push_back(std::move(st));
    }
    for (const auto& l : data.lines) {
        bool all = true;
        for (const auto& name : l.points) all = all && f.FindPoint(name) != nullptr;
        if (!selected_only || all)
            f.lines.push_back(LineOf(l, f));
    }
    return f;
}

}  // namespace outputs
