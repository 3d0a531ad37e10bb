// The receive's line assembler fed the input in chunks as the port hands them over: each chunk
// is a length byte and that many bytes; a length of 0xFE is the user pressing Stop. What comes
// out must be the data bytes, a CR LF after every full line, and nothing else.
#include <cstdlib>

#include "fuzz_support.h"
#include "serial/line_assembler.h"
#include "serial/transfer_state.h"

namespace {

constexpr unsigned char kStopPressed = 0xFE;

struct Listener final : serial::LineAssembler::Listener {
    int lines = 0;
    int last_progress = 0;
    bool stop = false;
    void Progress(int bytes) override {
        if (bytes <= 0 || bytes >= serial::kLineLength || bytes % 20 != 0)
            std::abort();
        last_progress = bytes;
    }
    void LineDone() override { ++lines; }
    bool Stopped() override { return stop; }
};

void Check(bool ok) {
    if (!ok)
        std::abort();
}

}  // namespace

void FuzzOne(std::string_view input) {
    serial::LineAssembler assembler;
    Listener listener;
    std::string out;
    std::string kept;  // the bytes the assembler had to keep
    while (!input.empty()) {
        const auto length = static_cast<unsigned char>(input.front());
        input.remove_prefix(1);
        if (length == kStopPressed) {
            listener.stop = true;
            continue;
        }
        const std::string_view chunk = input.substr(0, length);
        input.remove_prefix(chunk.size());
        const size_t before = out.size();
        const bool ended = assembler.Feed(chunk, out, listener);
        // Only a prefix of the chunk is taken: up to a zero byte, the end mark or Stop.
        size_t taken = 0;
        while (taken < chunk.size() && chunk[taken] != '\0' && chunk[taken] != '\xFF' &&
               !listener.stop)
            ++taken;
        Check(ended == (taken < chunk.size() && chunk[taken] != '\0'));
        kept += chunk.substr(0, taken);
        const size_t data = kept.size();
        Check(listener.lines == static_cast<int>(data / serial::kLineLength));
        Check(assembler.partial() == static_cast<int>(data % serial::kLineLength));
        Check(out.size() == data + 2 * static_cast<size_t>(listener.lines));
        fuzz::Note(out.substr(before));
        if (ended)
            break;
    }
    // The kept bytes in order, with CR LF where each line's 84 bytes end.
    std::string expected;
    for (size_t at = 0; at < kept.size(); at += serial::kLineLength) {
        expected += kept.substr(at, serial::kLineLength);
        if (at + serial::kLineLength <= kept.size())
            expected += "\r\n";
    }
    Check(out == expected);
}
