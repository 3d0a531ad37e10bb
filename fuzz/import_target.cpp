// One import format's reader fed one input, as `tavrin events -f N` drives it: the import
// dialog, both passes, every event noted. One program serves every format: it is linked under
// the name fuzz_import_<section key> and reads that format, from memory through the same line
// reader as files; under a name ending in "_file" it goes through a real file instead.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "fuzz_support.h"
#include "import/import_dialog.h"
#include "readers/registry.h"
#include "ui/dialog.h"

namespace {

int g_format = -1;
bool g_through_file = false;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    std::string name = std::filesystem::path((*argv)[0]).filename().string();
    constexpr std::string_view kPrefix = "fuzz_import_", kFile = "_file";
    if (name.size() > kFile.size() && name.ends_with(kFile)) {
        g_through_file = true;
        name.resize(name.size() - kFile.size());
    }
    if (name.starts_with(kPrefix))
        g_format = FormatFromText(name.substr(kPrefix.size()), kBuiltInFormats - 1);
    if (g_format < 0) {
        std::fprintf(stderr, "%s: run me as fuzz_import_<format key>[_file]\n", (*argv)[0]);
        std::exit(2);
    }
    (void)argc;
    return 0;
}

void FuzzOne(std::string_view input) {
    std::optional<fuzz::ServedInput> served;
    std::filesystem::path path;
    if (g_through_file) {
        path = fuzz::WriteInput("input.dat", input);
    } else {
        served.emplace("input.dat", input);
        path = served->path();
    }
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    dlg.SetPushObserver([](const vrk::PushInfo& e) {
        fuzz::Note(e.pass * 1000 + e.id);
        fuzz::Note(e.line);
        fuzz::Note(e.value);
        fuzz::Note(e.accepted);
    });
    auto front = std::make_shared<ui::HeadlessFrontEnd>();
    front->Queue([&](ui::Dialog&) {
        dlg.SetCurrentFolder(path.parent_path().string());
        dlg.frame().SetSelection(kIdTypeList, g_format);
        dlg.OnTypeChange();
        dlg.frame().SetText(kIdNameBox, path.filename().string());
        dlg.OnMOK();
    });
    ui::InstallFrontEnd(front);
    fuzz::Note(dlg.DoImport());
    ui::InstallFrontEnd(nullptr);
    for (const auto& entry : project.ImportLog().Entries()) fuzz::Note(entry.text);
}
