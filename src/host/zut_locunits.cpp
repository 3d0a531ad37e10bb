// zut::CLocUnits: scoped switching of the process-wide units.
#include "host/zut_internal.h"

namespace zut {

// Only the first switch saves: RestoreUnits returns to the units current before it.
void CLocUnits::Save() {
    if (m_saved)
        return;
    // Straight from the settings: a reader switches units around every value it reads.
    const detail::Settings& s = detail::settings();
    m_dist = s.dist;
    m_angle = s.angle;
    m_press = s.press;
    m_temp = s.temp;
    m_saved = true;
}

void CLocUnits::SetDistUnit(dist_unit u) {
    Save();
    CLinear::unit(u);
}

void CLocUnits::SetAngleUnit(angle_unit u) {
    Save();
    CAngular::unit(u);
}

void CLocUnits::SetPressUnit(pres_unit u) {
    Save();
    CPressure::unit(u);
}

void CLocUnits::SetTempUnit(temp_unit u) {
    Save();
    CTemperature::unit(u);
}

// Idempotent: a second call (or the destructor after it) changes nothing.
void CLocUnits::RestoreUnits() {
    if (!m_saved)
        return;
    // The saved units were current, so known: no need to check them again.
    detail::Settings& s = detail::settings();
    s.dist = m_dist;
    s.angle = m_angle;
    s.press = m_press;
    s.temp = m_temp;
    m_saved = false;
}

}  // namespace zut
