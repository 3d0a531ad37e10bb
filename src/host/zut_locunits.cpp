// zut::CLocUnits: scoped switching of the process-wide units.
#include "host/zut_internal.h"

namespace zut {

// Only the first switch saves: RestoreUnits returns to the units current before it.
void CLocUnits::Save() {
    if (m_saved)
        return;
    m_dist = CLinear::unit();
    m_angle = CAngular::unit();
    m_press = CPressure::unit();
    m_temp = CTemperature::unit();
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
    CLinear::unit(m_dist);
    CAngular::unit(m_angle);
    CPressure::unit(m_press);
    CTemperature::unit(m_temp);
    m_saved = false;
}

}  // namespace zut
