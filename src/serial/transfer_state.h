// What the serial receiver keeps for the life of the process: the last choices of the settings
// dialog, the stop code the worker and the window share, and the remembered folder.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/serial_port.h"

namespace serial {

// How a receive ended. Moves from kReceiving to exactly one of the others.
enum StopCode : int {
    kReceiving = 0,
    kStoppedByUser = 1,    // Stop pressed after data arrived
    kDeviceTimeout = 2,    // the device fell silent after data arrived
    kDeviceFinished = 3,   // the device ended the transmission after data arrived
    kNothingReceived = 4,  // ended in any of those ways before a whole line arrived
    kPortLost = 5,         // the port went away (hang-up, I/O error)
    kWriteFailed = 6       // the received bytes could not all be written
};

// The existing-file choice.
enum ExistChoice : int { kNewFile = 0, kAppendFile = 1, kCancelled = 2 };

// Flow-control flags.
enum FlowFlags : uint8_t { kFlowDtr = 1, kFlowRts = 2, kFlowXon = 4 };

constexpr int kBaudCount = 10;
constexpr int kPortCount = 4;
constexpr int kLineLength = 84;  // bytes of one received line

// The waits of a receive. The instruments' defaults; tests use short ones.
struct ReceiveTimeouts {
    std::chrono::milliseconds silence{30000};          // no data: the device timed out
    std::chrono::milliseconds read_interval{1000};     // one wait for input, one read
    std::chrono::milliseconds read_completion{30000};  // a read that takes longer fails
    std::chrono::milliseconds stop_wait{5000};         // for the worker after Stop
    std::chrono::milliseconds end_wait{30000};         // for the worker after a timeout or end
};

struct TransferState {
    bool initialised = false;
    int device = 0;     // index into the device list (one entry, "3TA5")
    int baud = 4;       // the rate is 300 doubled this many times
    int port = 0;       // "Comm1".."Comm4"
    int data_bits = 0;  // 0: 8 data bits, else 7
    int parity = 0;     // "Нет", "Чет", "Нечет"
    int stop_bits = 0;  // "2", "1"
    uint8_t flow = kFlowXon;
    std::string file;
    int exist = kNewFile;
    // A device path that replaces the port list (the command line's --port); empty for none.
    std::string device_path;
    std::atomic<int> stop{kReceiving};
    int lines_received = 0;
    // Where the last receive's bytes went: the bytes on disk in `saved_in` (the file, or the
    // temporary file beside it when it could not be put in place), those that could not be
    // written, and why.
    uint64_t bytes_saved = 0, bytes_unsaved = 0;
    std::string saved_in, write_error;

    // The rate of the baud index.
    static unsigned BaudOf(int index);
    // The port's name in messages: "COM2", or the device path given instead.
    std::string PortName() const;
    // The device opened: the given path, else /dev/ttyS0 to /dev/ttyS3 for COM1 to COM4.
    std::string DevicePath() const;
    // The line as the choices say: parity "Нет" none, "Чет" even, "Нечет" odd; stop bits "2"
    // two, "1" one; 8 data bits for choice 0, else 7.
    platform::SerialLine Line() const;
    // Sets the stop code when it is still kReceiving; true when this call set it.
    bool Stop(int code);
};

// The one process-wide state.
TransferState& Transfer();

// The remembered folder ("Section import from TDEV", "File name"): the current folder when
// nothing else is known; a stored path gives its folder.
std::string RememberedFolder();
void RememberFolder(const std::string& path);

}  // namespace serial
