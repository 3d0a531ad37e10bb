#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/io_fault.h"
#include "serial/comm_worker.h"
#include "serial_fixture.h"

using namespace serial_test;
using serial::Transfer;

TEST_F(ReceiveTest, HowTheReceiveEndsDecidesFileStopCodeAndMessage) {
    struct Row {
        const char* what;
        int exist;           // the answer when the file is there: it holds "OLD\r\n" then
        bool stop;           // Stop is pressed a while after the device has sent its bytes
        std::string pieces;  // sent with pauses between them, cut at '|'
        std::string file;
        int code, lines;
        std::string message;  // of the first box after the receive
    };
    const std::string two = Text(168), one = Text(100, 'a'), ten = Text(10);
    const std::string timeout = pty.path + ": Device timeout", none = "Received 0 strings";
    const int kNew = serial::kIdNewButton;
    const Row rows[] = {
        {"end mark", 0, false, two + "\xFF" + "not written", Lines(two), serial::kDeviceFinished, 2,
         "Received 2 strings\nContinue ?"},
        {"silence", kNew, false, one, Lines(one), serial::kDeviceTimeout, 1, timeout},
        // Nothing whole arrived: silence, Stop or the end by the device count as nothing.
        {"silence before a whole line", kNew, false, ten, ten, serial::kNothingReceived, 0,
         timeout},
        {"stop before a whole line", kNew, true, ten, ten, serial::kNothingReceived, 0, none},
        {"stop after a line", kNew, true, Text(90), Lines(Text(90)), serial::kStoppedByUser, 1,
         "Received 1 strings"},
        {"zero byte ends its chunk, appended", serial::kIdAppendButton, false,
         std::string("abc\0def|ghi\xFF", 12), "OLD\r\nabcghi", serial::kNothingReceived, 0, none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::optional<std::chrono::steady_clock::time_point> sent_at;
        dlg.on_pump = [this, &row, &sent_at](serial::CCommReceiv& w) {
            if (row.stop && sent && !sent_at)
                sent_at = std::chrono::steady_clock::now();
            if (sent_at && std::chrono::steady_clock::now() - *sent_at > 250ms)
                w.OnStop();
        };
        const termios before = pty.Settings();
        const std::string path = Path("recv.txt");
        std::filesystem::remove(path);
        if (row.exist)
            std::ofstream(path, std::ios::binary) << "OLD\r\n";
        QueueSettings(path, row.exist);
        Play(row.pieces, 150ms);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(dlg.DoTransfer(), 0);
        if (row.code == serial::kDeviceTimeout) {
            EXPECT_GE(std::chrono::steady_clock::now() - start, dlg.timeouts.silence);
        }
        EXPECT_EQ(tmp.Read(path), row.file);
        EXPECT_EQ(std::pair(Transfer().stop.load(), Transfer().lines_received),
                  std::pair(row.code, row.lines));
        ASSERT_GE(prompter->shown.size(), 2u);  // after the question whether the device is ready
        EXPECT_NE(prompter->shown[1].text.find(row.message), std::string::npos)
            << prompter->shown[1].text;
        // The line settings after the receive are those before it.
        EXPECT_TRUE(SameLine(before, pty.Settings()));
        prompter->shown.clear();
    }
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
        Play("abc\xFF");
        platform::PlantFailure(step, ENOSPC);
        dlg.DoTransfer();
        platform::ClearPlantedFailures();
        EXPECT_EQ(tmp.Read(path), "OLD\r\n");
        const std::string reason = path + ": " + std::strerror(ENOSPC);
        if (where == kNotTaken) {
            EXPECT_TRUE(Shown(*prompter, reason));
            continue;
        }
        EXPECT_EQ(Transfer().stop, serial::kWriteFailed);
        EXPECT_NE(Transfer().write_error.find(reason), std::string::npos) << Transfer().write_error;
        EXPECT_EQ(Transfer().bytes_unsaved, where == kUnwritten ? 3u : 0u);
        if (where == kAside) {
            EXPECT_EQ(tmp.Read(Transfer().saved_in), "abc");
            std::filesystem::remove(Transfer().saved_in);
        }
        prompter->shown.clear();
    }
}

TEST_F(ReceiveTest, NothingStartsWhenThePortFailsOrTheUserDeclines) {
    Transfer().stop = 99;  // a receive would set it to 0 first
    for (const bool declined : {false, true}) {
        Transfer().device_path = declined ? pty.path : "/nonexistent/ttyS7";
        if (declined)
            prompter->Answer(ui::IDNO);
        QueueSettings(Path("recv.txt"));
        EXPECT_EQ(dlg.DoTransfer(), 0);
        EXPECT_EQ(Shown(*prompter, "Computer is ready"), declined);
        EXPECT_EQ(Shown(*prompter, "/nonexistent/ttyS7\n Failed to open"), !declined);
        EXPECT_EQ(prompter->beeps, 1) << "the question, or the failure, beeps";
        EXPECT_EQ(Transfer().stop, 99);
        EXPECT_FALSE(std::filesystem::exists(Path("recv.txt")));
        prompter->shown.clear();
        prompter->beeps = 0;
    }
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
    ASSERT_EQ(prompter->shown.size(), 1u);
    EXPECT_NE(prompter->shown[0].text.find("/nonexistent/ttyS7\n Failed to open"),
              std::string::npos);
    EXPECT_TRUE(prompter->shown[0].beep);
    EXPECT_FALSE(window.TimerRunning() || window.Closed());
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

TEST_F(ReceiveTest, MegabyteAtTheHighestRateLosesNothing) {
    const std::string path = Path("big.txt");
    QueueSettings(path, 0, 9);  // 153600 baud
    const size_t size = 1 << 20;
    std::string data;
    for (size_t i = 0; i < size; ++i) data += static_cast<char>('0' + i % 43);
    Play(data + "\xFF");
    dlg.DoTransfer();
    const std::string got = tmp.Read(path), expected = Lines(data);
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
    EXPECT_EQ(Transfer().lines_received, static_cast<int>(size / 84));
}
