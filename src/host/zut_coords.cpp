// zut::CEast, zut::CNorth and zut::CLocCrdStyle: the process-wide coordinate presentation.
// Setters return the new (or, for a query or a refused value, the current) setting.
#include "host/zut_internal.h"

namespace zut {
namespace {

using namespace detail;

int clamp_precision(int n) {
    return n > max_precision ? max_precision : n;
}

}  // namespace

double CEast::false_easting(double value) {
    if (value != query)
        settings().false_easting = value;
    return settings().false_easting;
}

// Any negative number queries.
int CEast::zone(int n) {
    if (n >= 0)
        settings().zone = n;
    return settings().zone;
}

// -1 queries; codes other than zw_3deg and zw_6deg change nothing.
zw_type CEast::zone_width(int type) {
    if (type == zw_3deg || type == zw_6deg)
        settings().zone_width = static_cast<zw_type>(type);
    return settings().zone_width;
}

// -1 queries; unknown styles change nothing.
east_style CEast::style(int s) {
    if (s >= es_plain && s <= es_zone_prefix)
        settings().east = static_cast<east_style>(s);
    return settings().east;
}

// Any negative number queries; at most 12 decimals.
int CEast::precision(int n) {
    if (n >= 0)
        settings().east_precision = clamp_precision(n);
    return settings().east_precision;
}

// Style 0: the easting; 1: easting + false easting; 2: the zone number in front of
// (easting + false easting), computed as zone * 1e6 + easting + false easting, which is the
// digits of the zone followed by the six-digit in-zone value whenever 0 <= E + Eo < 1e6
// (zone 7, E 123456.789, Eo 500000 -> "7623456.789"), and stays a number outside that range.
std::string CEast::write(double easting) {
    const Settings& s = settings();
    double v = easting;
    if (s.east == es_false_easting) {
        v += s.false_easting;
    } else if (s.east == es_zone_prefix) {
        v += s.false_easting + static_cast<double>(s.zone) * 1e6;
    }
    return format_fixed(v, s.east_precision);
}

double CNorth::false_northing(double value) {
    if (value != query)
        settings().false_northing = value;
    return settings().false_northing;
}

// -1 queries; unknown styles change nothing.
north_style CNorth::style(int s) {
    if (s == ns_plain || s == ns_false_northing)
        settings().north = static_cast<north_style>(s);
    return settings().north;
}

int CNorth::precision(int n) {
    if (n >= 0)
        settings().north_precision = clamp_precision(n);
    return settings().north_precision;
}

// Style 0: the northing; 1: northing + false northing.
std::string CNorth::write(double northing) {
    const Settings& s = settings();
    const double v = s.north == ns_false_northing ? northing + s.false_northing : northing;
    return format_fixed(v, s.north_precision);
}

// Saves on the first call only, so Restore returns to what was current before the first Setup.
// A negative zone, zone width or style leaves that setting as it is (the query value).
void CLocCrdStyle::Setup(double false_easting, double false_northing, int zone, int zone_width,
                         int east_style, int north_style) {
    if (!m_saved) {
        const Settings& s = settings();
        m_fe = s.false_easting;
        m_fn = s.false_northing;
        m_zone = s.zone;
        m_zw = s.zone_width;
        m_es = s.east;
        m_ns = s.north;
        m_prec = s.east_precision;
        m_north_prec = s.north_precision;
        m_east_auto = CEast::m_AutoRange;
        m_north_auto = CNorth::m_AutoRange;
        m_saved = true;
    }
    CEast::false_easting(false_easting);
    CNorth::false_northing(false_northing);
    CEast::zone(zone);
    CEast::zone_width(zone_width);
    CEast::style(east_style);
    CNorth::style(north_style);
}

// Idempotent.
void CLocCrdStyle::Restore() {
    if (!m_saved)
        return;
    Settings& s = settings();
    s.false_easting = m_fe;
    s.false_northing = m_fn;
    s.zone = m_zone;
    s.zone_width = static_cast<zw_type>(m_zw);
    s.east = static_cast<east_style>(m_es);
    s.north = static_cast<north_style>(m_ns);
    s.east_precision = m_prec;
    s.north_precision = m_north_prec;
    CEast::m_AutoRange = m_east_auto;
    CNorth::m_AutoRange = m_north_auto;
    m_saved = false;
}

}  // namespace zut
