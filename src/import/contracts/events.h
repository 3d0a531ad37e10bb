// The measurement event vocabulary shared by every reader and the import engine.
#pragma once

#include <optional>
#include <string_view>

enum EventID : int {
    evPointName = 1,
    evPointX = 2,
    evPointY = 3,
    evPointH = 4,
    evPlanClass = 5,
    evHeightClass = 6,
    evDirectionName = 7,
    evDirectionAngle = 8,
    evStation = 9,
    evBacksight = 10,
    evBacksightAzimuth = 11,
    evInstrumentHeight = 12,
    evDate = 13,
    evPressure = 14,
    evTemperature = 15,
    // 16 and 17 are not used by any reader.
    evInstrument = 18,
    evPpm = 19,
    evOrientationStart = 20,
    evTarget = 21,
    evTargetHeight = 22,
    evCircleFace = 23,
    // 24 is not used by any reader.
    evHorAngle = 25,
    evVertAngle = 26,
    evSlopeDist = 27,
    evHorDist = 28,
    evHeightDiff = 29,
    evHeightDiffAux = 30,
    evCode = 31,
};

// Name of a known identifier ("evTarget"), empty for an unknown one.
std::string_view EventName(int id);
// Identifier of a name, as written in the table ("evTarget"); nullopt when unknown.
std::optional<EventID> EventFromName(std::string_view name);
// True for the identifiers of the table.
bool IsKnownEvent(int id);
// True for the events that start a station, a target or a point by its name.
constexpr bool IsNameEvent(int id) {
    return id == evStation || id == evTarget || id == evPointName;
}

// How the engine converts the value of an event.
enum class EventValueKind { Text, Linear, Angular, Pressure, Temperature, Ppm, Date, Empty };
EventValueKind EventKind(EventID id);
