#include "serial/comm_port_settings.h"

#include <filesystem>

#include "platform/serial_port.h"
#include "resources/strings.h"
#include "serial/comm_fexist.h"
#include "text/paths.h"
#include "ui/prompter.h"

namespace serial {

namespace {

constexpr const char* kDefaultName = "3TA5.txt";

bool InRange(int v, int count) {
    return v >= 0 && v < count;
}

}  // namespace

bool CCommPortSettings::OnInitDialog() {
    TransferState& s = m_state;
    if (!s.initialised) {
        s.baud = 4;
        s.device = 0;
        s.port = 0;
        s.parity = s.data_bits = s.stop_bits = 0;
        s.flow = kFlowXon;
        s.exist = kNewFile;
        std::string folder = RememberedFolder();
        if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
            folder += '/';
        s.file = folder + kDefaultName;
        s.initialised = true;
    }
    baud = s.baud;
    device = s.device;
    port = s.port;
    data_bits = s.data_bits;
    parity = s.parity;
    stop_bits = s.stop_bits;
    exist = s.exist;
    file = s.file.empty() ? kDefaultName : s.file;

    std::vector<std::string> rates;
    for (int i = 0; i < kBaudCount; ++i) rates.push_back(std::to_string(TransferState::BaudOf(i)));
    m_frame.SetItems(kIdRateList, std::move(rates));
    m_frame.SetItems(kIdDeviceList, {"3TA5"});
    m_frame.SetItems(kIdPortList, {"Comm1", "Comm2", "Comm3", "Comm4"});
    m_frame.SetCheck(kIdFlowDtr, (s.flow & kFlowDtr) ? 1 : 0);
    m_frame.SetCheck(kIdFlowRts, (s.flow & kFlowRts) ? 1 : 0);
    m_frame.SetCheck(kIdFlowXon, (s.flow & kFlowXon) ? 1 : 0);
    UpdateData(false);
    OnFileNameChange();
    return true;
}

void CCommPortSettings::OnShowWindow() {
    EnableLineControls();
}

bool CCommPortSettings::OnCommand(int id) {
    switch (id) {
        case ui::IDOK:
            OnOK();
            return true;
        case ui::IDCANCEL:
            EndDialog(ui::IDCANCEL);
            return true;
        case kIdDeviceList:
            OnDeviceChange();
            return true;
        case kIdFileEdit:
            OnFileNameChange();
            return true;
        case kIdBrowse:
            OnBrowse();
            return true;
        default:
            return false;
    }
}

bool CCommPortSettings::UpdateData(bool save) {
    ui::Frame& f = m_frame;
    if (!save) {
        f.SetSelection(kIdRateList, baud);
        f.SetSelection(kIdDeviceList, device);
        f.SetSelection(kIdPortList, port);
        f.SetText(kIdFileEdit, file);
        f.SetRadio(kIdDataBits8, 2, data_bits);
        f.SetRadio(kIdParityNone, 3, parity);
        f.SetRadio(kIdStopBits2, 2, stop_bits);
        return true;
    }
    const int b = f.Selection(kIdRateList), d = f.Selection(kIdDeviceList),
              p = f.Selection(kIdPortList);
    const int db = f.Radio(kIdDataBits8, 2), pa = f.Radio(kIdParityNone, 3),
              sb = f.Radio(kIdStopBits2, 2);
    if (!InRange(b, kBaudCount) || !InRange(d, 1) || !InRange(p, kPortCount) || db < 0 || pa < 0 ||
        sb < 0)
        return false;
    baud = b;
    device = d;
    port = p;
    data_bits = db;
    parity = pa;
    stop_bits = sb;
    file = f.Text(kIdFileEdit);
    return true;
}

void CCommPortSettings::EnableLineControls() {
    const int d = m_frame.Selection(kIdDeviceList);
    const bool on = d == 0;
    for (int id : std::initializer_list<int>{kIdRateList, kIdRateGroup, kIdDataBitsGroup,
                                             kIdParityGroup, kIdStopBitsGroup, kIdDataBits8,
                                             kIdDataBits8 + 1, kIdParityNone, kIdParityNone + 1,
                                             kIdParityNone + 2, kIdStopBits2, kIdStopBits2 + 1})
        m_frame.Enable(id, on);
}

void CCommPortSettings::OnDeviceChange() {
    if (m_frame.Selection(kIdDeviceList) < 0) {
        ui::ShowMessage(9003, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0, true);
        return;
    }
    EnableLineControls();
}

void CCommPortSettings::OnFileNameChange() {
    m_frame.Enable(ui::IDOK, !m_frame.Text(kIdFileEdit).empty());
}

void CCommPortSettings::OnBrowse() {
    if (!browse)
        return;
    BrowseRequest request;
    request.default_extension = "txt";
    request.folder = RememberedFolder();
    request.filter = res::LoadString(9024) + " (*." + "txt" + ")|*." + "txt" + "|" +
                     res::LoadString(9025) + " (*.*)|*.*||";
    std::string chosen;
    if (!browse(request, chosen) || chosen.empty())
        return;
    file = chosen;
    m_frame.SetText(kIdFileEdit, chosen);
    OnFileNameChange();
    RememberFolder(text::FolderOf(chosen));
}

void CCommPortSettings::OnOK() {
    if (!UpdateData(true)) {
        ui::ShowMessage(9003, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0, true);
        return;
    }
    TransferState& s = m_state;
    s.baud = baud;
    s.device = device;
    s.port = port;
    s.data_bits = data_bits;
    s.parity = parity;
    s.stop_bits = stop_bits;
    s.flow = static_cast<uint8_t>((m_frame.Checked(kIdFlowDtr) ? kFlowDtr : 0) |
                                  (m_frame.Checked(kIdFlowRts) ? kFlowRts : 0) |
                                  (m_frame.Checked(kIdFlowXon) ? kFlowXon : 0));
    {
        platform::SerialPort probe;
        if (!probe.Open(s.DevicePath())) {
            ui::ShowMessage(
                res::Format(res::LoadString(9002), {s.PortName()}) + "\n" + probe.error(),
                ui::MB_OK | ui::MB_ICONEXCLAMATION, 0, true);
            return;
        }
    }
    if (file.empty()) {
        ui::ShowMessage(9088, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0, true);
        return;
    }
    s.file = file;
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(file, ec)) {
        fs::path full = fs::canonical(file, ec);
        if (!ec)
            s.file = full.string();
        const int choice = CCommFexist(s.file).Choose();
        if (choice == kCancelled)
            return;
        s.exist = choice;
    } else {
        s.exist = kNewFile;  // a file yet to be made keeps its name as entered
    }
    file = s.file;
    RememberFolder(text::FolderOf(text::ResolvePath(std::string(), s.file)));
    EndDialog(ui::IDOK);
}

}  // namespace serial
