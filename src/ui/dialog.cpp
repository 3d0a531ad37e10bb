#include "ui/dialog.h"

namespace ui {
namespace {
std::shared_ptr<FrontEnd>& Installed() {
    static std::shared_ptr<FrontEnd> front_end = std::make_shared<HeadlessFrontEnd>();
    return front_end;
}
}  // namespace

FrontEnd& CurrentFrontEnd() { return *Installed(); }
void InstallFrontEnd(std::shared_ptr<FrontEnd> front_end) {
    Installed() = front_end ? std::move(front_end) : std::make_shared<HeadlessFrontEnd>();
}

int Dialog::DoModal() {
    m_frame.end_code.reset();
    return CurrentFrontEnd().RunModal(*this);
}

int HeadlessFrontEnd::RunModal(Dialog& dialog) {
    Frame& f = dialog.frame();
    if (!dialog.OnInitDialog()) return IDCANCEL;
    dialog.OnShowWindow();
    if (!f.end_code && !m_scripts.empty()) {
        Script script = std::move(m_scripts.front());
        m_scripts.pop_front();
        script(dialog);
    }
    return f.end_code.value_or(IDCANCEL);
}

}  // namespace ui
