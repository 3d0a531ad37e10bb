// zut::CPressure (held in hPa) and zut::CTemperature (held in degrees Celsius).
#include "host/zut_internal.h"

namespace zut {
namespace {

using namespace detail;

// Pressure bounds in hPa: wider than any reading (callers' messages use 350..1000).
constexpr double kPressLower = 0;
constexpr double kPressUpper = 2000;
// Temperature bounds in degrees Celsius.
constexpr double kTempLower = -100;
constexpr double kTempUpper = 100;

constexpr double kHpaPerMmHg = 1.33322387415;
constexpr double kHpaPerInHg = 33.8638866667;

bool known_press(int u) {
    return u >= pu_mmhg && u <= pu_inhg;
}
bool known_temp(int u) {
    return u == tu_celsius || u == tu_fahrenheit;
}

double press_factor(pres_unit u) {
    switch (u) {
        case pu_mmhg:
            return kHpaPerMmHg;
        case pu_inhg:
            return kHpaPerInHg;
        default:
            return 1;
    }
}

double to_celsius(double v, temp_unit u) {
    return u == tu_fahrenheit ? (v - 32) * 5 / 9 : v;
}
double from_celsius(double c, temp_unit u) {
    return u == tu_fahrenheit ? c * 9 / 5 + 32 : c;
}

}  // namespace

// Plain decimal with blanks and a sign in front or behind, in `unit` (-1, or any code that is
// not a pressure unit, means the current unit). Bounds 0..2000 hPa inclusive. `format` is not
// used for reading. On 5 or 7 the value is left unchanged.
int CPressure::read(const char* text, const char** end, const char* format, int unit) {
    const pres_unit u = known_press(unit) ? static_cast<pres_unit>(unit) : CPressure::unit();
    double v = 0;
    const int rc = read_signed(text, v, end);
    if (rc != rr_ok)
        return rc;
    const double hpa = v * press_factor(u);
    if (!(hpa >= kPressLower && hpa <= kPressUpper))
        return rr_range;
    *this = hpa;
    return rr_ok;
}

std::string CPressure::write(const char* format) const {
    return format_double(format, m_value / press_factor(unit()), "%.1f");
}

pres_unit CPressure::unit() {
    return settings().press;
}

pres_unit CPressure::unit(pres_unit u) {
    const pres_unit previous = settings().press;
    if (known_press(u))
        settings().press = u;
    return previous;
}

double CPressure::lower() {
    return kPressLower;
}
double CPressure::upper() {
    return kPressUpper;
}

// As CPressure::read; bounds -100..100 degrees Celsius inclusive (-148..212 Fahrenheit).
int CTemperature::read(const char* text, const char** end, const char* format, int unit) {
    const temp_unit u = known_temp(unit) ? static_cast<temp_unit>(unit) : CTemperature::unit();
    double v = 0;
    const int rc = read_signed(text, v, end);
    if (rc != rr_ok)
        return rc;
    const double c = to_celsius(v, u);
    if (!(c >= kTempLower && c <= kTempUpper))
        return rr_range;
    *this = c;
    return rr_ok;
}

std::string CTemperature::write(const char* format) const {
    return format_double(format, from_celsius(m_value, unit()), "%.1f");
}

temp_unit CTemperature::unit() {
    return settings().temp;
}

temp_unit CTemperature::unit(temp_unit u) {
    const temp_unit previous = settings().temp;
    if (known_temp(u))
        settings().temp = u;
    return previous;
}

double CTemperature::lower() {
    return kTempLower;
}
double CTemperature::upper() {
    return kTempUpper;
}

}  // namespace zut
