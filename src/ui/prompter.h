// Message boxes: every message of the system goes through ShowMessage.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// Box types (buttons and icon), as the message texts expect them.
enum : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows the text; returns the button pressed (IDOK, IDYES, ...).
    virtual int Ask(const std::string& text, unsigned type, unsigned help_id) = 0;
    // The warning sound.
    virtual void Beep(unsigned sound) {}
};

// Records every message and answers from a queue; without a queued answer it presses the
// box's first button (OK or Yes).
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        std::string text;
        unsigned type = 0;
        unsigned help_id = 0;
        bool beep = false;
    };
    void Answer(int button) { m_answers.push_back(button); }
    int Ask(const std::string& text, unsigned type, unsigned help_id) override;
    void Beep(unsigned sound) override { ++beeps; m_beep_pending = true; }
    std::vector<Shown> shown;
    int beeps = 0;

private:
    std::deque<int> m_answers;
    bool m_beep_pending = false;
};

Prompter& CurrentPrompter();
void InstallPrompter(std::shared_ptr<Prompter> prompter);

// Shows a message box through the installed prompter, after the warning beep when `beep` is set.
int ShowMessage(const std::string& text, unsigned type = MB_OK, unsigned help_id = 0,
                bool beep = false);
// The same with the text of a string-table id.
int ShowMessage(unsigned text_id, unsigned type = MB_OK, unsigned help_id = 0, bool beep = false);
// The platform's beep (0x30 is the exclamation sound).
void MessageBeep(unsigned sound);

}  // namespace ui
