// Strings, measured values, units and coordinate presentation used by the readers and writers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zut {

// A byte string in the instrument's code page with the few word operations the readers use.
class pstring : public std::string {
public:
    using std::string::string;
    pstring() = default;
    pstring(const std::string& s) : std::string(s) {}
    pstring(std::string&& s) : std::string(std::move(s)) {}
    pstring(std::string_view s) : std::string(s) {}

    // Removes `ch` from both ends; returns the string.
    pstring& trim(char ch = ' ');
    pstring& upper_case();
    // Takes the first blank-separated word off the front and returns it.
    pstring cut_word();
    // Takes the first `length` characters off the front and returns them.
    pstring cut_word(size_t length);
    // `length` characters from 0-based `start` (clipped).
    pstring get_word(size_t start, size_t length) const;
};

// Result codes of the number readers.
enum read_result : int { rr_ok = 0, rr_invalid = 5, rr_range = 7 };

// Parse a real or integer number at the start of `text` (leading blanks allowed, trailing blanks
// allowed). 0 on success, 5 for a character that is not part of a number (*end then points at
// it), 7 when the value lies outside [lo, hi]. `end` may be null.
int d_val(const char* text, double& value, const char** end, double lo, double hi);
int l_val(const char* text, long& value, const char** end, long lo, long hi);
// True for a null, empty or blank text.
bool sz_empty(const char* text);

enum dist_unit : int { du_metre = 0, du_foot = 1, du_millimetre = 2, du_us_foot = 3 };
enum angle_unit : int { au_dms = 0, au_radian = 1, au_degree = 2, au_gon = 3, au_mil = 4 };
enum pres_unit : int { pu_mmhg = 0, pu_hpa = 1, pu_inhg = 2 };
enum temp_unit : int { tu_celsius = 0, tu_fahrenheit = 1 };

// A double with a validity flag.
class CValue {
public:
    CValue() = default;
    CValue(double v) : m_value(v), m_valid(true) {}
    CValue& operator=(double v) {
        m_value = v;
        m_valid = true;
        return *this;
    }
    operator double() const { return m_value; }
    double operator-(const CValue& o) const { return m_value - o.m_value; }
    bool valid() const { return m_valid; }
    void Invalidate() {
        m_valid = false;
        m_value = 0;
    }

protected:
    double m_value = 0;
    bool m_valid = false;
};

// A distance, held in metres. Text is read and written in the current distance unit.
class CLinear : public CValue {
public:
    using CValue::CValue;
    using CValue::operator=;
    // 0, 5 (invalid character, *end on it) or 7 (outside lower()..upper()).
    int read(const char* text, const char** end = nullptr, const char* format = nullptr);
    // Text in the current unit; `format` is a printf format for the number ("%.3f" when null).
    std::string write(const char* format = nullptr) const;
    static dist_unit unit();            // current unit
    static dist_unit unit(dist_unit u);  // sets it, returns the previous one
    static double lower();              // bounds, metres
    static double upper();
};

// An angle, held in radians. Text is read and written in the current angle unit.
class CAngular : public CValue {
public:
    using CValue::CValue;
    using CValue::operator=;
    int read(const char* text, const char** end = nullptr, const char* format = nullptr);
    // Degrees-minutes-seconds are written as DDD.MM.SS with `precision` decimals of seconds
    // below 4, else as DDD.MMSSsss with `precision` digits after the point.
    std::string write(const char* format = nullptr) const;
    static angle_unit unit();
    static angle_unit unit(angle_unit u);
    static int precision();
    static int precision(int n);  // sets the decimals written, returns the previous value
    static double lower();        // bounds, radians
    static double upper();
};

// Air pressure, held in hPa.
class CPressure : public CValue {
public:
    using CValue::CValue;
    using CValue::operator=;
    // `unit` is the unit of the text, -1 for the current one.
    int read(const char* text, const char** end = nullptr, const char* format = nullptr,
             int unit = -1);
    std::string write(const char* format = nullptr) const;
    static pres_unit unit();
    static pres_unit unit(pres_unit u);
    static double lower();
    static double upper();
};

// Air temperature, held in degrees Celsius.
class CTemperature : public CValue {
public:
    using CValue::CValue;
    using CValue::operator=;
    int read(const char* text, const char** end = nullptr, const char* format = nullptr,
             int unit = -1);
    std::string write(const char* format = nullptr) const;
    static temp_unit unit();
    static temp_unit unit(temp_unit u);
    static double lower();
    static double upper();
};

// Switches the process-wide units for a scope; RestoreUnits (or the destructor) puts back
// what was current before the first switch.
class CLocUnits {
public:
    CLocUnits() = default;
    ~CLocUnits() { RestoreUnits(); }
    CLocUnits(const CLocUnits&) = delete;
    CLocUnits& operator=(const CLocUnits&) = delete;

    void SetDistUnit(dist_unit u);
    void SetAngleUnit(angle_unit u);
    void SetPressUnit(pres_unit u);
    void SetTempUnit(temp_unit u);
    void RestoreUnits();

private:
    bool m_saved = false;
    dist_unit m_dist = du_metre;
    angle_unit m_angle = au_dms;
    pres_unit m_press = pu_hpa;
    temp_unit m_temp = tu_celsius;
    void Save();
};

enum east_style : int { es_plain = 0, es_false_easting = 1, es_zone_prefix = 2 };
enum north_style : int { ns_plain = 0, ns_false_northing = 1 };
enum zw_type : int { zw_3deg = 0, zw_6deg = 1 };

// Process-wide presentation of eastings. Passing the query value (the largest double, or -1 for
// the zone) reads the current setting without changing it.
class CEast {
public:
    static constexpr double query = 1.7976931348623157e308;
    static double false_easting(double value = query);
    static int zone(int n = -1);
    static zw_type zone_width(int type = -1);
    static east_style style(int s = -1);
    static int precision(int n = -1);
    static bool m_AutoRange;
    // Text of an easting held in metres, as the current style presents it.
    static std::string write(double easting);
};

class CNorth {
public:
    static constexpr double query = CEast::query;
    static double false_northing(double value = query);
    static north_style style(int s = -1);
    static int precision(int n = -1);
    static bool m_AutoRange;
    static std::string write(double northing);
};

// Saves the coordinate presentation (Setup) and puts it back (Restore, or the destructor).
class CLocCrdStyle {
public:
    CLocCrdStyle() = default;
    ~CLocCrdStyle() { Restore(); }
    CLocCrdStyle(const CLocCrdStyle&) = delete;
    CLocCrdStyle& operator=(const CLocCrdStyle&) = delete;

    // Saves the current presentation, then applies the given one.
    void Setup(double false_easting, double false_northing, int zone, int zone_width,
               int east_style, int north_style);
    void Restore();

private:
    bool m_saved = false;
    double m_fe = 0, m_fn = 0;
    int m_zone = 0, m_zw = 0, m_es = 0, m_ns = 0, m_prec = 3;
    int m_north_prec = 3;  // m_prec is the easting precision
    bool m_east_auto = false, m_north_auto = false;
};

}  // namespace zut
