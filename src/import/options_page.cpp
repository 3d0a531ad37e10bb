#include "import/options_page.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "import/contracts/zut.h"
#include "import/import_dialog.h"
#include "resources/strings.h"
#include "ui/prompter.h"

namespace {

constexpr unsigned kOutOfRange = 9075;

// The number readers take C strings; an embedded NUL would hide what follows it.
std::optional<std::string> AsCString(std::string_view text) {
    if (text.find('\0') != std::string_view::npos)
        return std::nullopt;
    return std::string(text);
}

}  // namespace

std::optional<double> ParseReal(std::string_view text) {
    auto s = AsCString(text);
    if (!s)
        return std::nullopt;
    double v = 0;
    const double big = std::numeric_limits<double>::max();
    if (zut::d_val(s->c_str(), v, nullptr, -big, big) != zut::rr_ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> ParseWhole(std::string_view text) {
    auto s = AsCString(text);
    if (!s)
        return std::nullopt;
    long v = 0;
    if (zut::l_val(s->c_str(), v, nullptr, std::numeric_limits<int>::min(),
                   std::numeric_limits<int>::max()) != zut::rr_ok)
        return std::nullopt;
    return static_cast<int>(v);
}

std::string RealText(double value) {
    // Fixed notation: "500000" rather than "5e+05". Room for any double.
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc())
        return "0";
    return std::string(buf, end);
}

int ClampInt(int value, int lo, int hi) {
    return value < lo ? lo : value > hi ? hi : value;
}

unsigned CImpOptPage::TipId(int control) const {
    auto it = m_tips.find(control);
    return it == m_tips.end() ? 0 : it->second;
}

void CImpOptPage::OnInitPage() {
    m_tips_active = true;
    m_selected_text = 0;
    m_v = m_pDlg ? m_pDlg->Settings() : ImportSettings{};
    Load();
}

bool CImpOptPage::OnApply() {
    if (!Check())
        return false;
    if (m_pDlg) {
        ImportSettings s = m_pDlg->Settings();
        Store(s);
        m_pDlg->SetSettings(s);
    }
    SetModified(false);
    return true;
}

bool CImpOptPage::Refuse(int control, const std::string& message) {
    m_frame.SetFocus(control);
    m_selected_text = control;
    ui::ShowMessage(message, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    return false;
}

bool CImpOptPage::ReadWholeInRange(int control, int lo, int hi, int& value) {
    const std::string& text = m_frame.Text(control);
    auto v = ParseWhole(text);
    if (!v || !(lo <= *v && *v <= hi)) {
        std::string message = res::Format(res::LoadString(kOutOfRange),
                                          {text, std::to_string(lo), std::to_string(hi)});
        return Refuse(control, message);
    }
    value = *v;
    return true;
}
