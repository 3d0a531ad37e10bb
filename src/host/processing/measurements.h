// The measurements of one station: observations turned into face I readings with zenith angles,
// the two faces of one target averaged when the faces are checked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/contracts/vrk.h"

namespace processing {

// The observations a measurement stands for, as indices in the station's list: one, or the faces
// of one target. The first is kept inline, as most measurements have only it.
class ObservationIndices {
  public:
    void push_back(size_t i) {
        if (m_count++ == 0)
            m_first = static_cast<uint32_t>(i);
        else
            m_more.push_back(static_cast<uint32_t>(i));
    }
    template <class F>
    void ForEach(F f) const {
        if (m_count)
            f(size_t{m_first});
        for (uint32_t i : m_more) f(size_t{i});
    }

  private:
    uint32_t m_first = 0, m_count = 0;
    std::vector<uint32_t> m_more;
};

// The texts are views into the station's observations, which outlive the measurements.
struct Measurement {
    std::string_view target;
    ObservationIndices observations;
    vrk::OptDouble hz, zenith;  // radians
    vrk::OptDouble sd, hd, dh;
    vrk::OptDouble target_height;
    vrk::OptDouble recorded_x, recorded_y, recorded_h;
    std::string_view code;
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
