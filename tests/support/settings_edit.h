// Changes the import dialog's settings as an options page does: copy, change, put back.
#pragma once

#include "import/import_dialog.h"

namespace testing_support {

template <class Change>
void EditSettings(CImpDEVDlg& dlg, Change change) {
    ImportSettings s = dlg.Settings();
    change(s);
    dlg.SetSettings(s);
}

}  // namespace testing_support
