// The serial receive: port settings, the ready question, the receive window with its worker,
// and the offer to import the received file as a 3TA5 file.
#pragma once

#include <chrono>
#include <functional>

#include "import/import_dialog.h"
#include "serial/transfer_state.h"

namespace serial {

class CCommReceiv;
class WorkerThread;

class CTransferDEVDlg {
  public:
    CTransferDEVDlg(vrk::CVrkObject* project, CImpDEVDlg::ProgressCallback callback);

    // Runs the whole transfer; 1 when the received file was imported.
    int DoTransfer();

    ReceiveTimeouts timeouts;
    // Longest wait of one round of the message pump.
    std::chrono::milliseconds pump_interval{20};
    // Called when the receive window opens (a front end shows it).
    std::function<void(CCommReceiv&)> on_show;
    // Called after every round of the pump while bytes arrive: a front end shows the window's
    // progress and may press its Stop button.
    std::function<void(CCommReceiv&)> on_pump;
    // Called when the receive has ended, while the window still exists (a front end closes it).
    std::function<void(CCommReceiv&)> on_hide;
    // Whether the worker of the current receive has ended without ending the receive (the port
    // could not be set up): only Stop ends it then.
    bool WorkerGaveUp();

  private:
    vrk::CVrkObject* const m_pProject;
    const CImpDEVDlg::ProgressCallback m_Callback;
    WorkerThread* m_worker = nullptr;
};

}  // namespace serial
