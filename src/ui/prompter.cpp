#include "ui/prompter.h"

#include "resources/strings.h"
#include "ui/dialog.h"

namespace ui {
namespace {
std::shared_ptr<Prompter>& Installed() {
    static std::shared_ptr<Prompter> prompter = std::make_shared<ScriptedPrompter>();
    return prompter;
}
}  // namespace

int ScriptedPrompter::Ask(const std::string& text, unsigned type, unsigned help_id) {
    shown.push_back({text, type, help_id, m_beep_pending});
    m_beep_pending = false;
    if (!m_answers.empty()) {
        int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    switch (type & 0x0F) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDYES;
        default:
            return IDOK;
    }
}

Prompter& CurrentPrompter() { return *Installed(); }
void InstallPrompter(std::shared_ptr<Prompter> prompter) {
    Installed() = prompter ? std::move(prompter) : std::make_shared<ScriptedPrompter>();
}

int ShowMessage(const std::string& text, unsigned type, unsigned help_id, bool beep) {
    if (beep) MessageBeep(MB_ICONEXCLAMATION);
    return CurrentPrompter().Ask(text, type, help_id);
}

int ShowMessage(unsigned text_id, unsigned type, unsigned help_id, bool beep) {
    return ShowMessage(res::LoadString(text_id), type, help_id, beep);
}

void MessageBeep(unsigned sound) { CurrentPrompter().Beep(sound); }

}  // namespace ui
