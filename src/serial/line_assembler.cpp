#include "serial/line_assembler.h"

#include "serial/transfer_state.h"

namespace serial {
namespace {

constexpr unsigned char kEndMark = 0xFF;
constexpr int kProgressStep = 20;

}  // namespace

bool LineAssembler::Feed(std::string_view chunk, std::string& out, Listener& listener) {
    for (const char c : chunk) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0)
            return false;
        if (byte == kEndMark || listener.Stopped())
            return true;
        out += c;
        ++m_count;
        if (m_count % kProgressStep == 0)
            listener.Progress(m_count);
        if (m_count == kLineLength) {
            listener.LineDone();
            out += "\r\n";
            m_count = 0;
        }
    }
    return false;
}

}  // namespace serial
