#include <optional>

#include "receive_fixture.h"
#include "serial/comm_worker.h"

using namespace serial_test;
using serial::Transfer;

TEST_F(ReceiveTest, EndMarkAfterTwoLines) {
    const std::string path = Path("recv.txt");
    QueueSettings(path);
    const std::string data = Text(168);
    Play({data + "\xFF" + "not written"});
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_EQ(ReadFile(path), data.substr(0, 84) + "\r\n" + data.substr(84) + "\r\n");
    EXPECT_EQ(Transfer().stop, serial::kDeviceFinished);
    EXPECT_EQ(Transfer().lines_received, 2);
    EXPECT_TRUE(prompter->Shown("File " + path + "\nReceived 2 strings\nContinue ?"));
}

TEST_F(ReceiveTest, SilenceEndsWithDeviceTimeout) {
    const std::string path = Path("recv.txt");
    QueueSettings(path);
    const std::string data = Text(100, 'a');
    Play({data});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, dlg.timeouts.silence);
    EXPECT_EQ(ReadFile(path), data.substr(0, 84) + "\r\n" + data.substr(84));
    EXPECT_EQ(Transfer().stop, serial::kDeviceTimeout);
    EXPECT_TRUE(prompter->Shown(pty.path + ": Device timeout"));
    EXPECT_TRUE(prompter->Shown("Received 1 strings"));
}

TEST_F(ReceiveTest, ZeroByteEndsItsChunk) {
    const std::string path = Path("recv.txt");
    QueueSettings(path);
    Play({std::string("abc\0def", 7), "ghi\xFF"}, 150ms);
    dlg.DoTransfer();
    EXPECT_EQ(ReadFile(path), "abcghi");
    // Nothing whole arrived: the end by the device counts as nothing received.
    EXPECT_EQ(Transfer().stop, serial::kNothingReceived);
}

TEST_F(ReceiveTest, AppendKeepsAndNewTruncates) {
    const std::string path = Path("recv.txt");
    std::ofstream(path, std::ios::binary) << "OLD\r\n";
    QueueSettings(path, serial::kIdAppendButton);
    Play({"xyz\xFF"});
    dlg.DoTransfer();
    device.join();
    EXPECT_EQ(ReadFile(path), "OLD\r\nxyz");
    EXPECT_TRUE(prompter->Shown("File " + path + "\nReceived 0 strings"));

    sent = false;
    QueueSettings(path, serial::kIdNewButton);
    Play({"new\xFF"});
    dlg.DoTransfer();
    EXPECT_EQ(ReadFile(path), "new");
}

TEST_F(ReceiveTest, StopBeforeAWholeLineAndAfterOne) {
    const std::string path = Path("recv.txt");
    QueueSettings(path);
    Play({Text(10)});
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
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_EQ(Transfer().stop, serial::kNothingReceived);
    EXPECT_EQ(ReadFile(path), Text(10));
    EXPECT_TRUE(prompter->Shown("File " + path + "\nReceived 0 strings"));
    EXPECT_FALSE(prompter->Shown("Device timeout"));

    device.join();
    sent = false;
    QueueSettings(path, serial::kIdNewButton);
    Play({Text(90)});
    dlg.DoTransfer();
    EXPECT_EQ(Transfer().stop, serial::kStoppedByUser);
    EXPECT_EQ(Transfer().lines_received, 1);
}

TEST_F(ReceiveTest, LineSettingsAreTheSameAfterwards) {
    const termios before = pty.Settings();
    QueueSettings(Path("recv.txt"), 0, 9);
    Play({Text(84) + "\xFF"});
    dlg.DoTransfer();
    EXPECT_EQ(Transfer().lines_received, 1);
    EXPECT_TRUE(SameLine(before, pty.Settings()));
}

TEST_F(ReceiveTest, PortThatCannotBeOpenedStartsNothing) {
    Transfer().device_path = "/nonexistent/ttyS7";
    Transfer().stop = 99;  // a receive would set it to 0 first
    QueueSettings(Path("recv.txt"));
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_TRUE(prompter->Shown("/nonexistent/ttyS7\n Failed to open"));
    EXPECT_FALSE(prompter->Shown("Computer is ready"));
    EXPECT_EQ(Transfer().stop, 99);
    EXPECT_FALSE(std::filesystem::exists(Path("recv.txt")));
}

TEST_F(ReceiveTest, WorkerThatCannotOpenThePortSaysSo) {
    Transfer().device_path = "/nonexistent/ttyS7";
    serial::WorkerThread worker;
    serial::CCommReceiv window(Transfer(), worker, Path("recv.txt"), serial::kNewFile,
                               dlg.timeouts);
    EXPECT_EQ(serial::CommReadProc(&window, Transfer(), dlg.timeouts), -1);
    window.ShowPendingMessages();
    EXPECT_TRUE(prompter->Shown("/nonexistent/ttyS7\n Failed to open"));
    // It ends without its completion: the window waits for Stop, with no timer.
    EXPECT_FALSE(window.TimerRunning());
    window.Pump(10ms);
    EXPECT_FALSE(window.Closed());
    window.OnStop();
    EXPECT_TRUE(window.Closed());
    EXPECT_EQ(Transfer().stop, serial::kNothingReceived);
}

TEST_F(ReceiveTest, DeclinedReadyQuestionStartsNothing) {
    prompter->answer = [](const std::string&) { return ui::IDNO; };
    QueueSettings(Path("recv.txt"));
    EXPECT_EQ(dlg.DoTransfer(), 0);
    EXPECT_TRUE(prompter->Shown("Computer is ready"));
    EXPECT_FALSE(std::filesystem::exists(Path("recv.txt")));
}
