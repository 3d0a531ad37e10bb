#include <gmock/gmock.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/io_fault.h"
#include "serial/comm_worker.h"
#include "serial_fixture.h"

using namespace serial_test;
using serial::Transfer;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

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
        EXPECT_TRUE(row.code != serial::kDeviceTimeout ||
                    std::chrono::steady_clock::now() - start >= dlg.timeouts.silence);
        EXPECT_EQ(tmp.Read(path), row.file);
        EXPECT_EQ(std::pair(Transfer().stop.load(), Transfer().lines_received),
                  std::pair(row.code, row.lines));
        ASSERT_GE(prompter->shown.size(), 2u);  // after the question whether the device is ready
        EXPECT_THAT(prompter->shown[1].text, HasSubstr(row.message));
        EXPECT_TRUE(SameLine(before, pty.Settings())) << "the line as it was before the receive";
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
            EXPECT_TRUE(Shown(reason));
            continue;
        }
        EXPECT_EQ(std::tuple(Transfer().stop.load(), Transfer().bytes_unsaved),
                  std::tuple(serial::kWriteFailed, where == kUnwritten ? 3ul : 0ul));
        EXPECT_THAT(Transfer().write_error, HasSubstr(reason));
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
        EXPECT_EQ(Shown("Computer is ready"), declined);
        EXPECT_EQ(Shown("/nonexistent/ttyS7\n Failed to open"), !declined);
        EXPECT_EQ(std::pair(prompter->beeps, Transfer().stop.load()), std::pair(1, 99))
            << "the question, or the failure, beeps; nothing starts";
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
    // The posted message shows at the next pump; without completion or timer the window waits.
    window.Pump(10ms);
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("/nonexistent/ttyS7\n Failed to open")));
    EXPECT_TRUE(prompter->shown.at(0).beep);
    EXPECT_FALSE(window.TimerRunning() || window.Closed());
    // A completion with a line ends it; a later Stop does not change how it ended.
    window.AddLine();
    window.PostCommand(serial::kCmdReceiveEnded);
    window.Pump(0ms);
    EXPECT_EQ(std::tuple(window.frame().Text(serial::kIdLineCount), window.Closed(),
                         Transfer().stop.load(), Transfer().lines_received),
              std::tuple("1", true, serial::kDeviceFinished, 1));
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
    EXPECT_TRUE(got == expected) << got.size() << " bytes, not " << expected.size();
    EXPECT_EQ(Transfer().lines_received, static_cast<int>(size / 84));
}
