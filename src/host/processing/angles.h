// Angle arithmetic of the processing stage: radians, bearings clockwise from north (X).
#pragma once

#include <cmath>
#include <numbers>
#include <span>

namespace processing {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;

// To [0, 2 pi).
inline double Wrap2Pi(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

// To (-pi, pi].
inline double WrapPi(double a) {
    a = Wrap2Pi(a);
    return a > kPi ? a - kTwoPi : a;
}

// Grid bearing from (x0, y0) to (x1, y1); X is north, Y east.
inline double Bearing(double x0, double y0, double x1, double y1) {
    return Wrap2Pi(std::atan2(y1 - y0, x1 - x0));
}

// Directions summed as unit vectors, so that the mean of 359 and 1 degrees is 0, not 180.
struct DirectionSum {
    double sin = 0, cos = 0;
    bool any = false;
    void Add(double a) { sin += std::sin(a), cos += std::cos(a), any = true; }
    double Mean() const { return Wrap2Pi(std::atan2(sin, cos)); }
};

inline double CircularMean(std::span<const double> angles) {
    DirectionSum sum;
    for (double a : angles) sum.Add(a);
    return sum.Mean();
}

// Largest distance of the angles from their mean.
inline double CircularSpread(std::span<const double> angles, double mean) {
    double worst = 0;
    for (double a : angles) worst = std::fmax(worst, std::fabs(WrapPi(a - mean)));
    return worst;
}

}  // namespace processing
