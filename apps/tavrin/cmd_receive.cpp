// tavrin receive: the serial receive driven from the terminal. The options fill the settings
// dialog, the questions are answered by --yes/--no/--new/--append or on the terminal, and Ctrl-C
// is the Stop button of the receive window.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>

#include "cli.h"
#include "import/import_dialog.h"
#include "resources/strings.h"
#include "serial/comm_fexist.h"
#include "serial/comm_port_settings.h"
#include "serial/comm_receiv.h"
#include "serial/transfer_dialog.h"
#include "ui/dialog.h"

namespace cli {
namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) {
    g_interrupted = true;
}

// Ctrl-C and termination press Stop instead of ending the process, so that the port gets its
// settings back. A question waiting for an answer gets none (the read is interrupted) and counts
// as No.
class InterruptAsStop {
  public:
    InterruptAsStop() {
        struct sigaction sa {};
        sa.sa_handler = OnInterrupt;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = 0;  // no restart: a waiting read returns
        sigaction(SIGINT, &sa, &m_int);
        sigaction(SIGTERM, &sa, &m_term);
        g_interrupted = false;
    }
    ~InterruptAsStop() {
        sigaction(SIGINT, &m_int, nullptr);
        sigaction(SIGTERM, &m_term, nullptr);
    }

  private:
    struct sigaction m_int {};
    struct sigaction m_term {};
};

// The choices of the options, as the settings dialog holds them; unset when not given.
struct Choices {
    std::optional<int> port, baud, data_bits, parity, stop_bits;
    std::optional<uint8_t> flow;
    std::string device;  // a device path instead of COM1..COM4
};

bool ParseChoices(const ReceiveArgs& a, Choices& c) {
    if (!a.port.empty()) {
        std::string p = a.port;
        for (const char* prefix : {"COM", "com", "Comm", "comm"})
            if (p.rfind(prefix, 0) == 0 && p.size() == std::strlen(prefix) + 1)
                p = p.substr(p.size() - 1);
        if (p.size() == 1 && p[0] >= '1' && p[0] <= '0' + serial::kPortCount)
            c.port = p[0] - '1';
        else
            c.device = a.port;
    }
    if (a.baud >= 0) {
        for (int i = 0; i < serial::kBaudCount; ++i)
            if (serial::TransferState::BaudOf(i) == static_cast<unsigned>(a.baud))
                c.baud = i;
        if (!c.baud) {
            PrintError(
                "--baud takes 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 76800 or "
                "153600, not " +
                std::to_string(a.baud));
            return false;
        }
    }
    if (a.data_bits >= 0) {
        if (a.data_bits != 7 && a.data_bits != 8) {
            PrintError("--data-bits takes 7 or 8");
            return false;
        }
        c.data_bits = a.data_bits == 8 ? 0 : 1;
    }
    if (!a.parity.empty()) {
        if (a.parity == "none")
            c.parity = 0;
        else if (a.parity == "even")
            c.parity = 1;
        else if (a.parity == "odd")
            c.parity = 2;
        else {
            PrintError("--parity takes none, even or odd, not \"" + a.parity + "\"");
            return false;
        }
    }
    if (a.stop_bits >= 0) {
        if (a.stop_bits != 1 && a.stop_bits != 2) {
            PrintError("--stop-bits takes 1 or 2");
            return false;
        }
        c.stop_bits = a.stop_bits == 2 ? 0 : 1;
    }
    if (!a.flow.empty()) {
        uint8_t flags = 0;
        std::stringstream list(a.flow);
        std::string item;
        while (std::getline(list, item, ',')) {
            if (item == "dtr")
                flags |= serial::kFlowDtr;
            else if (item == "rts")
                flags |= serial::kFlowRts;
            else if (item == "xon")
                flags |= serial::kFlowXon;
            else if (item != "none") {
                PrintError("--flow takes dtr, rts, xon (joined by commas) or none, not \"" + item +
                           "\"");
                return false;
            }
        }
        c.flow = flags;
    }
    return true;
}

// Answers the dialogs of the receive: the settings from the options, the existing file from
// --new/--append/--yes/--no or the terminal, the import dialog by pressing Import.
class ReceiveFrontEnd : public ui::FrontEnd {
  public:
    ReceiveFrontEnd(const ReceiveArgs& args, const Choices& choices)
        : m_args(args), m_choices(choices) {}

    int RunModal(ui::Dialog& dialog) override {
        if (!dialog.OnInitDialog())
            return ui::IDCANCEL;
        dialog.OnShowWindow();
        if (auto* s = dynamic_cast<serial::CCommPortSettings*>(&dialog))
            FillSettings(*s);
        else if (auto* f = dynamic_cast<serial::CCommFexist*>(&dialog))
            f->OnCommand(ChooseExisting(f->frame().Text(serial::kIdFexistText)));
        else if (auto* imp = dynamic_cast<CImpDEVDlg*>(&dialog)) {
            imp->OnFileNameChange();
            imp->OnMOK();
        }
        return dialog.frame().end_code.value_or(ui::IDCANCEL);
    }

  private:
    void FillSettings(serial::CCommPortSettings& s) {
        ui::Frame& f = s.frame();
        if (m_choices.port)
            f.SetSelection(serial::kIdPortList, *m_choices.port);
        if (m_choices.baud)
            f.SetSelection(serial::kIdRateList, *m_choices.baud);
        if (m_choices.data_bits)
            f.SetRadio(serial::kIdDataBits8, 2, *m_choices.data_bits);
        if (m_choices.parity)
            f.SetRadio(serial::kIdParityNone, 3, *m_choices.parity);
        if (m_choices.stop_bits)
            f.SetRadio(serial::kIdStopBits2, 2, *m_choices.stop_bits);
        if (m_choices.flow) {
            f.SetCheck(serial::kIdFlowDtr, (*m_choices.flow & serial::kFlowDtr) ? 1 : 0);
            f.SetCheck(serial::kIdFlowRts, (*m_choices.flow & serial::kFlowRts) ? 1 : 0);
            f.SetCheck(serial::kIdFlowXon, (*m_choices.flow & serial::kFlowXon) ? 1 : 0);
        }
        if (!m_args.output.empty())
            f.SetText(serial::kIdFileEdit, m_args.output);
        s.OnFileNameChange();
        s.OnOK();
    }

    int ChooseExisting(const std::string& text) {
        std::cerr << text << "\n";
        if (m_args.append)
            return serial::kIdAppendButton;
        if (m_args.new_file)
            return serial::kIdNewButton;
        if (m_args.answer == Answer::Yes) {
            std::cerr << "  -> new (--yes; --append keeps it)\n";
            return serial::kIdNewButton;
        }
        if (m_args.answer == Answer::No || !isatty(STDIN_FILENO)) {
            std::cerr << "  -> cancel"
                      << (m_args.answer == Answer::No
                              ? " (--no)"
                              : " (not a terminal; --new or --append chooses)")
                      << "\n";
            return ui::IDCANCEL;
        }
        for (;;) {
            std::cerr << "[n]ew, [a]ppend or [c]ancel? " << std::flush;
            std::string line;
            if (!std::getline(std::cin, line) || line == "c")
                return ui::IDCANCEL;
            if (line == "n")
                return serial::kIdNewButton;
            if (line == "a")
                return serial::kIdAppendButton;
        }
    }

    const ReceiveArgs& m_args;
    const Choices& m_choices;
};

std::string HowItEnded(const serial::TransferState& state) {
    switch (state.stop) {
        case serial::kStoppedByUser:
            return res::LoadPart(9685, 0);
        case serial::kDeviceTimeout:
            return res::LoadPart(9685, 1);
        case serial::kDeviceFinished:
            return res::LoadPart(9685, 2);
        case serial::kPortLost:
            return res::Format(res::LoadString(9612), {std::to_string(state.lines_received)});
        default:
            return res::LoadPart(9685, 3);
    }
}

}  // namespace

int CmdReceive(const ReceiveArgs& args) {
    if (args.new_file && args.append) {
        PrintError("--new and --append exclude each other");
        return kBadArguments;
    }
    if (!args.project.empty() && !args.import) {
        PrintError("--project needs --import");
        return kBadArguments;
    }
    Choices choices;
    if (!ParseChoices(args, choices))
        return kBadArguments;

    if (OutputIsAnInput(args.project, {args.output}))
        return kBadArguments;

    vrk::CVrkObject project;
    ProjectLocks locks;
    if (!locks.Take({args.project}))
        return kNotDone;
    std::string error;
    std::error_code ec;
    if (!args.project.empty() && std::filesystem::exists(args.project, ec) &&
        !project.LoadJson(args.project, error)) {
        PrintError(error);
        return kNotDone;
    }

    serial::TransferState& state = serial::Transfer();
    state.device_path = choices.device;
    InstallTerminalPrompter(args.answer);
    PrintProtocolLive(project);
    auto front = std::make_shared<ReceiveFrontEnd>(args, choices);
    ui::InstallFrontEnd(front);
    InterruptAsStop interrupts;

    ProgressBar import_bar;
    serial::CTransferDEVDlg dlg(
        &project, [&](int percent, vrk::CDocument*) { import_bar.Update(percent, state.file); });
    if (args.timeout > 0)
        dlg.timeouts.silence =
            std::chrono::milliseconds(static_cast<long long>(args.timeout * 1000));
    const bool tty = isatty(STDERR_FILENO);
    int last_shown = -1;
    dlg.on_show = [&](serial::CCommReceiv&) {
        std::cerr << res::Format(
                         res::LoadString(9680),
                         {state.PortName(),
                          std::to_string(serial::TransferState::BaudOf(state.baud)), state.file})
                  << (tty ? res::LoadString(9681) : std::string()) << "\n";
        // From here on the only question is whether to import what came.
        InstallTerminalPrompter(args.import ? Answer::Yes : Answer::No,
                                args.import ? "--import" : "no --import");
    };
    dlg.on_pump = [&](serial::CCommReceiv& w) {
        // Nobody else can press Stop when the worker gave up without ending the receive.
        if (g_interrupted || dlg.WorkerGaveUp()) {
            w.OnStop();
            return;
        }
        const int shown = w.Lines() * 100 + w.ProgressPosition();
        if (tty && shown != last_shown) {
            last_shown = shown;
            std::cerr << "\r"
                      << res::Format(res::LoadString(9682), {std::to_string(w.Lines()),
                                                             std::to_string(w.ProgressPosition()),
                                                             std::to_string(w.ProgressRange())})
                      << "  " << std::flush;
        }
    };

    state.stop = -1;  // stays so when no receive starts
    const int imported = dlg.DoTransfer();
    import_bar.Finish();
    ui::InstallFrontEnd(nullptr);
    if (tty && last_shown >= 0)
        std::fprintf(stderr, "\n");

    if (state.stop < 0) {
        std::cout << res::LoadString(9683) << "\n";
        return kNotDone;
    }
    if (state.stop == serial::kWriteFailed) {
        // The user must not clear the instrument believing the data is safe.
        std::cout << res::Format(res::LoadString(9614),
                                 {state.write_error, std::to_string(state.bytes_saved),
                                  state.saved_in, std::to_string(state.bytes_unsaved)});
        return kNotDone;
    }
    if (state.bytes_saved == 0) {
        std::cout << res::Format(res::LoadString(9615), {state.file});
        return kNotDone;
    }
    std::cout << res::Format(res::LoadString(9684),
                             {std::to_string(state.lines_received), state.file, HowItEnded(state)})
              << "\n";
    const int received =
        state.lines_received > 0 && state.stop != serial::kPortLost ? kOk : kNotDone;
    if (args.import) {
        size_t observations = 0;
        for (const auto& s : project.data().stations) observations += s.observations.size();
        std::cout << res::Format(res::LoadString(9686),
                                 {std::to_string(project.data().stations.size()),
                                  std::to_string(observations),
                                  std::to_string(project.data().points.size())})
                  << "\n";
        if (!imported) {
            SayNothingImported(args.project);
            return kNotDone;
        }
        if (!args.project.empty()) {
            // -o named nothing: the file is only known now.
            if (OutputIsAnInput(args.project, {state.file}))
                return kBadArguments;
            if (!project.SaveJson(args.project, error)) {
                PrintError(error);
                return kNotDone;
            }
            std::cout << res::Format(res::LoadString(res::kSummaryWritten), {args.project}) << "\n";
        }
    }
    return received;
}

}  // namespace cli
