#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "dialog_fixture.h"

using ::testing::HasSubstr;

namespace dialog_files_test {
namespace {

TEST(FormatRegistry, EveryFormatHasItsTextsAndReaderAndKeysResolveInAnyCase) {
    vrk::CVrkObject project;
    for (const ImportFormat& f : BuiltInFormats()) {
        EXPECT_TRUE(res::HasString(f.caption_id) && res::HasString(f.filter_name_id)) << f.section;
        EXPECT_EQ(FormatFromText(f.section, 15), f.index);
        EXPECT_NE(CreateReader(f.index, &project, nullptr, nullptr), nullptr) << f.section;
    }
    EXPECT_EQ(CreateReader(kBuiltInFormats, &project, nullptr, nullptr), nullptr);
    EXPECT_EQ(FormatFromText("leica", 15), 5);
    EXPECT_EQ(FormatFromText(" GeodP ", 15), 13);
    EXPECT_EQ(FormatFromText("15", 15), 15);
    EXPECT_EQ(FormatFromText("16", 15), -1);
    EXPECT_EQ(FormatFromText("16", 16), 16);
    for (const char* bad : {"-1", "99999999999999999999", "", "LEIC", "5x"})
        EXPECT_EQ(FormatFromText(bad, 15), -1) << bad;
}

using FiltersTest = DialogFilesTest;

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
    EXPECT_EQ(text.back(), '\0');
    const std::pair<int, const char*> patterns[] = {{5, "*.gsi;*.gre;*.txt"},
                                                    {4, "*.*"},
                                                    {11, "*.txt;*.raw"},
                                                    {13, "*.are;*.txt"},
                                                    {9, "*.400;*.rdf;*.txt"}};
    for (const auto& [index, pattern] : patterns) EXPECT_EQ(parts[2 * index + 1], pattern);
    EXPECT_EQ(parts[0], res::LoadString(9057) + " (*.dat;*.txt)");
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
    EXPECT_EQ(dlg->GetInitDir(), "");
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

}  // namespace
}  // namespace dialog_files_test
