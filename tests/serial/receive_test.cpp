#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/io_fault.h"
#include "serial/comm_worker.h"
#include "serial_fixture.h"

using namespace serial_test;
using serial::Transfer;

TEST_F(ReceiveTest, HowTheDeviceEndsDecidesFileStopCodeAndMessage) {
    auto check = [this](const char* what, std::vector<std::string> pieces, const std::string& file,
                        int stop, int lines, const std::string& message) {
        SCOPED_TRACE(what);
        const termios before = pty.Settings();
        const std::string path = Path("recv.txt");
        QueueSettings(path, std::filesystem::exists(path) ? serial::kIdNewButton : 0);
        Play(std::move(pieces), 150ms);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(dlg.DoTransfer(), 0);
        if (stop == serial::kDeviceTimeout) {
            EXPECT_GE(std::chrono::steady_clock::now() - start, dlg.timeouts.silence);
        }
        EXPECT_EQ(ReadFile(path), file);
        EXPECT_EQ(Transfer().stop, stop);
        EXPECT_EQ(Transfer().lines_received, lines);
        EXPECT_TRUE(prompter->Shown(message));
        // The line settings after the receive are those before it.
        EXPECT_TRUE(SameLine(before, pty.Settings()));
        prompter->shown.clear();
    };
    const std::string two = Text(168), one = Text(100, 'a');
    check("end mark", {two + "\xFF" + "not written"},
          two.substr(0, 84) + "\r\n" + two.substr(84) + "\r\n", serial::kDeviceFinished, 2,
          "Received 2 strings\nContinue ?");
    check("silence", {one}, one.substr(0, 84) + "\r\n" + one.substr(84), serial::kDeviceTimeout, 1,
          pty.path + ": Device timeout");
    // Nothing whole arrived: silence or the end by the device counts as nothing received.
    check("silence before a whole line", {Text(10)}, Text(10), serial::kNothingReceived, 0,
          pty.path + ": Device timeout");
    check("zero byte ends its chunk", {std::string("abc\0def", 7), "ghi\xFF"}, "abcghi",
          serial::kNothingReceived, 0, "Received 0 strings");
}

TEST_F(ReceiveTest, AppendKeepsAndNewTruncates) {
    const std::string path = Path("recv.txt");
    std::ofstream(path, std::ios::binary) << "OLD\r\n";
    QueueSettings(path, serial::kIdAppendButton);
    Play({"xyz\xFF"});
    dlg.DoTransfer();
    EXPECT_EQ(ReadFile(path), "OLD\r\nxyz");

    QueueSettings(path, serial::kIdNewButton);
    Play({"new\xFF"});
    dlg.DoTransfer();
    EXPECT_EQ(ReadFile(path), "new");
}

TEST_F(ReceiveTest, AFailingWriteKeepsTheOldFileAndTheReceivedBytes) {
    using platform::IoStep;
    platform::Profile::Instance().SetVolatile(true);  // only the received file is written
    const std::string path = Path("recv.txt");
    // Where the bytes are after the failure: not taken from the port, unwritten (and counted),
    // or in the temporary file that the summary names.
    enum Where { kNotTaken, kUnwritten, kAside };
    const std::pair<IoStep, Where> rows[] = {{IoStep::Create, kNotTaken},
                                             {IoStep::Write, kUnwritten},
                                             {IoStep::Sync, kAside},
                                             {IoStep::Close, kAside},
                                             {IoStep::Rename, kAside}};
    for (const auto& [step, where] : rows) {
        SCOPED_TRACE(static_cast<int>(step));
        std::ofstream(path, std::ios::binary) << "OLD\r\n";
        QueueSettings(path, serial::kIdNewButton);
        Play({"abc\xFF"});
        platform::PlantFailure(step, ENOSPC);
        dlg.DoTransfer();
        platform::ClearPlantedFailures();
        EXPECT_EQ(ReadFile(path), "OLD\r\n");
        const std::string reason = path + ": " + std::strerror(ENOSPC);
        if (where == kNotTaken) {
            EXPECT_TRUE(prompter->Shown(reason));
            continue;
        }
        EXPECT_EQ(Transfer().stop, serial::kWriteFailed);
        EXPECT_NE(Transfer().write_error.find(reason), std::string::npos) << Transfer().write_error;
        EXPECT_EQ(Transfer().bytes_unsaved, where == kUnwritten ? 3u : 0u);
        if (where == kAside) {
            EXPECT_EQ(ReadFile(Transfer().saved_in), "abc");
            std::filesystem::remove(Transfer().saved_in);
        }
        prompter->shown.clear();
    }
}

TEST_F(ReceiveTest, StopBeforeAWholeLineAndAfterOne) {
    // Stop is pressed a while after the device has sent its bytes.
    std::optional<std::chrono::steady_clock::time_point> sent_at;
    dlg.on_pump = [this, &sent_at](serial::CCommReceiv& w) {
        if (!sent)
            return;
        if (!sent_at)
            sent_at = std::chrono::steady_clock::now();
        if (std::chrono::steady_clock::now() - *sent_at > 250ms) {
            sent_at.reset();
            w.OnStop();
        }
    };
    const std::string path = Path("recv.txt");
    QueueSettings(path);
    Play({Text(10)});
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_EQ(Transfer().stop, serial::kNothingReceived);
    EXPECT_EQ(ReadFile(path), Text(10));
    EXPECT_TRUE(prompter->Shown("Received 0 strings"));
    EXPECT_FALSE(prompter->Shown("Device timeout"));

    QueueSettings(path, serial::kIdNewButton);
    Play({Text(90)});
    dlg.DoTransfer();
    EXPECT_EQ(Transfer().stop, serial::kStoppedByUser);
    EXPECT_EQ(Transfer().lines_received, 1);
}

TEST_F(ReceiveTest, NothingStartsWhenThePortFailsOrTheUserDeclines) {
    Transfer().device_path = "/nonexistent/ttyS7";
    Transfer().stop = 99;  // a receive would set it to 0 first
    QueueSettings(Path("recv.txt"));
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_TRUE(prompter->Shown("/nonexistent/ttyS7\n Failed to open"));
    EXPECT_FALSE(prompter->Shown("Computer is ready"));
    EXPECT_EQ(Transfer().stop, 99);
    EXPECT_FALSE(std::filesystem::exists(Path("recv.txt")));

    Transfer().device_path = pty.path;
    prompter->decline = "Computer is ready";
    QueueSettings(Path("recv.txt"));
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_TRUE(prompter->Shown("Computer is ready"));
    EXPECT_EQ(Transfer().stop, 99);
    EXPECT_FALSE(std::filesystem::exists(Path("recv.txt")));
}

TEST_F(ReceiveTest, WindowOverAWorkerThatCannotOpenThePort) {
    Transfer().device_path = "/nonexistent/ttyS7";
    serial::WorkerThread worker;  // never started: it counts as ended
    serial::CCommReceiv window(Transfer(), worker, Path("recv.txt"), serial::kNewFile,
                               dlg.timeouts);
    window.OnInitDialog();
    EXPECT_EQ(serial::CommReadProc(&window, Transfer(), dlg.timeouts), -1);
    // The posted message shows at the next pump; with no completion and no timer the window
    // waits.
    window.Pump(10ms);
    EXPECT_TRUE(prompter->Shown("/nonexistent/ttyS7\n Failed to open"));
    EXPECT_FALSE(window.TimerRunning());
    EXPECT_FALSE(window.Closed());
    // A completion with a line ends it; a later Stop does not change how it ended.
    window.AddLine();
    window.PostCommand(serial::kCmdReceiveEnded);
    window.Pump(0ms);
    EXPECT_EQ(window.frame().Text(serial::kIdLineCount), "1");
    EXPECT_TRUE(window.Closed());
    EXPECT_EQ(Transfer().stop, serial::kDeviceFinished);
    EXPECT_EQ(Transfer().lines_received, 1);
    window.OnStop();
    EXPECT_EQ(Transfer().stop, serial::kDeviceFinished);
}
