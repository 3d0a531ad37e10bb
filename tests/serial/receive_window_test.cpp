#include <optional>

#include "receive_fixture.h"

using namespace serial_test;
using serial::CCommReceiv;
using serial::Transfer;

class ReceiveWindowTest : public ReceiveTest {
  protected:
    serial::WorkerThread worker;  // never started: it counts as ended
    std::optional<CCommReceiv> made;
    CCommReceiv& window() { return *made; }
    void SetUp() override {
        ReceiveTest::SetUp();  // the short timeouts first
        made.emplace(Transfer(), worker, "f.txt", serial::kNewFile, dlg.timeouts);
        window().OnInitDialog();
    }
};

TEST_F(ReceiveWindowTest, PostedProgressAndCountShowAtTheNextPump) {
    EXPECT_EQ(window().frame().Text(serial::kIdLineCount), "0");
    window().PostProgress(20);
    window().PostProgress(40);
    EXPECT_EQ(window().AddLine(), 1);
    EXPECT_EQ(window().AddLine(), 2);
    EXPECT_EQ(window().ProgressPosition(), 0);  // nothing shows before the pump runs
    window().Pump(0ms);
    EXPECT_EQ(window().ProgressPosition(), 40);
    EXPECT_EQ(window().frame().Text(serial::kIdLineCount), "2");
    EXPECT_EQ(window().Lines(), 2);
}

TEST_F(ReceiveWindowTest, SilenceTimerFiresOnceAndCanBeStopped) {
    window().SetTimer();
    window().KillTimer();
    window().Pump(dlg.timeouts.silence + 50ms);
    EXPECT_FALSE(window().Closed());

    window().SetTimer();
    EXPECT_TRUE(window().TimerRunning());
    const auto start = std::chrono::steady_clock::now();
    while (!window().Closed() && std::chrono::steady_clock::now() - start < 2s) window().Pump(50ms);
    EXPECT_TRUE(window().Closed());
    EXPECT_FALSE(window().TimerRunning());
    EXPECT_EQ(Transfer().stop, serial::kNothingReceived);
    EXPECT_TRUE(prompter->Shown(pty.path + ": Device timeout"));
}

TEST_F(ReceiveWindowTest, CompletionWithLinesAndOnlyOneStopCode) {
    window().AddLine();
    window().PostMessage("Can't read from COM port\nCheck link");
    window().PostCommand(serial::kCmdReceiveEnded);
    window().Pump(0ms);
    EXPECT_TRUE(prompter->Shown("Check link"));
    EXPECT_TRUE(window().Closed());
    EXPECT_EQ(Transfer().stop, serial::kDeviceFinished);
    EXPECT_EQ(Transfer().lines_received, 1);
    // A later Stop does not change how the receive ended.
    window().OnStop();
    EXPECT_EQ(Transfer().stop, serial::kDeviceFinished);
}
