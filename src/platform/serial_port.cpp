// The kernel's termios2 interface is used instead of <termios.h> because the receiver needs
// rates that have no B-constant (76800, 153600); the two headers cannot be mixed.
#include "platform/serial_port.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

std::string Reason(int err) {
    return std::strerror(err);
}

int PollMs(std::chrono::milliseconds left) {
    if (left.count() <= 0)
        return 0;
    return left.count() > 60000 ? 60000 : static_cast<int>(left.count());
}

}  // namespace

struct SerialPort::Saved {
    struct termios2 line {};
    int modem = 0;
    bool have_modem = false;
};

SerialPort::SerialPort() = default;

SerialPort::~SerialPort() {
    Close();
}

bool SerialPort::IsOpen() const {
    return m_fd >= 0;
}

bool SerialPort::Fail(const std::string& what) {
    m_error = m_device + ": " + what;
    return false;
}

bool SerialPort::Open(const std::string& device) {
    Close();
    m_device = device;
    m_error.clear();
    m_lost = false;
    // Non-blocking, so that a port waiting for its carrier does not hang the open; reads wait
    // through poll with their own time limits.
    int fd = ::open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Fail(Reason(errno));
    if (!::isatty(fd)) {
        ::close(fd);
        return Fail("not a serial port");
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        const int err = errno;
        ::close(fd);
        return Fail("cannot be held exclusively: " + Reason(err));
    }
    m_fd = fd;
    return true;
}

void SerialPort::Close() {
    if (m_fd < 0)
        return;
    if (m_saved)
        RestoreLine();
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

bool SerialPort::SaveLine() {
    if (m_fd < 0)
        return Fail("not open");
    auto saved = std::make_unique<Saved>();
    if (::ioctl(m_fd, TCGETS2, &saved->line) != 0)
        return Fail(Reason(errno));
    // A pseudo-terminal has no modem lines; then there are none to put back.
    saved->have_modem = ::ioctl(m_fd, TIOCMGET, &saved->modem) == 0;
    m_saved = std::move(saved);
    return true;
}

bool SerialPort::RestoreLine() {
    if (m_fd < 0 || !m_saved)
        return Fail("no saved line settings");
    const std::unique_ptr<Saved> saved = std::move(m_saved);
    if (::ioctl(m_fd, TCSETS2, &saved->line) != 0)
        return Fail(Reason(errno));
    if (saved->have_modem) {
        int lines = saved->modem & (TIOCM_DTR | TIOCM_RTS);
        int clear = ~saved->modem & (TIOCM_DTR | TIOCM_RTS);
        if (lines)
            ::ioctl(m_fd, TIOCMBIS, &lines);
        if (clear)
            ::ioctl(m_fd, TIOCMBIC, &clear);
    }
    return true;
}

void ApplyLine(const SerialLine& line, LineWords& w) {
    // Raw bytes: no line editing, no echo, no signals, no translation of line ends.
    w.iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY |
                 INPCK | IGNPAR | IUCLC | IMAXBEL);
    w.oflag &= ~OPOST;
    w.lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);

    w.cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
    w.cflag |= CREAD | CLOCAL | (line.data_bits == 7 ? CS7 : CS8);
    if (line.parity != SerialLine::Parity::None) {
        w.cflag |= PARENB;
        if (line.parity == SerialLine::Parity::Odd)
            w.cflag |= PARODD;
        w.iflag |= INPCK;  // parity is checked when there is one
    }
    // Termios knows one and two stop bits only; there is no one and a half.
    if (line.stop_bits == SerialLine::StopBits::Two)
        w.cflag |= CSTOPB;
    // The kernel drives RTS/CTS itself. There is no DSR/DTR handshake in termios: DTR is raised
    // as the "ready" line in either case.
    if (line.rts_handshake)
        w.cflag |= CRTSCTS;
    if (line.xon_xoff) {
        w.iflag |= IXON | IXOFF;
        w.start = SerialLine::kXon;
        w.stop = SerialLine::kXoff;
    }
}

namespace {

// The B-constant of a standard rate; BOTHER for the others (76800, 153600).
unsigned RateCode(unsigned baud) {
    static const std::pair<unsigned, unsigned> kRates[] = {
        {300, B300},     {600, B600},       {1200, B1200},    {2400, B2400},
        {4800, B4800},   {9600, B9600},     {19200, B19200},  {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400}};
    for (const auto& [rate, code] : kRates)
        if (rate == baud)
            return code;
    return BOTHER;
}

}  // namespace

bool SerialPort::Configure(const SerialLine& line) {
    if (m_fd < 0)
        return Fail("not open");
    struct termios2 t {};
    if (::ioctl(m_fd, TCGETS2, &t) != 0)
        return Fail(Reason(errno));

    LineWords w{t.c_iflag, t.c_oflag, t.c_cflag, t.c_lflag, t.c_cc[VSTART], t.c_cc[VSTOP]};
    ApplyLine(line, w);
    t.c_iflag = w.iflag;
    t.c_oflag = w.oflag;
    t.c_cflag = w.cflag;
    t.c_lflag = w.lflag;
    t.c_cc[VSTART] = w.start;
    t.c_cc[VSTOP] = w.stop;
    // Reads do their own waiting (poll), so a read never blocks for a minimum count or a time.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;

    const unsigned code = RateCode(line.baud);
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= code | (code << IBSHIFT);
    t.c_ispeed = line.baud;
    t.c_ospeed = line.baud;
    if (::ioctl(m_fd, TCSETS2, &t) != 0)
        return Fail("line settings refused: " + Reason(errno));

    // A pseudo-terminal refuses modem-line calls; that is no reason to stop.
    int lines = TIOCM_DTR | (line.rts_handshake ? 0 : TIOCM_RTS);
    ::ioctl(m_fd, TIOCMBIS, &lines);
    return true;
}

bool SerialPort::Discard() {
    if (m_fd < 0)
        return Fail("not open");
    if (::ioctl(m_fd, TCFLSH, TCIOFLUSH) != 0)
        return Fail(Reason(errno));
    return true;
}

int SerialPort::WaitForInput(std::chrono::milliseconds timeout) {
    if (m_fd < 0)
        return -1;
    const auto until = Clock::now() + timeout;
    for (;;) {
        pollfd p{m_fd, POLLIN, 0};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        int r = ::poll(&p, 1, PollMs(left));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0) {
            Fail(Reason(errno));
            return -1;
        }
        if (r == 0) {
            if (Clock::now() < until)
                continue;  // poll waits at most a minute at a time
            return 0;
        }
        if (p.revents & POLLIN)
            return 1;
        m_lost = true;
        Fail("line hung up");
        return -1;
    }
}

long SerialPort::Queued() {
    int n = 0;
    if (m_fd < 0 || ::ioctl(m_fd, FIONREAD, &n) != 0)
        return -1;
    return n;
}

long SerialPort::Read(char* data, size_t size) {
    if (m_fd < 0)
        return -1;
    const auto until = Clock::now() + m_readTimeout;
    size_t got = 0;
    while (got < size) {
        ssize_t r = ::read(m_fd, data + got, size - got);
        if (r > 0) {
            got += static_cast<size_t>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN) {
            // An I/O error on a terminal: its other end is gone.
            m_lost = true;
            Fail(Reason(errno));
            return got > 0 ? static_cast<long>(got) : -1;
        }
        // Nothing more yet: wait for the rest, within the read timeout.
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        if (left.count() <= 0 || WaitForInput(left) != 1)
            break;
    }
    return static_cast<long>(got);
}

}  // namespace platform
