#include "csv_page.h"

#include <string>

namespace csv_points {

namespace {
constexpr unsigned kExclamation = 0x30;
}

void Page::GetCaption(std::string& caption) {
    caption = "CSV";
}

void Page::OnInitPage(IPageControls* controls) {
    if (!controls)
        return;
    controls->SetTextLimit(kSeparatorEdit, 3);
    controls->SetText(kSeparatorEdit, SeparatorText(m_options.separator).c_str());
    controls->SetCheck(kHeaderCheck, m_options.header ? 1 : 0);
    controls->SetCheck(kControlCheck, m_options.control_points ? 1 : 0);
}

bool Page::CheckSeparator(IPageControls& controls, char& separator) {
    std::string text;
    controls.GetText(kSeparatorEdit, text);
    if (SeparatorFromText(text, separator))
        return true;
    controls.SetFocus(kSeparatorEdit);
    controls.ShowMessage(("The separator \"" + text +
                          "\" cannot be used: type one character (or Tab) that is not a digit, "
                          "a sign, a point, a quote, the letter E or a blank.")
                             .c_str(),
                         kExclamation);
    return false;
}

bool Page::OnKillActive(IPageControls* controls) {
    char separator = 0;
    return !controls || CheckSeparator(*controls, separator);
}

bool Page::OnApply(IPageControls* controls) {
    if (!controls)
        return true;
    char separator = 0;
    if (!CheckSeparator(*controls, separator))
        return false;
    m_options.separator = separator;
    m_options.header = controls->GetCheck(kHeaderCheck) != 0;
    m_options.control_points = controls->GetCheck(kControlCheck) != 0;
    return true;
}

}  // namespace csv_points
