// Settings and options of plug-in formats: the plug-in's record in the dialog, the options
// sheet with the plug-in's pages, and the plug-in's own options dialog.
#include <gmock/gmock.h>

#include "plugin_fixture.h"
#include "support/settings_edit.h"

using ::testing::HasSubstr;

namespace plugin_test {
namespace {

constexpr int kPrefixEdit = 300;  // the fixture page's edit
constexpr int kCsvSeparator = 1001, kCsvHeader = 1002, kCsvControl = 1003;

using PluginSettingsTest = PluginTest;

std::string Stored(const char* section, const char* key) {
    return platform::Profile::Instance().GetString(std::string("ImportSettings\\") + section, key,
                                                   "-");
}

// Alpha has no pages: the dialog shows its record, its own dialog edits it, and the dialog
// saves into it, never into the built-in import table.
TEST_F(PluginSettingsTest, APluginWithoutPagesLoadsEditsAndSavesItsOwnRecord) {
    vrk::CClassificator classificator;
    classificator.slots[0] = {true, "Topo", {}};
    classificator.slots[3] = {true, "Roads", {}};
    project.SetClassificator(classificator);
    profile().WriteInt("ImportSettings", "OnRelief", 0);
    profile().WriteInt("ImportSettings\\ALPHA", "CodeSystem", 7);
    UsePlugins({{"alpha.so", FIXTURE_ALPHA_PATH}});
    FixtureState& state = ResetState(FIXTURE_ALPHA_PATH);
    PickFormat(*dlg, 16);
    EXPECT_EQ(state.load_settings, 1);
    // The fixture's own defaults, and what its section holds.
    const ImportSettings& s = dlg->Settings();
    EXPECT_EQ(std::vector({s.OnRelief, s.CodeSystem, s.ForceCode}), std::vector({1, 7, 1}));

    state.edit_answer = false;
    dlg->OnOptions();
    EXPECT_EQ(std::tuple(state.edit_options, state.code_system_names, state.save_settings),
              std::tuple(1, "Topo;Roads;", 0));
    state.edit_answer = true;
    dlg->OnOptions();
    EXPECT_EQ(std::pair(state.save_settings, s.OnRelief), std::pair(1, 2)) << "the dialog follows";

    testing_support::EditSettings(*dlg, [&](ImportSettings& e) {
        e.CheckDel = 1;
        e.ForceCode = 0;
        e.NZone = 12;
        e.AtrVal.clear();
    });
    dlg->SaveData();
    EXPECT_EQ(state.save_settings, 2);
    platform::Profile::UseFile(config());  // what reached the file
    for (auto [key, value] :
         {std::pair{"OnRelief", "2"}, {"CheckDel", "1"}, {"ForceCode", "0"}, {"NZone", "12"}})
        EXPECT_EQ(Stored("ALPHA", key), value) << key;
    EXPECT_EQ(profile().GetInt("ImportSettings", "OnRelief", -1), 0);

    // Back again through the plug-in.
    PickFormat(*dlg, 0);
    PickFormat(*dlg, 16);
    EXPECT_EQ(std::vector({s.CheckDel, s.ForceCode, s.NZone}), std::vector({1, 0, 12}));
    EXPECT_EQ(s.AtrVal, "#") << "an empty separator is not stored";
}

TEST_F(PluginSettingsTest, OptionsShowTheGeneralPagesAndThePluginsPage) {
    UsePlugins({{"leica.so", FIXTURE_LEICA_PATH}});
    FixtureState& state = ResetState(FIXTURE_LEICA_PATH);
    PickFormat(*dlg, 5);
    std::string title;
    std::vector<std::string> captions;
    InSheet([&](CImpOptDlgSheet& sheet) {
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
    EXPECT_EQ(title, "Options for import from Leica by plug-in options");
    EXPECT_EQ(captions, (std::vector<std::string>{"Общие", "Кодировка", "Fixture"}));
    EXPECT_EQ(Boxes(), std::vector<std::string>(2, "A prefix has no blanks."));
    EXPECT_EQ(std::pair(state.save_settings, dlg->Settings().CheckDel), std::pair(1, 1));
    EXPECT_EQ(Stored("LEICAPLUG", "Prefix") + Stored("LEICAPLUG", "CheckDel"), "X_1");

    // Cancel saves nothing.
    InSheet([&](CImpOptDlgSheet& sheet) {
        sheet.SetActivePage(2);
        sheet.Page(2).frame().SetText(kPrefixEdit, "Y_");
        sheet.OnCommand(ui::IDCANCEL);
    });
    dlg->OnOptions();
    EXPECT_EQ(state.save_settings, 1);
    EXPECT_EQ(Stored("LEICAPLUG", "Prefix"), "X_");
}

TEST_F(PluginSettingsTest, TheCsvPageChecksItsSeparatorAndKeepsItsChoices) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    PickFormat(*dlg, 16);
    InSheet([&](CImpOptDlgSheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(2));
        auto& page = sheet.Page(2);
        EXPECT_EQ(std::tuple(page.caption(), page.frame().Text(kCsvSeparator),
                             page.frame().Checked(kCsvHeader)),
                  std::tuple("CSV", ",", 0));
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
    EXPECT_THAT(Boxes(),
                ::testing::AllOf(::testing::SizeIs(7), ::testing::Each(HasSubstr("separator"))));
    EXPECT_EQ(Stored("CSVPOINTS", "Separator") + Stored("CSVPOINTS", "Header") +
                  Stored("CSVPOINTS", "ControlPoints"),
              "Tab11");

    // Then tab-separated known points after a header line in each file; a comma is no decimal.
    tmp.Write("tabs.csv", "\xEF\xBB\xBFname\tx\ty\th\nT1\t1,5\t2\t3\n");
    tmp.Write("more.csv", "name\tx\ty\th\nT2\t4\t5\t6\n");
    ImportNames(*dlg, 16, "\"tabs.csv\" \"more.csv\"");
    EXPECT_EQ(Points(), "*T1 - 2 3\n*T2 4 5 6\n");
}

}  // namespace
}  // namespace plugin_test
