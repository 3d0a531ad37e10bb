#include "serial/transfer_state.h"

#include <filesystem>

#include "platform/profile.h"
#include "resources/strings.h"
#include "text/paths.h"
#include "text/trim.h"

namespace serial {

namespace {
constexpr const char* kSection = "Section import from TDEV";
constexpr const char* kKey = "File name";
}  // namespace

unsigned TransferState::BaudOf(int index) {
    if (index < 0)
        index = 0;
    if (index >= kBaudCount)
        index = kBaudCount - 1;
    return 300u << index;
}

std::string TransferState::PortName() const {
    if (!device_path.empty())
        return device_path;
    return res::Format("%s%d", {res::LoadString(9001), std::to_string(port + 1)});
}

std::string TransferState::DevicePath() const {
    if (!device_path.empty())
        return device_path;
    return "/dev/ttyS" + std::to_string(port);
}

platform::SerialLine TransferState::Line() const {
    using L = platform::SerialLine;
    L line;
    line.baud = BaudOf(baud);
    line.data_bits = data_bits == 0 ? 8 : 7;
    line.parity = parity == 1 ? L::Parity::Even : parity == 2 ? L::Parity::Odd : L::Parity::None;
    line.stop_bits = stop_bits == 0 ? L::StopBits::Two : L::StopBits::One;
    line.dtr_handshake = (flow & kFlowDtr) != 0;
    line.rts_handshake = (flow & kFlowRts) != 0;
    line.xon_xoff = (flow & kFlowXon) != 0;
    return line;
}

bool TransferState::Stop(int code) {
    int expected = kReceiving;
    return stop.compare_exchange_strong(expected, code);
}

TransferState& Transfer() {
    static TransferState state;
    return state;
}

std::string RememberedFolder() {
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    std::string stored = platform::Profile::Instance().GetString(kSection, kKey, cwd);
    if (stored == cwd)
        return cwd;
    return text::Trim(text::FolderOf(stored));
}

void RememberFolder(const std::string& path) {
    platform::Profile::Instance().WriteString(kSection, kKey, path);
}

}  // namespace serial
