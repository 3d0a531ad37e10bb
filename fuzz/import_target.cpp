// One import format's reader fed one input file, as `tavrin events -f N` drives it: the import
// dialog, both passes, every event looked at.
#include <memory>

#include "fuzz_support.h"
#include "host/codepage.h"
#include "import/import_dialog.h"
#include "ui/dialog.h"

#ifndef FUZZ_FORMAT
#error "FUZZ_FORMAT names the import format index"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetProcessState();
    const auto path = fuzz::WriteInput("input.dat", data, size);

    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    size_t seen = 0;
    dlg.event_sink = [&](const vrk::PushInfo& e) { seen += host::ToUtf8(e.value).size(); };
    auto front = std::make_shared<ui::HeadlessFrontEnd>();
    front->Queue([&](ui::Dialog&) {
        dlg.current_folder = path.parent_path().string();
        dlg.frame().SetSelection(kIdTypeList, FUZZ_FORMAT);
        dlg.OnTypeChange();
        dlg.frame().SetText(kIdNameBox, path.filename().string());
        dlg.OnMOK();
    });
    ui::InstallFrontEnd(front);
    dlg.DoImport();
    ui::InstallFrontEnd(nullptr);
    return seen == static_cast<size_t>(-1);  // keeps the sink's work from being dropped
}
