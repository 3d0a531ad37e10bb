#include "import/contracts/events.h"

#include <array>

namespace {

struct EventEntry {
    EventID id;
    std::string_view name;
    EventValueKind kind;
};

using K = EventValueKind;
constexpr std::array<EventEntry, 28> kEvents{{
    {evPointName, "evPointName", K::Text},
    {evPointX, "evPointX", K::Linear},
    {evPointY, "evPointY", K::Linear},
    {evPointH, "evPointH", K::Linear},
    {evPlanClass, "evPlanClass", K::Text},
    {evHeightClass, "evHeightClass", K::Text},
    {evDirectionName, "evDirectionName", K::Text},
    {evDirectionAngle, "evDirectionAngle", K::Angular},
    {evStation, "evStation", K::Text},
    {evBacksight, "evBacksight", K::Text},
    {evBacksightAzimuth, "evBacksightAzimuth", K::Angular},
    {evInstrumentHeight, "evInstrumentHeight", K::Linear},
    {evDate, "evDate", K::Date},
    {evPressure, "evPressure", K::Pressure},
    {evTemperature, "evTemperature", K::Temperature},
    {evInstrument, "evInstrument", K::Text},
    {evPpm, "evPpm", K::Ppm},
    {evOrientationStart, "evOrientationStart", K::Empty},
    {evTarget, "evTarget", K::Text},
    {evTargetHeight, "evTargetHeight", K::Linear},
    {evCircleFace, "evCircleFace", K::Text},
    {evHorAngle, "evHorAngle", K::Angular},
    {evVertAngle, "evVertAngle", K::Angular},
    {evSlopeDist, "evSlopeDist", K::Linear},
    {evHorDist, "evHorDist", K::Linear},
    {evHeightDiff, "evHeightDiff", K::Linear},
    {evHeightDiffAux, "evHeightDiffAux", K::Linear},
    {evCode, "evCode", K::Text},
}};

// Every value is looked up for each event pushed: index the table by identifier once.
constexpr int kMaxId = 31;
constexpr std::array<const EventEntry*, kMaxId + 1> kById = [] {
    std::array<const EventEntry*, kMaxId + 1> by_id{};
    for (const auto& e : kEvents) by_id[e.id] = &e;
    return by_id;
}();

const EventEntry* Find(int id) {
    return id >= 0 && id <= kMaxId ? kById[id] : nullptr;
}

}  // namespace

std::string_view EventName(int id) {
    const EventEntry* e = Find(id);
    return e ? e->name : std::string_view{};
}

std::optional<EventID> EventFromName(std::string_view name) {
    for (const auto& e : kEvents)
        if (e.name == name)
            return e.id;
    return std::nullopt;
}

bool IsKnownEvent(int id) {
    return Find(id) != nullptr;
}

EventValueKind EventKind(EventID id) {
    const EventEntry* e = Find(id);
    return e ? e->kind : EventValueKind::Text;
}
