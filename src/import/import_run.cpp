#include "import/import_run.h"

#include "import/import_dialog.h"
#include "readers/registry.h"

void RunBuiltInReader(CImpDEVDlg& dlg, int format) {
    if (auto reader = CreateReader(format, dlg.project(), &dlg, &dlg.ImportInfo()))
        reader->DoImport();
}
