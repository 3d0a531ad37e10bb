// Rates without a B-constant: checked through the kernel's own view of the line.
#include <asm/termbits.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/serial_port.h"

TEST(SerialPortRate, EveryRateOfTheListReachesTheLine) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const std::string path = ptsname(master);
    platform::SerialPort port;
    ASSERT_TRUE(port.Open(path)) << port.error();
    for (unsigned baud = 300; baud <= 153600; baud *= 2) {
        platform::SerialLine line;
        line.baud = baud;
        ASSERT_TRUE(port.Configure(line)) << baud << ": " << port.error();
        int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        struct termios2 t {};
        ASSERT_EQ(ioctl(fd, TCGETS2, &t), 0);
        close(fd);
        EXPECT_EQ(t.c_ospeed, baud);
        EXPECT_EQ(t.c_ispeed, baud);
    }
    port.Close();
    close(master);
}
