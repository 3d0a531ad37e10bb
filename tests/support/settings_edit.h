// Changes the import dialog's settings as an options page does: copy, change, put back.
#pragma once

#include <functional>

#include "import/import_dialog.h"

namespace testing_support {

template <class Change>
void EditSettings(CImpDEVDlg& dlg, Change change) {
    ImportSettings s = dlg.Settings();
    change(s);
    dlg.SetSettings(s);
}

// The name and code columns of the M5 layout, or with `rec500` of the Rec 500 one.
inline std::function<void(ImportSettings&)> Columns(int name_start, int name_width, int code_start,
                                                    int code_width, bool rec500 = false) {
    return [=](ImportSettings& s) {
        (rec500 ? s.NameStartE : s.NameStart) = name_start;
        (rec500 ? s.NameWidthE : s.NameWidth) = name_width;
        (rec500 ? s.CodeStartE : s.CodeStart) = code_start;
        (rec500 ? s.CodeWidthE : s.CodeWidth) = code_width;
    };
}

}  // namespace testing_support
