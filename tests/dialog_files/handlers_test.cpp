#include <string>

#include "dialog_fixture.h"
#include "support/settings_edit.h"

namespace dialog_files_test {
namespace {

using HandlersTest = DialogFilesTest;

TEST_F(HandlersTest, OpeningAndFormatChangeLoadTheFormatsSettings) {
    profile().WriteInt(Section("LEICA"), "CheckDel", 0);  // 1 by default
    profile().WriteInt(Section("GEODI"), "CheckDel", 1);
    profile().WriteString(Section("GEODI"), "CodeSep", "%");
    dlg->SetCurrentFormat(5);
    EXPECT_TRUE(dlg->OnInitDialog());
    dlg->OnShowWindow();
    auto& f = dlg->frame();
    EXPECT_EQ(f.title, res::LoadString(9052));
    EXPECT_EQ(f.Selection(kIdTypeList), 5);
    EXPECT_EQ(dlg->Settings().CheckDel, 0);
    EXPECT_FALSE(f.IsEnabled(kIdFiles));  // nothing imported yet
    EXPECT_FALSE(f.IsVisible(ui::IDOK));
    EXPECT_FALSE(f.IsVisible(ui::IDCANCEL));
    f.SetText(kIdNameBox, "*.GSI");
    dlg->OnFileNameChange();

    f.SetSelection(kIdTypeList, 12);
    dlg->OnTypeChange();
    EXPECT_EQ(dlg->CurrentFormat(), 12);
    EXPECT_EQ(f.Text(kIdNameBox), "");
    EXPECT_EQ(dlg->CaptionId(), 9039u);
    EXPECT_EQ(dlg->Settings().CheckDel, 1);
    EXPECT_EQ(dlg->Settings().CodeSep, "%");
    // The wildcard typed for the Leica format is not saved for Geodimeter.
    dlg->SaveFilter();
    EXPECT_FALSE(profile().Has(Section("GEODI"), "Filters"));

    // No selection or an unknown one keeps the format.
    f.SetText(kIdNameBox, "a.job");
    for (int bad : {-1, 16}) {
        f.SetSelection(kIdTypeList, bad);
        dlg->OnTypeChange();
        EXPECT_EQ(dlg->CurrentFormat(), 12);
        EXPECT_EQ(f.Selection(kIdTypeList), 12);
        EXPECT_EQ(f.Text(kIdNameBox), "a.job");
    }
}

TEST_F(HandlersTest, NameBoxDecidesViewAndImport) {
    auto& f = dlg->frame();
    dlg->SetCurrentFormat(9);
    f.SetSelection(kIdTypeList, 3);
    f.SetText(kIdNameBox, "  a.gsi ");
    dlg->OnFileNameChange();
    EXPECT_EQ(f.Text(kIdNameBox), "a.gsi");
    EXPECT_TRUE(f.IsEnabled(kIdImport));
    EXPECT_TRUE(f.IsEnabled(kIdView));
    EXPECT_EQ(f.Selection(kIdTypeList), 9);  // set back to the format in use

    for (const char* text : {"*.GSI", "", "   "}) {
        f.Enable(kIdView, true);
        f.Enable(kIdImport, true);
        f.SetText(kIdNameBox, text);
        dlg->OnFileNameChange();
        EXPECT_FALSE(f.IsEnabled(kIdView)) << text;
        EXPECT_FALSE(f.IsEnabled(kIdImport)) << text;
    }

    // A folder change keeps a wildcard only.
    f.SetText(kIdNameBox, "*.gsi");
    dlg->OnFolderChange();
    EXPECT_EQ(f.Text(kIdNameBox), "*.gsi");
    f.SetText(kIdNameBox, "a.gsi");
    dlg->OnFolderChange();
    EXPECT_EQ(f.Text(kIdNameBox), "");
}

TEST_F(HandlersTest, TypedWildcardImportsNothingAndBecomesTheFilterAtTheNextImport) {
    tmp.Write("a.gsi", "");
    dlg->SetCurrentFormat(5);
    dlg->OnInitDialog();
    auto& f = dlg->frame();
    f.SetSelection(kIdTypeList, 5);
    f.SetText(kIdNameBox, "*.GSI");
    dlg->OnMOK();
    EXPECT_TRUE(dlg->ImportedFiles().empty());
    EXPECT_FALSE(f.end_code.has_value());
    EXPECT_FALSE(profile().Has(Section("LEICA"), "Filters"));

    f.SetText(kIdNameBox, "a.gsi");
    dlg->OnMOK();
    EXPECT_EQ(profile().GetString(Section("LEICA"), "Filters", ""), "*.gsi");
    std::vector<std::string> patterns, names;
    dlg->LoadFilters(patterns, names);
    EXPECT_EQ(patterns[5], "*.gsi;*.txt");
    // Something was imported: the Files button is available at the next opening.
    dlg->OnInitDialog();
    EXPECT_TRUE(f.IsEnabled(kIdFiles));
}

// Where an import setting comes from: the constructor, then the engine's side, then the file.
TEST_F(HandlersTest, ConstructorThenEngineThenFile) {
    const ImportSettings& s = dlg->Settings();
    // Constructor defaults.
    EXPECT_EQ(std::pair(s.CheckDel, s.Station412), std::pair(0, 42));
    EXPECT_EQ(s.CodeSep, "/");
    // The engine's side: the flags word starts at 15.
    dlg->SetCurrentFormat(12);
    dlg->GetData();
    EXPECT_EQ(std::vector({s.CheckUnique, s.CheckDel, s.CheckAuto, s.CodeNumeric, s.ForceCode}),
              std::vector({1, 1, 1, 1, 0}));
    // The file overrides, per format section.
    profile().WriteInt("ImportSettings\\GEODI", "CheckDel", 0);
    profile().WriteString("ImportSettings\\GEODI", "X0", "1234.500000");
    profile().WriteString("ImportSettings\\GEODI", "CodeSep", "");
    profile().WriteString("ImportSettings\\GEODI", "Link", "+");
    dlg->GetData();
    EXPECT_EQ(s.CheckDel, 0);
    EXPECT_DOUBLE_EQ(s.X0, 1234.5);
    EXPECT_EQ(s.CodeSep + s.Link, "/+");  // an empty text keeps the import's separator
    dlg->SetCurrentFormat(13);
    dlg->GetData();
    EXPECT_EQ(s.CheckDel, 1);  // another format's section
}

TEST_F(HandlersTest, EachFormatSavesItsOwnBlock) {
    dlg->SetCurrentFormat(5);
    dlg->GetData();
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) {
        s.Format16Digits = 1;
        s.Hi412 = 47;
        s.NameStart = 9;
        s.Y0 = 500000;
    });
    dlg->SaveData();
    dlg->SetCurrentFormat(2);
    dlg->GetData();
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) { s.NameStart = 7; });
    dlg->SaveData();

    profile().Reload();
    EXPECT_EQ(profile().GetInt("ImportSettings\\LEICA", "Hi412", 0), 47);
    EXPECT_FALSE(profile().Has("ImportSettings\\LEICA", "NameStart"));
    EXPECT_EQ(profile().GetString("ImportSettings\\LEICA", "Y0", ""), "500000.000000");
    EXPECT_EQ(profile().GetInt("ImportSettings\\ELTAC_M5", "NameStart", 0), 7);
    EXPECT_FALSE(profile().Has("ImportSettings\\ELTAC_M5", "Hi412"));

    CImpDEVDlg again(&project, nullptr, 0, "", 0);
    again.SetCurrentFormat(5);
    again.GetData();
    EXPECT_EQ(std::pair(again.Settings().Format16Digits, again.Settings().Hi412), std::pair(1, 47));
    EXPECT_DOUBLE_EQ(again.Settings().Y0, 500000);
}

}  // namespace
}  // namespace dialog_files_test
