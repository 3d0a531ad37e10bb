#include "import/options_common_page.h"

#include <string>
#include <vector>

namespace {

// These checks have no entry of their own in the string table.
constexpr const char* kBadZone = "Неверный номер зоны...";
constexpr const char* kBadEo = "Неверное значение Eo...";
constexpr const char* kBadNo = "Неверное значение No...";
constexpr const char* kNotANumber = "Enter a number.";
constexpr const char* kNotAWholeNumber = "Enter a whole number.";

double ClampReal(double v, double lo, double hi) {
    if (!(lo <= v && v <= hi))
        return v > hi ? hi : v < lo ? lo : 0.0;  // NaN shows as 0
    return v;
}

}  // namespace

CImpOptCommonPage::CImpOptCommonPage() : CImpOptPage(9198, "Общие") {
    m_tips = {{kIdCheckUnique, 9095}, {kIdCheckAuto, 9096}, {kIdCheckDel, 9097},
              {kIdXStyle, 9102},      {kIdX0, 9104},        {kIdYStyle, 9103},
              {kIdY0, 9105},          {kIdZoneType, 9101},  {kIdZoneNumber, 9106}};
    m_frame.SetText(kIdCheckUnique, "&Направлять измерения в журнал ПВО");
    m_frame.SetText(kIdCheckAuto, "&Автоматическое определение формулы VA");
    m_frame.SetText(kIdCheckDel, "&Удаление незначащих нулей в именах пунктов");
    m_frame.SetItems(kIdXStyle, {"N", "N-No"});
    m_frame.SetItems(kIdYStyle, {"E", "E+Eo", "<зона>(E+Eo)"});
    m_frame.SetItems(kIdZoneType, {"6-градусная", "3-градусная"});
}

int CImpOptCommonPage::MaxZone() {
    return m_frame.Selection(kIdZoneType) == 1 ? 120 : 60;
}

void CImpOptCommonPage::Load() {
    m_frame.SetCheck(kIdCheckUnique, m_v.CheckUnique ? 1 : 0);
    m_frame.SetCheck(kIdCheckAuto, m_v.CheckAuto ? 1 : 0);
    m_frame.SetCheck(kIdCheckDel, m_v.CheckDel ? 1 : 0);
    m_frame.SetSelection(kIdXStyle, ClampInt(m_v.XStyle, 0, 1));
    m_frame.SetSelection(kIdYStyle, ClampInt(m_v.YStyle, 0, 2));
    m_frame.SetSelection(kIdZoneType, ClampInt(m_v.Zone, 0, 1));
    m_frame.SetText(kIdX0, RealText(ClampReal(m_v.X0, -kMaxNo, kMaxNo)));
    m_frame.SetText(kIdY0, RealText(ClampReal(m_v.Y0, -kMaxEo, kMaxEo)));
    m_frame.SetText(kIdZoneNumber, std::to_string(ClampInt(m_v.NZone, 1, MaxZone())));
    OnXStyleChange();
    OnYStyleChange();
}

void CImpOptCommonPage::OnCommand(int id) {
    switch (id) {
        case kIdXStyle:
            OnXStyleChange();
            break;
        case kIdYStyle:
            OnYStyleChange();
            break;
        default:
            break;
    }
    SetModified();
}

void CImpOptCommonPage::OnXStyleChange() {
    const bool offset = m_frame.Selection(kIdXStyle) == 1;
    m_frame.Enable(kIdX0, offset);
    if (!offset) {
        m_v.X0 = 0.0;
        m_frame.SetText(kIdX0, "0");
    }
}

void CImpOptCommonPage::OnYStyleChange() {
    const int style = m_frame.Selection(kIdYStyle);
    const bool offset = style == 1 || style == 2;
    const bool zone = style == 2;
    m_frame.Enable(kIdY0, offset);
    m_frame.Enable(kIdZoneNumber, zone);
    if (!offset) {
        m_v.Y0 = 0.0;
        m_frame.SetText(kIdY0, "0");
    }
    if (!zone) {
        m_v.NZone = 1;
        m_frame.SetText(kIdZoneNumber, "1");
    }
}

bool CImpOptCommonPage::Check() {
    // The numbers are read first, in the order of the edits on the page.
    auto x0 = ParseReal(m_frame.Text(kIdX0));
    if (!x0)
        return Refuse(kIdX0, kNotANumber);
    auto y0 = ParseReal(m_frame.Text(kIdY0));
    if (!y0)
        return Refuse(kIdY0, kNotANumber);
    auto zone = ParseWhole(m_frame.Text(kIdZoneNumber));
    if (!zone)
        return Refuse(kIdZoneNumber, kNotAWholeNumber);

    const int x_style = ClampInt(m_frame.Selection(kIdXStyle), 0, 1);
    const int y_style = ClampInt(m_frame.Selection(kIdYStyle), 0, 2);
    if (y_style == 2 && !(1 <= *zone && *zone <= MaxZone()))
        return Refuse(kIdZoneNumber, kBadZone);
    if ((y_style == 1 || y_style == 2) && !(-kMaxEo <= *y0 && *y0 <= kMaxEo))
        return Refuse(kIdY0, kBadEo);
    if (x_style == 1 && !(-kMaxNo <= *x0 && *x0 <= kMaxNo))
        return Refuse(kIdX0, kBadNo);

    m_v.CheckUnique = m_frame.Checked(kIdCheckUnique) ? 1 : 0;
    m_v.CheckAuto = m_frame.Checked(kIdCheckAuto) ? 1 : 0;
    m_v.CheckDel = m_frame.Checked(kIdCheckDel) ? 1 : 0;
    m_v.XStyle = x_style;
    m_v.YStyle = y_style;
    m_v.Zone = ClampInt(m_frame.Selection(kIdZoneType), 0, 1);
    m_v.X0 = *x0;
    m_v.Y0 = *y0;
    m_v.NZone = *zone;
    return true;
}

void CImpOptCommonPage::Store(ImportSettings& to) const {
    to.CheckUnique = m_v.CheckUnique;
    to.CheckAuto = m_v.CheckAuto;
    to.CheckDel = m_v.CheckDel;
    to.XStyle = m_v.XStyle;
    to.X0 = m_v.X0;
    to.YStyle = m_v.YStyle;
    to.Y0 = m_v.Y0;
    to.Zone = m_v.Zone;
    to.NZone = m_v.NZone;
}
