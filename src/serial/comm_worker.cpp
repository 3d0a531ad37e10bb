#include "serial/comm_worker.h"

#include <new>
#include <string>
#include <thread>
#include <vector>

#include "platform/serial_port.h"
#include "platform/text_file.h"
#include "resources/strings.h"
#include "serial/comm_receiv.h"
#include "ui/prompter.h"

namespace serial {

namespace {

constexpr unsigned char kEndMark = 0xFF;
constexpr int kProgressStep = 20;

// Waits out a line that is gone, in short steps so that the stop code is seen at once.
void Idle(const TransferState& state, std::chrono::milliseconds total) {
    const auto step = std::chrono::milliseconds(20);
    for (auto waited = std::chrono::milliseconds(0); waited < total && state.stop == kReceiving;
         waited += step)
        std::this_thread::sleep_for(step);
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

    platform::TextFile file;
    const bool append = window->exist() == kAppendFile;
    if (!file.Open(window->file(),
                   append ? platform::TextFile::Append : platform::TextFile::Mode::Write)) {
        window->PostMessage(file.error());
        port.RestoreLine();
        window->PostCommand(kCmdReceiveEnded);
        return state.stop.load();
    }

    window->ResetLines();
    window->SetProgressRange(kLineLength);
    window->SetTimer();

    std::vector<char> buffer;
    std::string out;
    int count = 0;  // bytes of the current line
    bool ended = false;
    while (state.stop == kReceiving && !ended) {
        const int wait = port.WaitForInput(timeouts.read_interval);
        if (wait < 0)
            Idle(state, timeouts.read_interval);
        if (wait <= 0)
            continue;
        const long queued = port.Queued();
        if (queued <= 0)
            continue;
        try {
            buffer.resize(static_cast<size_t>(queued) + 1);
        } catch (const std::bad_alloc&) {
            window->PostMessage(res::Format(res::LoadString(9076), {std::to_string(queued)}));
            break;
        }
        const long got = port.Read(buffer.data(), static_cast<size_t>(queued));
        if (got < queued) {
            // The bytes the port announced did not come: the link is broken.
            window->PostMessage(res::LoadString(9082));
            if (got <= 0)
                break;
            ended = true;
        }
        window->KillTimer();
        buffer[static_cast<size_t>(got)] = '\0';

        out.clear();
        for (long i = 0; i < got; ++i) {
            const unsigned char byte = static_cast<unsigned char>(buffer[static_cast<size_t>(i)]);
            // A zero byte ends what this chunk has to say.
            if (byte == 0)
                break;
            if (byte == kEndMark || state.stop != kReceiving) {
                ended = true;
                break;
            }
            out += static_cast<char>(byte);
            ++count;
            if (count % kProgressStep == 0)
                window->PostProgress(count);
            if (count == kLineLength) {
                window->AddLine();
                out += '\n';
                count = 0;
            }
        }
        if (!out.empty() && !(file.Write(out) && file.Flush())) {
            window->PostMessage(file.error());
            break;
        }
        if (!ended)
            window->SetTimer();
    }

    window->KillTimer();
    port.RestoreLine();
    port.Close();
    file.Close();
    if (state.stop == kReceiving)
        window->PostCommand(kCmdReceiveEnded);
    return state.stop.load();
}

}  // namespace serial
