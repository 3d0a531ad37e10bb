// What the engine remembers between pushes while it builds the project.
#pragma once

#include <optional>
#include <string>

#include "import/contracts/vrk.h"

namespace vrk {

struct CImport::BuildState {
    // Nameless: the last station, target or point record had no name; what follows it belongs
    // to nothing until the next name.
    enum class Mode { None, Station, Target, Point, Nameless };
    Mode mode = Mode::None;
    long station = -1;       // index of the current station
    long observation = -1;   // index of the current observation in that station
    std::string point_name;  // the point that coordinates, classes and codes go to
    bool pending_orientation = false;
    std::string v_kind;
    std::optional<double> temperature, pressure, ppm;
    // A target height given at a station before any target: it holds for its targets.
    std::optional<double> held_target_height;
    // The last date given: it holds for the stations that follow.
    std::optional<int64_t> date;
    bool station_dated = false;  // the current station got a date of its own
    std::string forced_code;  // the last code, for code replication
    std::string start_code;   // the code a new object starts with
    // The code of the current object, also when it comes before the object's coordinates.
    std::string object_code;
    long nameless_record = -1;  // the last record reported for having no name
};

}  // namespace vrk
