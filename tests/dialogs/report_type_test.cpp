#include "dialogs/report_type.h"

#include <gtest/gtest.h>

#include <memory>

#include "resources/strings.h"
#include "ui/dialog.h"

namespace {

class ReportTypeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        res::SetLanguage(res::Language::English);
        front_end = std::make_shared<ui::HeadlessFrontEnd>();
        ui::InstallFrontEnd(front_end);
    }
    void TearDown() override {
        ui::InstallFrontEnd(nullptr);
        res::SetLanguage(res::Language::English);
    }

    // What the window showed when it opened.
    struct Seen {
        std::string title, group;
        int all = -1, selected = -1;
    };
    // Runs the dialog with a script that looks, then does `act`.
    int Run(CReportType& dlg, Seen& seen, std::function<void(ui::Dialog&)> act) {
        front_end->Queue([&seen, act](ui::Dialog& d) {
            auto& f = d.frame();
            seen = {f.title, f.Text(kIdIncludeGroup), f.Checked(kIdAllObjects),
                    f.Checked(kIdSelectedObjects)};
            act(d);
        });
        return dlg.DoModal();
    }

    std::shared_ptr<ui::HeadlessFrontEnd> front_end;
};

TEST_F(ReportTypeTest, OpensWithNoChoiceAndOkKeepsNone) {
    CReportType dlg;
    EXPECT_EQ(dlg.m_nChoice, -1);
    EXPECT_EQ(dlg.m_nExportMode, 0);
    Seen seen;
    EXPECT_EQ(Run(dlg, seen, [](ui::Dialog& d) { d.OnCommand(ui::IDOK); }), ui::IDOK);
    EXPECT_EQ(seen.all, 0);
    EXPECT_EQ(seen.selected, 0);
    EXPECT_EQ(dlg.m_nChoice, -1);
}

TEST_F(ReportTypeTest, ExportModeChangesTitleAndGroupCaption) {
    CReportType report;
    Seen seen;
    Run(report, seen, [](ui::Dialog& d) { d.OnCommand(ui::IDOK); });
    EXPECT_EQ(seen.title, "Report contents");
    EXPECT_EQ(seen.group, "Include to report");

    CReportType exporting;
    exporting.m_nExportMode = 1;
    Run(exporting, seen, [](ui::Dialog& d) { d.OnCommand(ui::IDOK); });
    EXPECT_EQ(seen.title, res::LoadString(9120));
    EXPECT_EQ(seen.group, res::LoadString(9121));

    res::SetLanguage(res::Language::Russian);
    CReportType russian;
    Run(russian, seen, [](ui::Dialog& d) { d.OnCommand(ui::IDOK); });
    EXPECT_EQ(seen.title, "Состав ведомости");
    EXPECT_EQ(seen.group, "Включить в ведомость");
}

TEST_F(ReportTypeTest, PresetChoiceShowsAndTheUsersChoiceComesBack) {
    CReportType dlg;
    dlg.m_nChoice = CReportType::kAll;
    Seen seen;
    Run(dlg, seen, [](ui::Dialog& d) {
        d.OnCommand(kIdSelectedObjects);
        d.OnCommand(ui::IDOK);
    });
    EXPECT_EQ(seen.all, 1);
    EXPECT_EQ(seen.selected, 0);
    EXPECT_EQ(dlg.m_nChoice, CReportType::kSelected);

    // The radio buttons exclude each other.
    Run(dlg, seen, [](ui::Dialog& d) {
        d.OnCommand(kIdAllObjects);
        EXPECT_EQ(d.frame().Checked(kIdSelectedObjects), 0);
        d.OnCommand(ui::IDOK);
    });
    EXPECT_EQ(seen.selected, 1);
    EXPECT_EQ(dlg.m_nChoice, CReportType::kAll);
}

TEST_F(ReportTypeTest, CancelLeavesTheChoiceAsItWas) {
    CReportType dlg;
    dlg.m_nChoice = CReportType::kAll;
    Seen seen;
    EXPECT_EQ(Run(dlg, seen,
                  [](ui::Dialog& d) {
                      d.OnCommand(kIdSelectedObjects);
                      d.OnCommand(ui::IDCANCEL);
                  }),
              ui::IDCANCEL);
    EXPECT_EQ(dlg.m_nChoice, CReportType::kAll);
    // A window closed without a button counts as Cancel.
    EXPECT_EQ(Run(dlg, seen, [](ui::Dialog&) {}), ui::IDCANCEL);
}

}  // namespace
