// Message boxes and questions as QMessageBox windows.
#pragma once

#include "ui/prompter.h"

namespace ui::qt {

class QtPrompter : public Prompter {
  public:
    int Ask(const std::string& text, unsigned type, unsigned help_id) override;
    void Beep(unsigned sound) override;
};

}  // namespace ui::qt
