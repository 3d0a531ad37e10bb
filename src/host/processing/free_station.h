// A station without coordinates placed by least squares on targets of known coordinates.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace processing {

struct FreeTarget {
    double hz = 0;             // radians
    double hd = 0;             // horizontal distance
    std::optional<double> dh;  // instrument axis to target
    double target_height = 0;
    double x = 0, y = 0;  // the known point
    std::optional<double> h;
};

struct FreeResult {
    double x = 0, y = 0;
    std::optional<double> h;
    double orientation = 0;  // grid bearing = Hz + orientation
    struct Target {
        bool used = false;      // false: set aside as a blunder
        double rx = 0, ry = 0;  // known minus computed
        std::optional<double> rh;
    };
    std::vector<Target> targets;
};

// Needs two targets at least. Position and orientation fit the targets' known coordinates in
// the least-squares sense (a rotation and a shift of the measured plan, scale 1); with three or
// more targets, those that miss the agreement of the others by more than `reject` metres are
// set aside and refitted without. The height is the mean over the targets with heights.
std::optional<FreeResult> SolveFreeStation(std::span<const FreeTarget> targets,
                                           double instrument_height, double reject);

}  // namespace processing
