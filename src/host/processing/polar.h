// From a measurement to a horizontal distance and a height difference, and from a station to
// the coordinates of its target.
#pragma once

#include <optional>

#include "host/processing/measurements.h"
#include "import/contracts/vrk.h"

namespace processing {

struct Reduced {
    double hd = 0;             // negative for a face II reading taken as it was read
    std::optional<double> dh;  // instrument axis to target, curvature and refraction applied
};

// Slope distance and zenith give both; else the horizontal distance with the instrument's
// height difference (or one from the zenith angle). Nothing without a horizontal distance.
std::optional<Reduced> Reduce(const Measurement& m, const vrk::ProcessingSettings& settings);

// Earth curvature less refraction over a horizontal distance, metres.
double CurvatureRefraction(double hd, double refraction);

struct Position {
    double x = 0, y = 0;
    vrk::OptDouble h;
};

// The target of a measurement seen from a station at `at` with orientation `orientation`
// (grid bearing = Hz + orientation); heights need the station height.
std::optional<Position> Polar(const Measurement& m, const Position& at, double orientation,
                              std::optional<double> instrument_height,
                              const vrk::ProcessingSettings& settings);

}  // namespace processing
