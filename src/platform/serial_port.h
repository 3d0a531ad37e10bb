// A serial port over POSIX termios, as a receiver needs it: opened read-only and exclusively,
// line settings saved and put back, the line set up, input discarded, waited for and read.
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace platform {

struct SerialLine {
    enum class Parity { None, Odd, Even };
    enum class StopBits { One, Two };
    static constexpr unsigned char kXon = 17;
    static constexpr unsigned char kXoff = 19;

    unsigned baud = 4800;
    int data_bits = 8;  // 7 or 8
    Parity parity = Parity::None;
    StopBits stop_bits = StopBits::One;
    bool dtr_handshake = false;  // otherwise DTR is simply on
    bool rts_handshake = false;  // otherwise RTS is simply on
    bool xon_xoff = false;       // software flow control both ways with kXon and kXoff
};

// The flag words of a terminal line, in the Linux numbering that <termios.h> shares.
struct LineWords {
    unsigned iflag = 0, oflag = 0, cflag = 0, lflag = 0;
    unsigned char start = 0, stop = 0;  // the XON and XOFF characters
};
// Makes the words raw, 8-bit clean input with the line's framing and flow control (the rate is
// set apart). Pseudo-terminals keep only part of this (always 8 bits, no parity).
void ApplyLine(const SerialLine& line, LineWords& words);

class SerialPort {
  public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens an existing terminal device for reading only and holds it exclusively (others who
    // try to open it get "busy"). False with a reason in error().
    bool Open(const std::string& device);
    // Puts back saved line settings not yet restored, releases the device.
    void Close();
    bool IsOpen() const;
    const std::string& error() const { return m_error; }

    // Remembers the current line settings (rate, framing, flow control, modem lines); Restore
    // puts them back. Configure does not save by itself.
    bool SaveLine();
    bool RestoreLine();
    // Raw 8-bit-clean input with the given rate, framing and flow control.
    bool Configure(const SerialLine& line);
    // Drops everything waiting in both directions.
    bool Discard();
    // Longest time one Read waits for its bytes.
    void SetReadTimeout(std::chrono::milliseconds total) { m_readTimeout = total; }

    // 1 when input waits, 0 when none came within `timeout`, -1 when the line is gone or failed.
    int WaitForInput(std::chrono::milliseconds timeout);
    // True once the device has gone away (hang-up, I/O error, end of input): a pulled cable.
    bool Lost() const { return m_lost; }
    void MarkLost() { m_lost = true; }
    // Bytes waiting in the input queue; -1 on failure.
    long Queued();
    // Reads up to `size` bytes, waiting at most the read timeout for them to arrive: the count
    // read (possibly fewer), or -1 when the device failed.
    long Read(char* data, size_t size);

  private:
    struct Saved;
    int m_fd = -1;
    std::unique_ptr<Saved> m_saved;
    std::chrono::milliseconds m_readTimeout{1000};
    std::string m_error;
    std::string m_device;
    bool m_lost = false;
    bool Fail(const std::string& what);
};

}  // namespace platform
