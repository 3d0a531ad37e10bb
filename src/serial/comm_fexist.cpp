#include "serial/comm_fexist.h"

#include "resources/strings.h"
#include "serial/transfer_state.h"
#include "ui/prompter.h"

namespace serial {

bool CCommFexist::OnInitDialog() {
    m_frame.SetText(kIdFexistText, res::Format(res::LoadString(9006), {m_file}));
    m_frame.Show(kIdFexistIcon, true);
    ui::MessageBeep(ui::MB_ICONEXCLAMATION);
    return true;
}

bool CCommFexist::OnCommand(int id) {
    if (id != kIdNewButton && id != kIdAppendButton && id != ui::IDCANCEL)
        return false;
    EndDialog(id);
    return true;
}

int CCommFexist::Choose() {
    switch (DoModal()) {
        case kIdNewButton:
            return kNewFile;
        case kIdAppendButton:
            return kAppendFile;
        default:
            return kCancelled;
    }
}

}  // namespace serial
