// The Options button of the import dialog.
#include "import/import_dialog.h"
#include "import/options_sheet.h"
#include "import/plugin_options.h"
#include "resources/strings.h"

void CImpDEVDlg::OnOptions() {
    if (auto plugin = FindPlugin(CurrentFormat())) {
        RunPluginOptions(*this, plugin);
        return;
    }
    if (CurrentFormat() < 0 || CurrentFormat() >= kBuiltInFormats)
        return;

    // The sheet takes the focus; the user's place in the file list is kept.
    const int mark = SelectionIndex(-1);
    CImpOptDlgSheet sheet(CurrentFormat(), res::LoadString(CaptionId()), false, this);
    // Pages may have copied their values into the settings on apply even when the sheet is
    // cancelled later; only OK makes them stick.
    if (sheet.DoModal() == ui::IDOK)
        SaveData();
    SelectionIndex(mark);
}
