// What the engine remembers between pushes while it builds the project.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

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
    std::string forced_code;     // the last code, for code replication
    std::string start_code;      // the code a new object starts with
    // The code of the current object, also when it comes before the object's coordinates.
    std::string object_code;
    long nameless_record = -1;  // the last record reported for having no name

    // Targets of each station a file makes, counted in the first pass so that the second can
    // reserve the observations of a station at once. Kept when the state of a file is reset.
    struct Reserve {
        std::unordered_map<std::string, std::vector<uint32_t>> targets;  // by file
        std::vector<uint32_t>* file = nullptr;
        size_t stations_made = 0;
    };
    std::shared_ptr<Reserve> reserve = std::make_shared<Reserve>();

    void Count(EventID id) {
        if (!reserve->file)
            return;
        auto& counts = *reserve->file;
        if (id == evStation || (id == evTarget && counts.empty()))
            counts.push_back(0);
        if (id == evTarget)
            ++counts.back();
    }
    // A hint only: the second pass may make stations the first did not count.
    void ReserveObservations(CStation& s) {
        if (reserve->file && reserve->stations_made < reserve->file->size())
            s.observations.reserve((*reserve->file)[reserve->stations_made]);
        ++reserve->stations_made;
    }
};

}  // namespace vrk
