#include "import/import_run.h"

#include "import/import_dialog.h"
#include "readers/reader_factory.h"
#include "resources/strings.h"

void RunBuiltInReader(CImpDEVDlg& dlg, int format) {
    std::unique_ptr<CWImport> reader = CreateReader(format, dlg.project(), &dlg, &dlg.ImportInfo());
    if (!reader) {
        std::string caption =
            res::LoadString(BuiltInFormats()[static_cast<size_t>(format)].caption_id);
        dlg.project()->ImportLog().Write(
            res::Format(res::LoadString(res::kNoReaderMessage), {caption}), 0, 2);
        return;
    }
    reader->DoImport();
}
