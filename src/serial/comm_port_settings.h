// The port settings dialog: device, rate, port, framing, flow control and the destination file.
// It opens with the last choices of the process and checks the port and the file on OK.
#pragma once

#include <functional>
#include <string>

#include "serial/transfer_state.h"
#include "ui/dialog.h"

namespace serial {

enum PortSettingsControl : int {
    kIdDeviceList = 9084,
    kIdRateList = 9090,
    kIdPortList = 9093,
    kIdFileEdit = 9076,
    kIdBrowse = 9077,
    kIdDataBits8 = 9098,   // then 9099 "7"
    kIdParityNone = 9100,  // then 9101 "Чет", 9102 "Нечет"
    kIdStopBits2 = 9108,   // then 9109 "1"
    kIdFlowDtr = 9113,
    kIdFlowRts = 9116,
    kIdFlowXon = 9117,
    kIdRateGroup = 9094,
    kIdDataBitsGroup = 9097,
    kIdParityGroup = 9103,
    kIdStopBitsGroup = 9107,
};

// What the browse button asks a front end for.
struct BrowseRequest {
    std::string default_extension;  // "txt"
    std::string folder;             // where the chooser starts
    std::string filter;             // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"
};

class CCommPortSettings : public ui::Dialog {
  public:
    explicit CCommPortSettings(TransferState& state) : m_state(state) {}

    bool OnInitDialog() override;
    void OnShowWindow() override;
    bool OnCommand(int id) override;
    void OnOK();
    void OnDeviceChange();
    void OnFileNameChange();
    void OnBrowse();

    // The chooser of the browse button: true with the chosen path. Without one the button does
    // nothing (the headless front end has no file chooser).
    std::function<bool(const BrowseRequest&, std::string&)> browse;

    // The choices as the controls hold them.
    int baud = 0, device = 0, port = 0, data_bits = 0, parity = 0, stop_bits = 0;
    std::string file;
    int exist = kNewFile;

  private:
    // Moves the choices to the controls, or (save) back; false when a control holds no valid
    // choice.
    bool UpdateData(bool save);
    void EnableLineControls();

    TransferState& m_state;
};

}  // namespace serial
