#include "platform/serial_port.h"

#include <gmock/gmock.h>
#include <sys/ioctl.h>

#include "serial_fixture.h"

using ::testing::HasSubstr;

using platform::SerialLine;
using platform::SerialPort;
using serial_test::Pty;
using namespace std::chrono_literals;

TEST(SerialPortOpen, ExclusiveWhileOpenAndRefusesWhatIsNotAPort) {
    Pty pty;
    auto exclusive = [&] {
        int on = 0;
        return ioctl(pty.slave, TIOCGEXCL, &on) == 0 && on != 0;
    };
    {
        SerialPort port;
        ASSERT_TRUE(port.Open(pty.path)) << port.error();
        EXPECT_TRUE(exclusive());
    }
    EXPECT_FALSE(exclusive());

    SerialPort port;
    EXPECT_FALSE(port.Open("/nonexistent/ttyS9"));
    EXPECT_THAT(port.error(), HasSubstr("/nonexistent/ttyS9"));
    EXPECT_FALSE(port.Open("/dev/null"));
    EXPECT_THAT(port.error(), HasSubstr("not a serial port"));
    // Nothing open: the line calls fail cleanly.
    char c;
    EXPECT_FALSE(port.SaveLine() || port.Configure({}));
    EXPECT_EQ(std::tuple(port.Read(&c, 1), port.Queued(), port.WaitForInput(1ms)),
              std::tuple(-1L, -1L, -1));
}

TEST(SerialPortLine, ChoicesMakeTheFlagWords) {
    // Of all the choices the one that is not the default, then odd parity alone.
    const SerialLine all_on{.data_bits = 7,
                            .parity = SerialLine::Parity::Even,
                            .stop_bits = SerialLine::StopBits::Two,
                            .rts_handshake = true,
                            .xon_xoff = true};
    const SerialLine odd{.parity = SerialLine::Parity::Odd};
    // Line, then the bits of CSIZE, PARENB, PARODD, CSTOPB, CRTSCTS and the input word.
    const std::tuple<SerialLine, unsigned, unsigned> rows[] = {
        {all_on, CS7 | PARENB | CSTOPB | CRTSCTS, INPCK | IXON | IXOFF},
        {odd, CS8 | PARENB | PARODD, INPCK},
        {SerialLine{}, CS8, 0}};
    for (const auto& [line, cflag, iflag] : rows) {
        SCOPED_TRACE(cflag);
        // From a terminal's words: all that a raw line must not have goes.
        platform::LineWords w{ICRNL | IXANY | ISTRIP, OPOST, CS8 | HUPCL, ICANON | ECHO | ISIG};
        platform::ApplyLine(line, w);
        EXPECT_EQ(w.cflag & (CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS), cflag);
        EXPECT_EQ(w.cflag & (CREAD | CLOCAL | HUPCL), static_cast<unsigned>(CREAD | CLOCAL));
        EXPECT_EQ(std::pair(w.iflag, w.lflag | w.oflag), std::pair(iflag, 0u));
        EXPECT_TRUE(!line.xon_xoff || (w.start == 17 && w.stop == 19));
    }
}

TEST(SerialPortLine, RestoreOrCloseUndoesConfigure) {
    Pty pty;
    const termios before = pty.Settings();
    SerialPort port;
    ASSERT_TRUE(port.Open(pty.path));
    ASSERT_TRUE(port.SaveLine());
    const SerialLine line{.stop_bits = SerialLine::StopBits::Two, .xon_xoff = true};
    ASSERT_TRUE(port.Configure(line)) << port.error();
    EXPECT_TRUE((pty.Settings().c_cflag & CSTOPB) && !(pty.Settings().c_lflag & ICANON));
    ASSERT_TRUE(port.RestoreLine());
    EXPECT_TRUE(serial_test::SameLine(before, pty.Settings()));
    EXPECT_FALSE(port.RestoreLine());  // nothing left to restore
    // Settings saved and not restored go back when the port closes.
    ASSERT_TRUE(port.SaveLine());
    ASSERT_TRUE(port.Configure(line));
    port.Close();
    EXPECT_TRUE(serial_test::SameLine(before, pty.Settings()));
}

TEST(SerialPortInput, WaitQueueReadDiscardAndBinaryBytes) {
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.Open(pty.path));
    ASSERT_TRUE(port.Configure({}));
    port.SetReadTimeout(50ms);
    EXPECT_EQ(port.WaitForInput(20ms), 0);
    ASSERT_TRUE(pty.Send("abcdef"));
    ASSERT_EQ(port.WaitForInput(2s), 1);
    // The line discipline may hand the bytes over a moment after the first one shows.
    for (int i = 0; i < 100 && port.Queued() < 6; ++i) std::this_thread::sleep_for(2ms);
    EXPECT_EQ(port.Queued(), 6);
    char buf[16] = {};
    EXPECT_EQ(port.Read(buf, 4), 4);
    // Asking for more than came returns what there is once the read timeout has passed.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Read(buf + 4, 10), 2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);
    EXPECT_EQ(std::string(buf), "abcdef");

    ASSERT_TRUE(pty.Send("zzz"));
    ASSERT_EQ(port.WaitForInput(2s), 1);
    std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(port.Discard() && port.Queued() == 0) << port.Queued();

    // Every byte but the flow-control characters passes unchanged.
    port.SetReadTimeout(500ms);
    std::string all;
    for (int c = 0; c < 256; ++c)
        if (c != 17 && c != 19)
            all += static_cast<char>(c);
    ASSERT_TRUE(pty.Send(all));
    std::string got(all.size(), '\0');
    EXPECT_EQ(port.Read(got.data(), got.size()), static_cast<long>(all.size()));
    EXPECT_EQ(got, all);
}
