// A pseudo-terminal that plays the instrument: the test writes to the master side, the receiver
// opens the slave by its name.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

namespace serial_test {

class Pty {
  public:
    Pty() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
            ADD_FAILURE() << "openpty failed";
            return;
        }
        path = name;
        // A line as a terminal starts: canonical, echo, 9600 baud.
        termios t{};
        tcgetattr(slave, &t);
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        t.c_lflag |= ICANON | ECHO;
        tcsetattr(slave, TCSANOW, &t);
    }
    ~Pty() {
        if (master >= 0)
            close(master);
        if (slave >= 0)
            close(slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    termios Settings() const {
        termios t{};
        tcgetattr(slave, &t);
        return t;
    }

    // Waits until the receiver has made the line raw (it is listening then).
    bool WaitUntilRaw(std::chrono::milliseconds limit = std::chrono::seconds(5)) const {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            if (!(Settings().c_lflag & ICANON))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
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

    // Reads and drops what the line sends back (flow-control characters), so it never fills.
    void Drain() const {
        char buf[256];
        pollfd p{master, POLLIN, 0};
        while (poll(&p, 1, 0) > 0 && (p.revents & POLLIN) && read(master, buf, sizeof buf) > 0) {
        }
    }

    int master = -1;
    int slave = -1;
    std::string path;
};

inline bool SameLine(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::equal(a.c_cc, a.c_cc + NCCS, b.c_cc) &&
           cfgetispeed(&a) == cfgetispeed(&b) && cfgetospeed(&a) == cfgetospeed(&b);
}

}  // namespace serial_test
