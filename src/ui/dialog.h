// Modal windows: a dialog owns its frame and its handlers; the installed front end runs it.
#pragma once

#include <deque>
#include <functional>
#include <memory>

#include "ui/frame.h"

namespace ui {

// Button ids the platform gives every dialog.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

class Dialog {
public:
    virtual ~Dialog() = default;
    Frame& frame() { return m_frame; }
    // Called when the window opens; false ends it at once with IDCANCEL.
    virtual bool OnInitDialog() { return true; }
    virtual void OnShowWindow() {}
    // A button or menu command; false when the id is not handled.
    virtual bool OnCommand(int id) { return false; }
    // Ends the modal run with `code`.
    void EndDialog(int code) { m_frame.End(code); }
    // Runs the dialog modally through the installed front end; returns the end code.
    int DoModal();

protected:
    Frame m_frame;
};

// Runs modal windows. The headless front end plays scripts; a desktop front end shows widgets.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Shows `dialog` until it ends; returns the end code.
    virtual int RunModal(Dialog& dialog) = 0;
};

// The installed front end; the headless one when none was installed.
FrontEnd& CurrentFrontEnd();
void InstallFrontEnd(std::shared_ptr<FrontEnd> front_end);

// Plays one queued script for each modal run: the script sets controls and presses buttons.
// A run without a script, or whose script leaves the window open, ends with IDCANCEL.
class HeadlessFrontEnd : public FrontEnd {
public:
    using Script = std::function<void(Dialog&)>;
    void Queue(Script script) { m_scripts.push_back(std::move(script)); }
    size_t Pending() const { return m_scripts.size(); }
    int RunModal(Dialog& dialog) override;

private:
    std::deque<Script> m_scripts;
};

}  // namespace ui
