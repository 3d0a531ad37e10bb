#include <gmock/gmock.h>

#include <cctype>

#include "dialog_fixture.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace dialog_files_test {
namespace {

using ViewerTest = DialogFilesTest;

TEST_F(ViewerTest, ShowFileNeedsAViewerAndViewShowsOnlyASingleChosenFile) {
    dlg->ShowFile("/x/a.gsi");
    UseViewer("   ");
    dlg->ShowFile("/x/a.gsi");

    // A viewer that cannot start is reported, but View tries it only for a single name.
    UseViewer((dir() / "missing-viewer").string());
    auto& f = dlg->frame();
    for (const char* text : {"\"a.gsi\" \"b.gsi\"", "*.gsi", ""}) {
        f.SetText(kIdNameBox, text);
        dlg->OnView();
    }
    dlg->ShowFile("/x/a.gsi");  // the only box of the test
    EXPECT_THAT(Boxes(), ElementsAre(::testing::AllOf(::testing::StartsWith(res::LoadString(9285)),
                                                      HasSubstr("missing-viewer"))));
    EXPECT_TRUE(prompter->shown.at(0).beep);

    const fs::path out = dir() / "viewed.txt";
    UseViewer("  " + WriteRecorder(dir(), "viewer.sh", out).string() + " ");
    // The name reaches the viewer untouched, whatever a shell would make of it.
    dlg->ShowFile("/data/my job/\"a\";$HOME|.gsi");
    EXPECT_EQ(WaitForFile(out), "/data/my job/\"a\";$HOME|.gsi\n");
    fs::remove(out);
    f.SetSelection(kIdListView, 3);
    f.SetText(kIdNameBox, "sub/../b.gsi");
    dlg->OnView();
    EXPECT_EQ(WaitForFile(out), (dir() / "b.gsi").string() + "\n");
    EXPECT_EQ(f.Selection(kIdListView), 3);
}

TEST_F(ViewerTest, FilesWritesTheImportedListOverOneFileAndViewsIt) {
    const fs::path list = dir() / "tavrin-imported-files.txt";
    dlg->OnFiles();  // no viewer: nothing written, nothing shown
    EXPECT_FALSE(fs::exists(list));

    tmp.Write("A.sdr", "");
    dlg->SetCurrentFormat(4);
    dlg->frame().SetSelection(kIdTypeList, 4);
    dlg->frame().SetText(kIdNameBox, "A.sdr");
    dlg->OnMOK();
    std::string expected = (dir() / "a.sdr").string() + "\n";
    for (char& c : expected) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_EQ(dlg->ImportedFiles(), expected);

    const fs::path out = dir() / "viewed.txt";
    UseViewer(WriteRecorder(dir(), "viewer.sh", out).string());
    for (int round = 0; round < 2; ++round) {
        fs::remove(out);
        dlg->OnFiles();
        EXPECT_EQ(WaitForFile(out), list.string() + "\n");
        EXPECT_EQ(tmp.Read(list), res::LoadString(9020) + expected);
    }

    UseViewer((dir() / "missing-viewer").string());
    const int beeps = prompter->beeps;  // the import run beeped
    dlg->OnFiles();
    EXPECT_EQ(std::pair(prompter->shown.size(), prompter->beeps), std::pair(1ul, beeps))
        << "the only box of the test, and no beep for the list";
}

TEST_F(ViewerTest, FilesReportsAListThatCannotBeWritten) {
    const fs::path out = dir() / "viewed.txt";
    UseViewer(WriteRecorder(dir(), "viewer.sh", out).string());
    fs::create_directories(dir() / "tavrin-imported-files.txt");  // a folder is not replaced
    dlg->OnFiles();
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("tavrin-imported-files.txt")));
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ViewerTest, HelpOpensTheConfiguredAddressAndKeepsTheListMark) {
    const fs::path out = dir() / "opened.txt";
    fs::create_directories(dir() / "bin");
    fs::rename(WriteRecorder(dir(), "xdg-open", out), dir() / "bin" / "xdg-open");
    env.Set("PATH", (dir() / "bin").c_str());
    auto& f = dlg->frame();
    f.SetSelection(kIdListView, 2);
    dlg->OnIhelp();  // no address: nothing to open
    profile().WriteString("Company\\Paths", "HelpUrl", "https://example.org/help#import");
    dlg->OnIhelp();
    EXPECT_EQ(WaitForFile(out), "https://example.org/help#import\n");
    EXPECT_EQ(f.Selection(kIdListView), 2);

    env.Set("PATH", (dir() / "empty").c_str());
    dlg->OnIhelp();
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("xdg-open"))) << "the only box of the test";
}

}  // namespace
}  // namespace dialog_files_test
