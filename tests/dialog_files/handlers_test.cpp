#include <gmock/gmock.h>

#include "dialog_fixture.h"
#include "support/settings_edit.h"

using ::testing::HasSubstr;

namespace dialog_files_test {
namespace {

using HandlersTest = DialogFilesTest;
using FiltersTest = DialogFilesTest;

TEST(FormatRegistry, EveryFormatHasItsTextsAndReaderAndKeysResolveInAnyCase) {
    for (const ImportFormat& f : BuiltInFormats()) {
        EXPECT_TRUE(res::HasString(f.caption_id) && res::HasString(f.filter_name_id)) << f.section;
        EXPECT_EQ(FormatFromText(f.section, 15), f.index);
    }
    vrk::CVrkObject project;
    EXPECT_EQ(CreateReader(kBuiltInFormats, &project, nullptr, nullptr), nullptr);
    EXPECT_EQ(FormatFromText("leica", 15), 5);
    EXPECT_EQ(FormatFromText(" GeodP ", 15), 13);
    EXPECT_EQ(FormatFromText("15", 15), 15);
    EXPECT_EQ(FormatFromText("16", 15), -1);
    EXPECT_EQ(FormatFromText("16", 16), 16);
    for (const char* bad : {"-1", "99999999999999999999", "", "LEIC", "5x"})
        EXPECT_EQ(FormatFromText(bad, 15), -1) << bad;
}

TEST_F(FiltersTest, StoredPatternsGetTxtAddedAndEachTypeHoldsNameAndPattern) {
    // A separator inside a stored pattern must not shift the types after it.
    profile().WriteString(Section("LEICA"), "Filters", "*.GSI|*.gre");
    profile().WriteString(Section("SDR"), "Filters", "*.*");
    profile().WriteString(Section("TDS7"), "Filters", "*.TXT;*.RAW");
    profile().WriteString(Section("GEODP"), "Filters", "   ");  // a blank text is no pattern
    dlg->SetOFN();
    const std::string& text = dlg->FilterText();
    std::vector<std::string> parts;  // name with pattern, then pattern, each ended by a zero
    for (size_t start = 0, end; (end = text.find('\0', start)) != std::string::npos;
         start = end + 1)
        parts.push_back(text.substr(start, end - start));
    ASSERT_EQ(parts.size(), 32u);
    const std::pair<int, const char*> patterns[] = {{5, "*.gsi;*.gre;*.txt"},
                                                    {4, "*.*"},
                                                    {11, "*.txt;*.raw"},
                                                    {13, "*.are;*.txt"},
                                                    {9, "*.400;*.rdf;*.txt"}};
    for (const auto& [index, pattern] : patterns) EXPECT_EQ(parts[2 * index + 1], pattern);
    const auto& items = dlg->frame().control(kIdTypeList).items;
    ASSERT_EQ(items.size(), 16u);
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(parts[2 * i], res::LoadString(BuiltInFormats()[i].filter_name_id) + " (" +
                                    parts[2 * i + 1] + ")");
        EXPECT_EQ(items[i], parts[2 * i]);
    }
}

TEST_F(FiltersTest, InitialFolderIsTheFolderOfTheFirstStoredNamePerFormat) {
    dlg->SetCurrentFormat(5);
    EXPECT_EQ(dlg->GetInitDir(), "");
    dlg->SetInitDir("/data/job 1/a.gsi;b.gsi;");
    EXPECT_EQ(profile().GetString(Section("LEICA"), "FileName", ""), "/data/job 1/a.gsi;b.gsi;");
    dlg->SetCurrentFormat(7);
    dlg->SetInitDir("a.rsv");  // no folder in it
    EXPECT_EQ(dlg->GetInitDir(), "");

    profile().Reload();
    dlg->SetCurrentFormat(5);
    dlg->SetOFN();
    EXPECT_EQ(dlg->InitialFolder(), "/data/job 1/");
}

TEST_F(FiltersTest, GivenFileIsSplitIntoFolderAndNameOrReportedAndLeftOut) {
    const std::string file = tmp.Write("received/rec 1.txt", "data\n").string();
    for (const std::string& given : {file, (dir() / "nothing.txt").string(), dir().string()}) {
        const bool found = given == file;
        prompter->shown.clear();
        dlg = std::make_unique<CImpDEVDlg>(&project, nullptr, 9038, given, 1);
        dlg->SetOFN();
        EXPECT_EQ(dlg->FileList(), found ? "rec 1.txt" : "") << given;
        dlg->OnFileNameChange();
        EXPECT_EQ(dlg->frame().IsEnabled(kIdImport), found) << given;
        ASSERT_EQ(prompter->shown.size(), found ? 0u : 1u) << given;
        if (found) {
            EXPECT_EQ(dlg->InitialFolder(), (dir() / "received").string() + "/");
            EXPECT_EQ(dlg->CurrentFolder(), dlg->InitialFolder());
            EXPECT_EQ(dlg->frame().Text(kIdNameBox), "rec 1.txt");
            EXPECT_TRUE(dlg->frame().IsEnabled(kIdView));
        } else {
            EXPECT_TRUE(prompter->shown[0].beep);
            EXPECT_THAT(prompter->shown[0].text, HasSubstr(given));
        }
    }
}

TEST_F(HandlersTest, OpeningAndFormatChangeLoadTheFormatsSettings) {
    profile().WriteInt(Section("LEICA"), "CheckDel", 0);  // 1 by default
    profile().WriteInt(Section("GEODI"), "CheckDel", 1);
    profile().WriteString(Section("GEODI"), "CodeSep", "%");
    dlg->SetCurrentFormat(5);
    EXPECT_TRUE(dlg->OnInitDialog());
    dlg->OnShowWindow();
    auto& f = dlg->frame();
    EXPECT_EQ(std::tuple(f.title, f.Selection(kIdTypeList), dlg->Settings().CheckDel),
              std::tuple(res::LoadString(9052), 5, 0));
    EXPECT_FALSE(f.IsEnabled(kIdFiles));  // nothing imported yet
    EXPECT_FALSE(f.IsVisible(ui::IDOK) || f.IsVisible(ui::IDCANCEL));
    f.SetText(kIdNameBox, "*.GSI");
    dlg->OnFileNameChange();

    PickFormat(*dlg, 12);
    EXPECT_EQ(std::tuple(dlg->CurrentFormat(), f.Text(kIdNameBox), dlg->CaptionId()),
              std::tuple(12, "", 9039u));
    EXPECT_EQ(std::pair(dlg->Settings().CheckDel, dlg->Settings().CodeSep),
              std::pair(1, std::string("%")));
    // The wildcard typed for the Leica format is not saved for Geodimeter.
    dlg->SaveFilter();
    EXPECT_FALSE(profile().Has(Section("GEODI"), "Filters"));

    // No selection or an unknown one keeps the format.
    f.SetText(kIdNameBox, "a.job");
    for (int bad : {-1, 16}) {
        PickFormat(*dlg, bad);
        EXPECT_EQ(std::tuple(dlg->CurrentFormat(), f.Selection(kIdTypeList), f.Text(kIdNameBox)),
                  std::tuple(12, 12, "a.job"));
    }
}

TEST_F(HandlersTest, NameBoxDecidesViewAndImport) {
    auto& f = dlg->frame();
    dlg->SetCurrentFormat(9);
    f.SetSelection(kIdTypeList, 3);
    f.SetText(kIdNameBox, "  a.gsi ");
    dlg->OnFileNameChange();
    EXPECT_EQ(f.Text(kIdNameBox), "a.gsi");
    EXPECT_TRUE(f.IsEnabled(kIdImport) && f.IsEnabled(kIdView));
    EXPECT_EQ(f.Selection(kIdTypeList), 9);  // set back to the format in use

    for (const char* text : {"*.GSI", "", "   "}) {
        f.Enable(kIdView, true);
        f.Enable(kIdImport, true);
        f.SetText(kIdNameBox, text);
        dlg->OnFileNameChange();
        EXPECT_FALSE(f.IsEnabled(kIdView) || f.IsEnabled(kIdImport)) << text;
    }

    // A folder change keeps a wildcard only.
    for (auto [typed, kept] : {std::pair{"*.gsi", "*.gsi"}, {"a.gsi", ""}}) {
        f.SetText(kIdNameBox, typed);
        dlg->OnFolderChange();
        EXPECT_EQ(f.Text(kIdNameBox), kept);
    }
}

TEST_F(HandlersTest, TypedWildcardImportsNothingAndBecomesTheFilterAtTheNextImport) {
    tmp.Write("a.gsi", "");
    dlg->SetCurrentFormat(5);
    dlg->OnInitDialog();
    auto& f = dlg->frame();
    f.SetSelection(kIdTypeList, 5);
    f.SetText(kIdNameBox, "*.GSI");
    dlg->OnMOK();
    EXPECT_TRUE(dlg->ImportedFiles().empty() && !f.end_code.has_value() &&
                !profile().Has(Section("LEICA"), "Filters"));

    f.SetText(kIdNameBox, "a.gsi");
    dlg->OnMOK();
    EXPECT_EQ(profile().GetString(Section("LEICA"), "Filters", ""), "*.gsi");
    // Something was imported: the Files button is available at the next opening.
    dlg->OnInitDialog();
    EXPECT_TRUE(f.IsEnabled(kIdFiles));
}

// Where an import setting comes from: the constructor, then the engine's side, then the file.
TEST_F(HandlersTest, ConstructorThenEngineThenFile) {
    const ImportSettings& s = dlg->Settings();
    EXPECT_EQ(std::tuple(s.CheckDel, s.Station412, s.CodeSep), std::tuple(0, 42, "/"));
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
    // An empty text keeps the import's separator.
    EXPECT_EQ(std::tuple(s.CheckDel, s.X0, s.CodeSep + s.Link), std::tuple(0, 1234.5, "/+"));
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
    EXPECT_EQ(profile().GetString(Section("LEICA"), "Y0", ""), "500000.000000");
    EXPECT_EQ(profile().GetInt(Section("ELTAC_M5"), "NameStart", 0), 7);
    EXPECT_FALSE(profile().Has(Section("LEICA"), "NameStart") ||
                 profile().Has(Section("ELTAC_M5"), "Hi412"));

    CImpDEVDlg again(&project, nullptr, 0, "", 0);
    again.SetCurrentFormat(5);
    again.GetData();
    const ImportSettings& s = again.Settings();
    EXPECT_EQ(std::tuple(s.Format16Digits, s.Hi412, s.Y0), std::tuple(1, 47, 500000.0));
}

}  // namespace
}  // namespace dialog_files_test
