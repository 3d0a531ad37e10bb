// Settings and options of plug-in formats: the plug-in's record in the dialog, the options
// sheet with the plug-in's pages, and the plug-in's own options dialog.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>

#include "import/options_sheet.h"
#include "plugin_fixture.h"
#include "support/settings_edit.h"

using ::testing::HasSubstr;

namespace plugin_test {
namespace {

using PluginSettingsTest = PluginTest;

constexpr int kPrefixEdit = 300;  // the fixture page's edit
constexpr int kCsvSeparator = 1001, kCsvHeader = 1002, kCsvControl = 1003;

void ChooseFormat(CImpDEVDlg& dlg, int format) {
    dlg.frame().SetSelection(kIdTypeList, format);
    dlg.OnTypeChange();
}

// Alpha has no pages: the dialog shows its record, its own dialog edits it, and the dialog
// saves into it, never into the built-in import table.
TEST_F(PluginSettingsTest, APluginWithoutPagesLoadsEditsAndSavesItsOwnRecord) {
    vrk::CClassificator classificator;
    classificator.slots[0] = {true, "Topo"};
    classificator.slots[3] = {true, "Roads"};
    classificator.slots[5] = {false, "Unused"};
    project.SetClassificator(classificator);
    profile().WriteInt("ImportSettings", "OnRelief", 0);
    profile().WriteInt("ImportSettings\\ALPHA", "CodeSystem", 7);
    UsePlugins({{"alpha.so", FIXTURE_ALPHA_PATH}});
    FixtureState& state = ResetState(FIXTURE_ALPHA_PATH);
    ChooseFormat(*dlg, 16);
    EXPECT_EQ(state.load_settings, 1);
    // The fixture's own defaults, and what its section holds.
    EXPECT_EQ(dlg->Settings().OnRelief, 1);
    EXPECT_EQ(dlg->Settings().CodeSystem, 7);
    EXPECT_EQ(dlg->Settings().ForceCode, 1);

    state.edit_answer = false;
    dlg->OnOptions();
    EXPECT_EQ(state.edit_options, 1);
    EXPECT_EQ(state.code_system_names, "Topo;Roads;");
    EXPECT_EQ(state.save_settings, 0) << "declined";
    EXPECT_EQ(front->Pending(), 0u);
    state.edit_answer = true;
    state.edit_relief = 2;
    dlg->OnOptions();
    EXPECT_EQ(state.save_settings, 1);
    EXPECT_EQ(dlg->Settings().OnRelief, 2) << "the dialog follows the plug-in";

    testing_support::EditSettings(*dlg, [&](ImportSettings& s) {
        s.CheckDel = 1;
        s.ForceCode = 0;
        s.NZone = 12;
        s.AtrVal.clear();
    });
    dlg->SaveData();
    EXPECT_EQ(state.save_settings, 2);
    platform::Profile::UseFile(config());  // what reached the file
    EXPECT_EQ(profile().GetInt("ImportSettings\\ALPHA", "OnRelief", -1), 2);
    EXPECT_EQ(profile().GetInt("ImportSettings\\ALPHA", "CheckDel", -1), 1);
    EXPECT_EQ(profile().GetInt("ImportSettings\\ALPHA", "ForceCode", -1), 0);
    EXPECT_EQ(profile().GetInt("ImportSettings\\ALPHA", "NZone", -1), 12);
    EXPECT_EQ(profile().GetInt("ImportSettings", "OnRelief", -1), 0);

    // Back again through the plug-in.
    ChooseFormat(*dlg, 0);
    ChooseFormat(*dlg, 16);
    EXPECT_EQ(dlg->Settings().CheckDel, 1);
    EXPECT_EQ(dlg->Settings().ForceCode, 0);
    EXPECT_EQ(dlg->Settings().NZone, 12);
    EXPECT_EQ(dlg->Settings().AtrVal, "#") << "an empty separator is not stored";
}

TEST_F(PluginSettingsTest, OptionsShowTheGeneralPagesAndThePluginsPage) {
    UsePlugins({{"leica.so", FIXTURE_LEICA_PATH}});
    FixtureState& state = ResetState(FIXTURE_LEICA_PATH);
    ChooseFormat(*dlg, 5);
    std::string title;
    std::vector<std::string> captions;
    front->Queue([&](ui::Dialog& d) {
        auto& sheet = dynamic_cast<CImpOptDlgSheet&>(d);
        title = sheet.frame().title;
        for (size_t i = 0; i < sheet.PageCount(); ++i) captions.push_back(sheet.Page(i).caption());
        // The general page shows the record's values.
        EXPECT_EQ(sheet.CommonPage().frame().Selection(kIdYStyle), 1);
        ASSERT_TRUE(sheet.SetActivePage(2));
        auto& page = sheet.Page(2);
        EXPECT_EQ(page.frame().Text(kPrefixEdit), "");
        page.frame().SetText(kPrefixEdit, "bad prefix");
        page.OnCommand(kPrefixEdit);
        EXPECT_FALSE(sheet.SetActivePage(0)) << "the page refuses a blank";
        EXPECT_FALSE(sheet.PressOK());
        page.frame().SetText(kPrefixEdit, "X_");
        sheet.CommonPage().frame().SetCheck(kIdCheckDel, 1);
        sheet.OnCommand(ui::IDOK);
    });
    dlg->OnOptions();
    EXPECT_EQ(front->Pending(), 0u);
    EXPECT_EQ(title, "Options for import from Leica by plug-in options");
    EXPECT_EQ(captions, (std::vector<std::string>{"Общие", "Кодировка", "Fixture"}));
    ASSERT_FALSE(prompter->shown.empty());
    EXPECT_EQ(prompter->shown.back().text, "A prefix has no blanks.");
    EXPECT_EQ(state.save_settings, 1);
    EXPECT_EQ(profile().GetString("ImportSettings\\LEICAPLUG", "Prefix", ""), "X_");
    EXPECT_EQ(dlg->Settings().CheckDel, 1);
    EXPECT_EQ(profile().GetInt("ImportSettings\\LEICAPLUG", "CheckDel", -1), 1);

    // Cancel saves nothing.
    front->Queue([&](ui::Dialog& d) {
        auto& sheet = dynamic_cast<CImpOptDlgSheet&>(d);
        sheet.SetActivePage(2);
        sheet.Page(2).frame().SetText(kPrefixEdit, "Y_");
        sheet.OnCommand(ui::IDCANCEL);
    });
    dlg->OnOptions();
    EXPECT_EQ(state.save_settings, 1);
    EXPECT_EQ(profile().GetString("ImportSettings\\LEICAPLUG", "Prefix", ""), "X_");
}

TEST_F(PluginSettingsTest, TheCsvPageChecksItsSeparatorAndKeepsItsChoices) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    ChooseFormat(*dlg, 16);
    std::string title;
    front->Queue([&](ui::Dialog& d) {
        auto& sheet = dynamic_cast<CImpOptDlgSheet&>(d);
        title = sheet.frame().title;
        ASSERT_EQ(sheet.PageCount(), 3u);
        ASSERT_TRUE(sheet.SetActivePage(2));
        auto& page = sheet.Page(2);
        EXPECT_EQ(page.caption(), "CSV");
        EXPECT_EQ(page.frame().Text(kCsvSeparator), ",");
        EXPECT_EQ(page.frame().Checked(kCsvHeader), 0);
        for (const char* bad : {"", "7", ".", "-", ";;", " ", "\""}) {
            page.frame().SetText(kCsvSeparator, bad);
            EXPECT_FALSE(sheet.PressOK()) << bad;
        }
        page.frame().SetText(kCsvSeparator, "tab");
        page.frame().SetCheck(kCsvHeader, 1);
        page.frame().SetCheck(kCsvControl, 1);
        EXPECT_TRUE(sheet.PressOK());
    });
    dlg->OnOptions();
    EXPECT_EQ(title, "Options for import from CSV points");
    EXPECT_EQ(prompter->shown.size(), 7u);
    EXPECT_THAT(prompter->shown.front().text, HasSubstr("separator"));
    EXPECT_EQ(profile().GetString("ImportSettings\\CSVPOINTS", "Separator", ""), "Tab");
    EXPECT_EQ(profile().GetString("ImportSettings\\CSVPOINTS", "Header", ""), "1");
    EXPECT_EQ(profile().GetString("ImportSettings\\CSVPOINTS", "ControlPoints", ""), "1");

    // The next import reads tab-separated known points, after a header line in each file; a
    // comma is no decimal point.
    WriteFile("tabs.csv", "\xEF\xBB\xBFname\tx\ty\th\nT1\t1,5\t2\t3\n");
    WriteFile("more.csv", "name\tx\ty\th\nT2\t4\t5\t6\n");
    ImportThrough(16, {"tabs.csv", "more.csv"});
    const std::string points = Points();
    EXPECT_EQ(std::count(points.begin(), points.end(), '\n'), 2) << points;
    EXPECT_THAT(points, HasSubstr("*T1 - 2 3\n"));
    EXPECT_THAT(points, HasSubstr("*T2 4 5 6\n"));
}

TEST_F(PluginSettingsTest, APluginWhosePagesThrowStillShowsTheGeneralPages) {
    UsePlugins({{"throws.so", FIXTURE_THROWS_PATH}});
    ChooseFormat(*dlg, 16);
    size_t pages = 0;
    front->Queue([&](ui::Dialog& d) {
        pages = dynamic_cast<CImpOptDlgSheet&>(d).PageCount();
        d.EndDialog(ui::IDCANCEL);
    });
    dlg->OnOptions();
    EXPECT_EQ(pages, 2u);
}

}  // namespace
}  // namespace plugin_test
