// The measurements of one station: observations turned into face I readings with zenith angles,
// the two faces of one target averaged when the faces are checked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/contracts/vrk.h"

namespace processing {

struct Measurement {
    std::string target;
    std::vector<size_t> observations;  // indices in the station's list
    std::optional<double> hz, zenith;  // radians
    std::optional<double> sd, hd, dh;
    std::optional<double> target_height;
    std::optional<double> recorded_x, recorded_y, recorded_h;
    std::string code;
};

// Both faces of a station: the mean collimation and index errors, and the targets whose faces
// disagree by more than the tolerance after those errors are taken out.
struct FaceReport {
    std::optional<double> collimation, index;
    std::vector<std::string> disagreeing;
};

// With `check_faces` the face of each reading is found from its vertical angle, face II readings
// are reduced (Hz - 180 degrees, 360 degrees - zenith) and the readings of one target are
// averaged; without it every observation is a measurement as it was read.
std::vector<Measurement> StationMeasurements(const vrk::CStation& station, bool check_faces,
                                             double face_tolerance, FaceReport& faces);

// The zenith angle of a vertical reading of kind "Z" (zenith) or "H" (height above the horizon).
double ToZenith(double v, bool height_angle);

}  // namespace processing
