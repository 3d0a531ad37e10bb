#include "dialogs/report_type.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "resources/strings.h"
#include "ui/dialog.h"

namespace {

TEST(ReportType, TitleAndGroupCaptionFollowTheMode) {
    res::SetLanguage(res::Language::English);
    std::string seen;
    for (int mode : {0, 1}) {
        CReportType dlg;
        dlg.m_nExportMode = mode;
        dlg.OnInitDialog();
        seen += dlg.frame().title + "|" + dlg.frame().Text(kIdIncludeGroup) + "\n";
    }
    EXPECT_EQ(seen, "Report contents|Include to report\nExport data|Export\n");
}

// Clicking Selected after a preset All must clear All, or OK would read All back.
TEST(ReportType, PresetIsShownAndOnlyOkTakesTheClickedChoice) {
    using R = CReportType;
    struct Row {
        int preset;
        std::vector<int> clicks;
        int close, result, choice;
    };
    const std::vector<Row> rows = {
        {R::kNone, {}, ui::IDOK, ui::IDOK, R::kNone},
        {R::kAll, {kIdSelectedObjects}, ui::IDOK, ui::IDOK, R::kSelected},
        {R::kSelected, {kIdAllObjects}, ui::IDOK, ui::IDOK, R::kAll},
        {R::kAll, {kIdSelectedObjects}, ui::IDCANCEL, ui::IDCANCEL, R::kAll},
        {R::kSelected, {kIdAllObjects}, 0, ui::IDCANCEL, R::kSelected},
    };
    auto front_end = std::make_shared<ui::HeadlessFrontEnd>();
    ui::InstallFrontEnd(front_end);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "preset " << row.preset << ", close " << row.close);
        // The script looks at the radio buttons, clicks, then presses `close` (0: closes the
        // window without a button).
        front_end->Queue([&row](ui::Dialog& d) {
            EXPECT_EQ(d.frame().Checked(kIdAllObjects), row.preset == R::kAll);
            EXPECT_EQ(d.frame().Checked(kIdSelectedObjects), row.preset == R::kSelected);
            for (int id : row.clicks) d.OnCommand(id);
            if (row.close)
                d.OnCommand(row.close);
        });
        CReportType dlg;
        if (row.preset != R::kNone)
            dlg.m_nChoice = row.preset;  // a new dialog starts with nothing chosen
        EXPECT_EQ(dlg.DoModal(), row.result);
        EXPECT_EQ(dlg.m_nChoice, row.choice);
    }
    ui::InstallFrontEnd(nullptr);
}

}  // namespace
