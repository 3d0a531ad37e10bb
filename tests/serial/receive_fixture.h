// A receive over a pseudo-terminal: settings dialog and questions answered by the test, the
// instrument played by a thread that writes to the master side.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>

#include "import/import_dialog.h"
#include "platform/profile.h"
#include "pty_fixture.h"
#include "serial/comm_fexist.h"
#include "serial/comm_port_settings.h"
#include "serial/comm_receiv.h"
#include "serial/transfer_dialog.h"
#include "ui/dialog.h"
#include "ui/prompter.h"

namespace serial_test {

using namespace std::chrono_literals;

// Records every box; answers from a function of the text, else with the first button.
class AnswerPrompter : public ui::Prompter {
  public:
    int Ask(const std::string& text, unsigned type, unsigned) override {
        std::lock_guard lock(m_mutex);
        shown.push_back(text);
        if (answer)
            return answer(text);
        return (type & 0x0F) == ui::MB_YESNO ? ui::IDYES : ui::IDOK;
    }
    bool Shown(const std::string& piece) {
        std::lock_guard lock(m_mutex);
        for (const auto& s : shown)
            if (s.find(piece) != std::string::npos)
                return true;
        return false;
    }
    std::function<int(const std::string&)> answer;
    std::vector<std::string> shown;

  private:
    std::mutex m_mutex;
};

class ReceiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int counter = 0;
        dir = std::filesystem::temp_directory_path() /
              ("tavrin-serial-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(dir);
        platform::Profile::UseFile(dir / "settings.toml");
        ui::InstallPrompter(prompter);
        ui::InstallFrontEnd(front);
        // The import question is declined unless a test says otherwise.
        prompter->answer = [](const std::string& text) {
            return text.find("Continue ?") != std::string::npos          ? ui::IDNO
                   : text.find("Computer is ready") != std::string::npos ? ui::IDYES
                                                                         : ui::IDOK;
        };
        serial::TransferState& s = serial::Transfer();
        s.initialised = false;
        s.device_path = pty.path;
        s.stop = serial::kReceiving;
        s.lines_received = 0;
        dlg.timeouts.silence = 300ms;
        dlg.timeouts.read_interval = 30ms;
        dlg.timeouts.read_completion = 1s;
        dlg.timeouts.stop_wait = 1s;
        dlg.timeouts.end_wait = 2s;
        dlg.pump_interval = 5ms;
    }
    void TearDown() override {
        if (device.joinable())
            device.join();
        ui::InstallFrontEnd(nullptr);
        ui::InstallPrompter(nullptr);
        serial::Transfer().device_path.clear();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    // The settings dialog takes this file, optionally this rate index, and presses OK; when the
    // file exists the next dialog answers with `exist_button`.
    void QueueSettings(const std::string& file, int exist_button = 0, int baud = -1) {
        front->Queue([file, baud](ui::Dialog& d) {
            auto& s = static_cast<serial::CCommPortSettings&>(d);
            s.frame().SetText(serial::kIdFileEdit, file);
            if (baud >= 0)
                s.frame().SetSelection(serial::kIdRateList, baud);
            s.OnFileNameChange();
            s.OnOK();
        });
        if (exist_button)
            front->Queue([exist_button](ui::Dialog& d) { d.OnCommand(exist_button); });
    }

    // The instrument: waits until the receiver listens, then sends each piece with a pause
    // between them.
    void Play(std::vector<std::string> pieces, std::chrono::milliseconds pause = 50ms) {
        device = std::thread([this, pieces = std::move(pieces), pause] {
            if (!pty.WaitUntilRaw())
                return;
            for (size_t i = 0; i < pieces.size(); ++i) {
                if (i)
                    std::this_thread::sleep_for(pause);
                pty.Send(pieces[i]);
            }
            sent = true;
        });
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    Pty pty;
    std::filesystem::path dir;
    std::shared_ptr<AnswerPrompter> prompter = std::make_shared<AnswerPrompter>();
    std::shared_ptr<ui::HeadlessFrontEnd> front = std::make_shared<ui::HeadlessFrontEnd>();
    vrk::CVrkObject project;
    serial::CTransferDEVDlg dlg{&project, nullptr};
    std::thread device;
    std::atomic<bool> sent{false};
};

// `n` printable bytes that differ from line to line.
inline std::string Text(size_t n, char first = 'A') {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>(first + static_cast<char>(i % 26));
    return s;
}

}  // namespace serial_test
