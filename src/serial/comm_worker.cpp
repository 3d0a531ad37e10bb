#include "serial/comm_worker.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "platform/atomic_write.h"
#include "platform/serial_port.h"
#include "resources/strings.h"
#include "serial/comm_receiv.h"
#include "serial/line_assembler.h"
#include "ui/prompter.h"

namespace serial {

namespace {

// The window hears of the assembler's progress; Stop is the shared stop code.
class WindowListener : public LineAssembler::Listener {
  public:
    WindowListener(CCommReceiv& window, TransferState& state) : m_window(window), m_state(state) {}
    void Progress(int bytes) override { m_window.PostProgress(bytes); }
    void LineDone() override { m_window.AddLine(); }
    bool Stopped() override { return m_state.stop != kReceiving; }

  private:
    CCommReceiv& m_window;
    TransferState& m_state;
};

// Copies the file an append adds to into the new version of it; a file not there is empty.
bool CopyOld(const std::string& path, platform::AtomicFile& into, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in)
        return !std::filesystem::exists(path, ec) ||
               (error = "Cannot read " + path + " to add to it", false);
    std::array<char, 65536> block;
    while (in.read(block.data(), block.size()) || in.gcount() > 0)
        if (!into.Write(std::string_view(block.data(), static_cast<size_t>(in.gcount()))))
            return (error = into.WriteError(), false);
    return !in.bad() || (error = "Cannot read " + path + " to add to it", false);
}

}  // namespace

int CommReadProc(CCommReceiv* window, TransferState& state, const ReceiveTimeouts& timeouts) {
    if (!window) {
        ui::ShowMessage("Error in CommreadProc", ui::MB_OK | ui::MB_ICONSTOP, 0, true);
        return -1;
    }
    platform::SerialPort port;
    if (!port.Open(state.DevicePath())) {
        window->PostMessage(res::Format(res::LoadString(9002), {state.PortName()}) + "\n" +
                            port.error());
        return -1;
    }
    // The kernel keeps its own input queue; there is no buffer size to set.
    port.Discard();
    // A read returns what has come within the interval; it must also end within the completion
    // limit.
    port.SetReadTimeout(std::min(timeouts.read_interval, timeouts.read_completion));
    port.SaveLine();
    if (!port.Configure(state.Line())) {
        window->PostMessage(res::Format(res::LoadString(9002), {state.PortName()}) + "\n" +
                            port.error());
        return -1;  // the port puts its settings back as it closes
    }

    // The bytes go to a file beside the target; the target changes only once data has come, so
    // a receive that brings nothing (or is refused) leaves an existing file as it was.
    const bool append = window->exist() == kAppendFile;
    platform::AtomicFile file(window->file());
    std::string error;
    uint64_t kept = 0;  // bytes of the old file that an append carries over
    if (!file.Open(error) || (append && !CopyOld(window->file(), file, error))) {
        window->PostMessage(error);
        port.RestoreLine();
        window->PostCommand(kCmdReceiveEnded);
        return state.stop.load();
    }
    kept = file.written();

    window->ResetLines();
    window->SetProgressRange(kLineLength);
    window->SetTimer();

    std::vector<char> buffer;
    // Received bytes not yet written: kept until they are, so a failed write loses none of them
    // without saying so.
    std::string pending;
    LineAssembler assembler;
    WindowListener listener(*window, state);
    bool ended = false;
    while (state.stop == kReceiving && !ended) {
        const int wait = port.WaitForInput(timeouts.read_interval);
        if (wait < 0 || port.Lost())
            break;
        if (wait == 0)
            continue;
        long queued = port.Queued();
        if (queued < 0) {
            // The device itself is gone (an adapter pulled out).
            port.MarkLost();
            break;
        }
        // Input but nothing queued: the read waits for a byte in poll, or finds the hang-up.
        if (queued == 0)
            queued = 1;
        try {
            buffer.resize(static_cast<size_t>(queued) + 1);
        } catch (const std::bad_alloc&) {
            window->PostMessage(res::Format(res::LoadString(9076), {std::to_string(queued)}));
            break;
        }
        const long got = port.Read(buffer.data(), static_cast<size_t>(queued));
        if (got < queued && !port.Lost()) {
            // The bytes the port announced did not come: the link is broken.
            window->PostMessage(res::LoadString(9082));
            if (got <= 0)
                break;
            ended = true;
        }
        if (got <= 0 && port.Lost())
            break;
        window->KillTimer();
        buffer[static_cast<size_t>(got)] = '\0';

        if (assembler.Feed(std::string_view(buffer.data(), static_cast<size_t>(got)), pending,
                           listener))
            ended = true;
        const uint64_t before = file.written();
        const bool wrote = file.Write(pending);
        pending.erase(0, static_cast<size_t>(file.written() - before));
        if (!wrote) {
            error = file.WriteError();
            state.Stop(kWriteFailed);
            window->PostMessage(error);
            break;
        }
        if (port.Lost())
            break;
        if (!ended)
            window->SetTimer();
    }
    if (port.Lost() && state.Stop(kPortLost))
        window->PostMessage(res::Format(res::LoadString(9613), {state.PortName(), port.error()}));

    window->KillTimer();
    port.RestoreLine();
    port.Close();
    state.bytes_saved = file.written() - kept;
    state.bytes_unsaved = pending.size();
    state.saved_in = window->file();
    if (state.stop == kWriteFailed)
        state.write_error = error;
    // Nothing came: the target stays as it was. Else what came replaces (or extends) it; when
    // even that fails the bytes stay in the temporary file, and the summary names it.
    if (state.bytes_saved == 0) {
        file.Discard();
    } else if (!file.CommitWhatWasWritten(error)) {
        state.Stop(kWriteFailed);
        state.write_error = error;
        state.saved_in = file.temp().string();
    }
    if (state.stop == kReceiving)
        window->PostCommand(kCmdReceiveEnded);
    return state.stop.load();
}

}  // namespace serial
