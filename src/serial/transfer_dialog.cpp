#include "serial/transfer_dialog.h"

#include "resources/strings.h"
#include "serial/comm_port_settings.h"
#include "serial/comm_receiv.h"
#include "serial/comm_worker.h"
#include "serial/worker_thread.h"
#include "ui/prompter.h"

namespace serial {

CTransferDEVDlg::CTransferDEVDlg(vrk::CVrkObject* project, CImpDEVDlg::ProgressCallback callback)
    : m_pProject(project), m_Callback(std::move(callback)) {}

bool CTransferDEVDlg::WorkerGaveUp() {
    return m_worker && m_worker->WaitFor(std::chrono::milliseconds(0)) && m_worker->Result() < 0;
}

int CTransferDEVDlg::DoTransfer() {
    TransferState& state = Transfer();
    CCommPortSettings settings(state);
    if (settings.DoModal() != ui::IDOK)
        return 0;
    if (ui::ShowMessage(9023, ui::MB_YESNO | ui::MB_ICONQUESTION, 0, true) != ui::IDYES)
        return 0;

    {
        WorkerThread worker;
        CCommReceiv window(state, worker, state.file, state.exist, timeouts);
        window.OnInitDialog();
        if (on_show)
            on_show(window);
        state.stop = kReceiving;
        state.lines_received = 0;
        state.bytes_saved = state.bytes_unsaved = 0;
        state.saved_in.clear();
        state.write_error.clear();
        const ReceiveTimeouts limits = timeouts;
        if (!worker.Start(
                [&window, &state, limits] { return CommReadProc(&window, state, limits); })) {
            if (on_hide)
                on_hide(window);
            ui::ShowMessage(9008, ui::MB_OK | ui::MB_ICONSTOP, 0, true);
            return 0;
        }
        m_worker = &worker;
        while (state.stop == kReceiving) {
            window.Pump(pump_interval);
            if (on_pump && state.stop == kReceiving)
                on_pump(window);
        }
        // The worker ends within one read interval of the stop code; the window and the file
        // must outlive it.
        worker.Join();
        m_worker = nullptr;
        if (on_hide)
            on_hide(window);
        window.ShowPendingMessages();
        if (!window.Closed())
            state.lines_received = window.Lines();
    }

    const std::string question =
        res::Format(res::LoadString(9011), {state.file, std::to_string(state.lines_received)});
    if (ui::ShowMessage(question, ui::MB_YESNO | ui::MB_ICONQUESTION, 0, true) != ui::IDYES)
        return 0;
    CImpDEVDlg import(m_pProject, m_Callback, 9038, state.file, 1);
    return import.DoImport() == 1 ? 1 : 0;
}

}  // namespace serial
