// Where an import setting comes from: the constructor, then the engine's side, then the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_fixture.h"
#include "import/import_dialog.h"
#include "platform/profile.h"
#include "support/settings_edit.h"

namespace fs = std::filesystem;

namespace {

using SettingsChain = dialog_files_test::DialogFilesTest;

}  // namespace

TEST_F(SettingsChain, ConstructorThenEngineThenFile) {
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    // Constructor defaults.
    EXPECT_EQ(dlg.Settings().CheckDel, 0);
    EXPECT_EQ(dlg.Settings().CodeSep, "/");
    EXPECT_EQ(dlg.Settings().Station412, 42);
    // The engine's side: the flags word starts at 15.
    dlg.SetCurrentFormat(12);
    dlg.GetData();
    EXPECT_EQ(dlg.Settings().CheckUnique, 1);
    EXPECT_EQ(dlg.Settings().CheckDel, 1);
    EXPECT_EQ(dlg.Settings().CheckAuto, 1);
    EXPECT_EQ(dlg.Settings().CodeNumeric, 1);
    EXPECT_EQ(dlg.Settings().ForceCode, 0);
    // The file overrides, per format section.
    auto& profile = platform::Profile::Instance();
    profile.WriteInt("ImportSettings\\GEODI", "CheckDel", 0);
    profile.WriteString("ImportSettings\\GEODI", "X0", "1234.500000");
    profile.WriteString("ImportSettings\\GEODI", "CodeSep", "");
    profile.WriteString("ImportSettings\\GEODI", "Link", "+");
    dlg.GetData();
    EXPECT_EQ(dlg.Settings().CheckDel, 0);
    EXPECT_DOUBLE_EQ(dlg.Settings().X0, 1234.5);
    EXPECT_EQ(dlg.Settings().CodeSep, "/");  // an empty text keeps the import's separator
    EXPECT_EQ(dlg.Settings().Link, "+");
    dlg.SetCurrentFormat(13);
    dlg.GetData();
    EXPECT_EQ(dlg.Settings().CheckDel, 1);  // another format's section
}

TEST_F(SettingsChain, EachFormatSavesItsOwnBlock) {
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    dlg.SetCurrentFormat(5);
    dlg.GetData();
    testing_support::EditSettings(dlg, [&](ImportSettings& s) {
        s.Format16Digits = 1;
        s.Hi412 = 47;
        s.NameStart = 9;
        s.Y0 = 500000;
    });
    dlg.SaveData();
    dlg.SetCurrentFormat(2);
    dlg.GetData();
    testing_support::EditSettings(dlg, [&](ImportSettings& s) { s.NameStart = 7; });
    dlg.SaveData();

    auto& profile = platform::Profile::Instance();
    profile.Reload();
    EXPECT_EQ(profile.GetInt("ImportSettings\\LEICA", "Hi412", 0), 47);
    EXPECT_FALSE(profile.Has("ImportSettings\\LEICA", "NameStart"));
    EXPECT_EQ(profile.GetString("ImportSettings\\LEICA", "Y0", ""), "500000.000000");
    EXPECT_EQ(profile.GetInt("ImportSettings\\ELTAC_M5", "NameStart", 0), 7);
    EXPECT_FALSE(profile.Has("ImportSettings\\ELTAC_M5", "Hi412"));

    CImpDEVDlg again(&project, nullptr, 0, "", 0);
    again.SetCurrentFormat(5);
    again.GetData();
    EXPECT_EQ(again.Settings().Format16Digits, 1);
    EXPECT_EQ(again.Settings().Hi412, 47);
    EXPECT_DOUBLE_EQ(again.Settings().Y0, 500000);
}
