#include "platform/serial_port.h"

#include <sys/ioctl.h>

#include <filesystem>
#include <fstream>

#include "pty_fixture.h"

using platform::SerialLine;
using platform::SerialPort;
using serial_test::Pty;
using namespace std::chrono_literals;

namespace {

bool Exclusive(int fd) {
    int on = 0;
    return ioctl(fd, TIOCGEXCL, &on) == 0 && on != 0;
}

}  // namespace

TEST(SerialPortOpen, ExclusiveWhileOpenAndReleasedAfter) {
    Pty pty;
    {
        SerialPort port;
        ASSERT_TRUE(port.Open(pty.path)) << port.error();
        EXPECT_TRUE(port.IsOpen());
        EXPECT_TRUE(Exclusive(pty.slave));
    }
    EXPECT_FALSE(Exclusive(pty.slave));
}

TEST(SerialPortOpen, RefusesWhatIsNotAPort) {
    SerialPort port;
    EXPECT_FALSE(port.Open("/nonexistent/ttyS9"));
    EXPECT_NE(port.error().find("/nonexistent/ttyS9"), std::string::npos);
    EXPECT_FALSE(port.IsOpen());
    const auto file = std::filesystem::temp_directory_path() / "tavrin-not-a-port.txt";
    std::ofstream(file) << "x";
    EXPECT_FALSE(port.Open(file.string()));
    EXPECT_NE(port.error().find("not a serial port"), std::string::npos);
    std::filesystem::remove(file);
    // Nothing open: the line calls fail cleanly.
    char c;
    EXPECT_FALSE(port.SaveLine());
    EXPECT_FALSE(port.Configure({}));
    EXPECT_EQ(port.Read(&c, 1), -1);
    EXPECT_EQ(port.Queued(), -1);
    EXPECT_EQ(port.WaitForInput(1ms), -1);
}

TEST(SerialPortLine, ChoicesMakeTheFlagWords) {
    platform::LineWords w;
    w.iflag = ICRNL | IXANY | ISTRIP;
    w.lflag = ICANON | ECHO | ISIG;
    w.oflag = OPOST;
    w.cflag = CS8 | HUPCL;
    SerialLine line;
    line.data_bits = 7;
    line.parity = SerialLine::Parity::Even;
    line.stop_bits = SerialLine::StopBits::Two;
    line.xon_xoff = true;
    line.rts_handshake = true;
    platform::ApplyLine(line, w);
    EXPECT_EQ(w.cflag & CSIZE, static_cast<unsigned>(CS7));
    EXPECT_EQ(w.cflag & (PARENB | PARODD), static_cast<unsigned>(PARENB));
    EXPECT_TRUE(w.cflag & CSTOPB);
    EXPECT_TRUE(w.cflag & CRTSCTS);
    EXPECT_TRUE(w.cflag & CREAD);
    EXPECT_TRUE(w.cflag & CLOCAL);
    EXPECT_FALSE(w.cflag & HUPCL);
    EXPECT_EQ(w.iflag, static_cast<unsigned>(INPCK | IXON | IXOFF));
    EXPECT_EQ(w.start, 17);
    EXPECT_EQ(w.stop, 19);
    EXPECT_EQ(w.lflag, 0u);
    EXPECT_EQ(w.oflag, 0u);

    SerialLine odd;
    odd.parity = SerialLine::Parity::Odd;
    platform::ApplyLine(odd, w);
    EXPECT_EQ(w.cflag & CSIZE, static_cast<unsigned>(CS8));
    EXPECT_EQ(w.cflag & (PARENB | PARODD), static_cast<unsigned>(PARENB | PARODD));
    EXPECT_FALSE(w.cflag & (CSTOPB | CRTSCTS));
    EXPECT_EQ(w.iflag, static_cast<unsigned>(INPCK));
    platform::ApplyLine(SerialLine{}, w);
    EXPECT_FALSE(w.cflag & (PARENB | PARODD));
    EXPECT_EQ(w.iflag, 0u);
}

TEST(SerialPortLine, ConfigureReachesTheLineAndRestoreUndoesIt) {
    Pty pty;
    const termios before = pty.Settings();
    SerialPort port;
    ASSERT_TRUE(port.Open(pty.path));
    ASSERT_TRUE(port.SaveLine());
    SerialLine line;
    line.baud = 19200;
    line.stop_bits = SerialLine::StopBits::Two;
    line.xon_xoff = true;
    ASSERT_TRUE(port.Configure(line)) << port.error();
    // What a pseudo-terminal keeps of it (it is always 8 bits without parity).
    termios t = pty.Settings();
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(t.c_cc[VSTART], 17);
    EXPECT_EQ(t.c_cc[VSTOP], 19);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));

    ASSERT_TRUE(port.RestoreLine());
    EXPECT_TRUE(serial_test::SameLine(before, pty.Settings()));
    // Once restored, there is nothing left to restore.
    EXPECT_FALSE(port.RestoreLine());

    // Settings saved and not restored go back when the port closes.
    ASSERT_TRUE(port.SaveLine());
    line.baud = 153600;
    ASSERT_TRUE(port.Configure(line));
    EXPECT_FALSE(serial_test::SameLine(before, pty.Settings()));
    port.Close();
    EXPECT_TRUE(serial_test::SameLine(before, pty.Settings()));
}

TEST(SerialPortInput, WaitQueueReadAndDiscard) {
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
    EXPECT_EQ(std::string(buf, 4), "abcd");
    // Asking for more than came returns what there is once the read timeout has passed.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Read(buf, 10), 2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);
    EXPECT_EQ(std::string(buf, 2), "ef");

    ASSERT_TRUE(pty.Send("zzz"));
    ASSERT_EQ(port.WaitForInput(2s), 1);
    std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(port.Discard());
    EXPECT_EQ(port.Queued(), 0);
    EXPECT_EQ(port.WaitForInput(10ms), 0);
}

TEST(SerialPortInput, BinaryBytesPassUnchanged) {
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.Open(pty.path));
    ASSERT_TRUE(port.Configure({}));
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
