// A receive over a pseudo-terminal: the test plays the instrument on the master side, the receiver
// opens the slave by its name; the test answers the dialogs and questions.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/profile.h"
#include "serial/comm_fexist.h"
#include "serial/comm_port_settings.h"
#include "serial/comm_receiv.h"
#include "serial/transfer_dialog.h"
#include "support/dialog_env.h"

namespace serial_test {

using namespace std::chrono_literals;

class Pty {
  public:
    Pty() {
        char name[256] = {};
        EXPECT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        path = name;  // a new line is canonical, as a terminal starts
        // A tool started by the test must not hold the line open: closing it is a pulled cable.
        for (int fd : {master, slave}) fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    ~Pty() {
        for (int fd : {master, slave})
            if (fd >= 0)
                close(fd);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    termios Settings() const {
        termios t{};
        tcgetattr(slave, &t);
        return t;
    }

    // Waits until the receiver has made the line raw (it is listening then).
    bool WaitUntilRaw() const {
        for (int i = 0; i < 2500; ++i, std::this_thread::sleep_for(2ms))
            if (!(Settings().c_lflag & ICANON))
                return true;
        return false;
    }

    // Writes every byte, waiting while the line is full.
    bool Send(std::string_view bytes) const {
        while (!bytes.empty()) {
            ssize_t n = write(master, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    int master = -1, slave = -1;
    std::string path;
};

inline bool SameLine(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::equal(a.c_cc, a.c_cc + NCCS, b.c_cc) &&
           cfgetispeed(&a) == cfgetispeed(&b) && cfgetospeed(&a) == cfgetospeed(&b);
}

// `n` printable bytes that differ from line to line.
inline std::string Text(size_t n, char first = 'A') {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>(first + static_cast<char>(i % 26));
    return s;
}

// The bytes as the receiver writes them: a line end after every 84 bytes.
inline std::string Lines(const std::string& bytes) {
    std::string s;
    for (size_t i = 0; i < bytes.size(); i += 84)
        s += bytes.substr(i, 84) + (bytes.size() - i >= 84 ? "\r\n" : "");
    return s;
}

// One 3TA5 record as the instrument sends it: seven 12-character fields, no line end.
inline std::string Record(const std::vector<std::string>& fields) {
    std::string r;
    for (const auto& f : fields) r += (f + std::string(12, ' ')).substr(0, 12);
    r.resize(84, ' ');
    return r;
}

class ReceiveTest : public testing_support::DialogEnv {
  protected:
    void SetUp() override {
        DialogEnv::SetUp();
        serial::TransferState& s = serial::Transfer();
        s.initialised = false;
        s.device_path = pty.path;
        s.stop = serial::kReceiving;
        s.lines_received = 0;
        dlg.timeouts = {.silence = 300ms,
                        .read_interval = 30ms,
                        .read_completion = 1s,
                        .stop_wait = 1s,
                        .end_wait = 2s};
        dlg.pump_interval = 5ms;
    }
    void TearDown() override {
        if (device.joinable())
            device.join();
        DialogEnv::TearDown();
        serial::Transfer().device_path.clear();
    }

    std::string Path(const std::string& name) const { return (dir() / name).string(); }

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

    // The instrument: waits until the receiver listens, then sends the pieces of `bytes` cut at
    // '|', with a pause between them. A previous instrument is waited for first.
    void Play(const std::string& bytes, std::chrono::milliseconds pause = 50ms) {
        if (device.joinable())
            device.join();
        sent = false;
        device = std::thread([this, bytes, pause] {
            if (!pty.WaitUntilRaw())
                return;
            for (size_t from = 0, to = 0; to != std::string::npos; from = to + 1) {
                if (from)
                    std::this_thread::sleep_for(pause);
                to = bytes.find('|', from);
                pty.Send(std::string_view(bytes).substr(from, to - from));
            }
            sent = true;
        });
    }

    Pty pty;
    serial::CTransferDEVDlg dlg{&project, nullptr};  // hides the import dialog, unused here
    std::thread device;
    std::atomic<bool> sent{false};
};

}  // namespace serial_test
