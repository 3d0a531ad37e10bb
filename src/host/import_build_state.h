// What the engine remembers between pushes while it builds the project.
#pragma once

#include <optional>
#include <string>

#include "import/contracts/vrk.h"

namespace vrk {

struct CImport::BuildState {
    enum class Mode { None, Station, Target, Point };
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
};

}  // namespace vrk
