// Terminal pieces: message boxes answered on the terminal, the live protocol, the progress bar.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "cli.h"
#include "resources/strings.h"
#include "ui/dialog.h"
#include "ui/prompter.h"

namespace cli {
namespace {

class TerminalPrompter : public ui::Prompter {
  public:
    TerminalPrompter(Answer answer, std::string why) : m_answer(answer), m_why(std::move(why)) {}

    int Ask(const std::string& text, unsigned type, unsigned help_id) override {
        const bool question = (type & 0x0F) == ui::MB_YESNO || (type & 0x0F) == ui::MB_YESNOCANCEL;
        std::cerr << text;
        if (!text.empty() && text.back() != '\n')
            std::cerr << '\n';
        if (!question)
            return ui::IDOK;
        if (m_answer == Answer::Yes) {
            std::cerr << "  -> yes (" << (m_why.empty() ? "--yes" : m_why) << ")\n";
            return ui::IDYES;
        }
        if (m_answer == Answer::No || !isatty(STDIN_FILENO)) {
            std::cerr << "  -> no ("
                      << (m_answer != Answer::No ? "not a terminal; --yes answers yes"
                          : m_why.empty()        ? "--no"
                                                 : m_why)
                      << ")\n";
            return ui::IDNO;
        }
        for (;;) {
            std::cerr << "[y/n] " << std::flush;
            std::string line;
            if (!std::getline(std::cin, line))
                return ui::IDNO;
            if (line == "y" || line == "Y" || line == "yes")
                return ui::IDYES;
            if (line == "n" || line == "N" || line == "no")
                return ui::IDNO;
        }
    }
    void Beep(unsigned) override {
        if (isatty(STDERR_FILENO))
            std::cerr << '\a' << std::flush;
    }

  private:
    Answer m_answer;
    std::string m_why;  // what gave the answer, when not --yes/--no
};

}  // namespace

void InstallTerminalPrompter(Answer answer, std::string why) {
    ui::InstallPrompter(std::make_shared<TerminalPrompter>(answer, std::move(why)));
}

void PrintProtocolLive(vrk::CVrkObject& project) {
    project.ImportLog().listener = [](const vrk::CVrkLog::Entry& e) {
        std::string text = e.text;
        while (!text.empty() && text.back() == '\n') text.pop_back();
        std::cerr << (e.level >= 2 ? res::LoadString(res::kProtocolErrorPrefix) : "") << text
                  << "\n";
    };
}

ProgressBar::ProgressBar() : m_tty(isatty(STDERR_FILENO)) {}
ProgressBar::~ProgressBar() {
    Finish();
}

void ProgressBar::Update(int percent, const std::string& label) {
    if (!m_tty)
        return;
    if (percent == m_last && label == m_label)
        return;
    m_last = percent;
    m_label = label;
    const int width = 30;
    int filled = percent * width / 100;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(width, ' ');
    std::string name = label.size() > 40 ? "..." + label.substr(label.size() - 37) : label;
    std::fprintf(stderr, "\r[%s] %3d%% %-40s", bar.c_str(), percent, name.c_str());
    std::fflush(stderr);
}

void ProgressBar::Finish() {
    if (m_tty && m_last >= 0) {
        std::fprintf(stderr, "\r%*s\r", 80, "");
        std::fflush(stderr);
    }
    m_last = -1;
}

void PrintError(const std::string& text) {
    std::cerr << "tavrin: " << text << "\n";
}

bool SplitAssignment(const std::string& text, std::string& name, std::string& value) {
    size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0)
        return false;
    name = text.substr(0, eq);
    value = text.substr(eq + 1);
    return true;
}

}  // namespace cli
