// Every export writer fed a project the project reader accepted (the path of `tavrin export`),
// all points and then only the selected ones.
#include <memory>

#include "dialogs/report_type.h"
#include "export/export_formats.h"
#include "fuzz_support.h"
#include "import/contracts/vrk.h"
#include "ui/dialog.h"

void FuzzOne(std::string_view input) {
    const auto path = fuzz::WriteInput("project.json", input);
    vrk::CVrkObject project;
    std::string error;
    if (!project.LoadJson(path.string(), error))
        return;
    const auto out = fuzz::ScratchDir() / "export.out";
    std::error_code ec;
    std::filesystem::remove(out, ec);  // what the last input wrote
    for (const auto& format : ExportFormats()) {
        for (int choice : {kIdAllObjects, kIdSelectedObjects}) {
            auto front = std::make_shared<ui::HeadlessFrontEnd>();
            front->Queue([choice](ui::Dialog& d) {
                d.OnCommand(choice);
                d.OnCommand(ui::IDOK);
            });
            ui::InstallFrontEnd(front);
            fuzz::Note(CreateExporter(format.index)->DoExport(&project, out.string()));
            ui::InstallFrontEnd(nullptr);
            fuzz::NoteFile(out);
        }
    }
}
