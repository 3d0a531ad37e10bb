// The import dialog driven headless: format choice, file lists, the repeat question, progress.
#include <gmock/gmock.h>

#include "dialog_fixture.h"
#include "support/settings_edit.h"

using ::testing::HasSubstr;

namespace {

class ImportDialogTest : public dialog_files_test::DialogFilesTest {
  protected:
    // Opens the dialog and runs `script` inside it; returns DoImport's result.
    int Show(CImpDEVDlg& dlg, std::function<void(CImpDEVDlg&)> script) {
        front->Queue([&dlg, script](ui::Dialog&) { script(dlg); });
        return dlg.DoImport();
    }
    // Chooses files by their names in the test's folder and presses Import.
    int Import(CImpDEVDlg& dlg, int format, const std::string& names) {
        return Show(dlg, [&](CImpDEVDlg& d) {
            d.SetCurrentFolder(dir().string());
            ImportNames(d, format, names);
        });
    }
};

}  // namespace

// The stored format, unless a file given to the dialog asks for one of the TA5 formats.
TEST_F(ImportDialogTest, OpensOnTheStoredFormatOrTheTa5FormatOfAGivenFile) {
    const std::string file = tmp.Write("recv.txt", "x\n").string();
    // Caption, whether the file is given, the stored format, the format the dialog opens on.
    const std::tuple<unsigned, bool, int, int> cases[] = {
        {0, false, 16, 0},  // out of bounds
        {0, false, 15, 15}, {9070, true, 0, 8}, {9038, true, 0, 7},
        {0, true, 5, 7},    {9038, true, 8, 8},  // already a TA5 format: stays
        {9070, true, 7, 7},
    };
    for (const auto& [caption, given, stored, expected] : cases) {
        profile().WriteInt("ImportSettings", "CurrentSelection", stored);
        CImpDEVDlg dlg(&project, nullptr, caption, given ? file : "", given);
        int seen = -1;
        Show(dlg, [&seen](CImpDEVDlg& d) { seen = d.CurrentFormat(); });
        EXPECT_EQ(seen, expected) << caption << " " << stored;
    }
}

TEST_F(ImportDialogTest, OneAndSeveralNames) {
    tmp.Write("a.job", "2=S1\n");
    tmp.Write("b.job", "2=S2\n");
    CImpDEVDlg one(&project, nullptr, 0, "", 0);
    EXPECT_EQ(Import(one, 12, "a.job"), 1);
    EXPECT_EQ(one.FileList(), dir().string() + "/a.job");
    // The format is remembered for the next dialog.
    EXPECT_EQ(profile().GetInt("ImportSettings", "CurrentSelection", -1), 12);

    CImpDEVDlg two(&project, nullptr, 0, "", 0);
    std::string box;
    Show(two, [&](CImpDEVDlg& d) {
        d.SetCurrentFolder(dir().string());
        d.frame().SetText(kIdNameBox, "\"a.job\" \"b.job\"");
        d.OnFileNameChange();
        box = d.frame().Text(kIdNameBox);
        d.OnFileNameChange();  // the change the box's new text itself raises
        EXPECT_EQ(d.frame().Text(kIdNameBox), box);
        EXPECT_TRUE(!d.frame().IsEnabled(kIdView) && d.frame().IsEnabled(kIdImport));
        d.OnMOK();
    });
    // The box shows the names in reverse order; the list keeps the order chosen, however often
    // the box's change is handled.
    EXPECT_EQ(box, "\"b.job\" \"a.job\"");
    EXPECT_EQ(two.FileList(), dir().string() + "/a.job;b.job;");
    ASSERT_EQ(project.data().stations.size(), 3u);
    EXPECT_EQ(project.data().stations[1].name + project.data().stations[2].name, "S1S2");
}

TEST_F(ImportDialogTest, RepeatQuestionOnLowerCasedFullPath) {
    tmp.Write("Job.job", "2=S1\n");
    tmp.Write("b.job", "2=S2\n");
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    ASSERT_EQ(Import(dlg, 12, "Job.job"), 1);  // no question the first time

    // Asked again whatever the case of the name. No: the only file is dropped, nothing is imported
    // and the dialog stays open.
    prompter->Answer(ui::IDNO);
    bool ended = true;
    EXPECT_EQ(Show(dlg,
                   [&](CImpDEVDlg& d) {
                       d.SetCurrentFolder(dir().string());
                       ImportNames(d, 12, "JOB.JOB");
                       ended = d.frame().end_code.has_value();
                   }),
              0);
    EXPECT_FALSE(ended);
    EXPECT_THAT(Boxes(), ::testing::ElementsAre(HasSubstr("job.job has already been imported")));
    EXPECT_EQ(prompter->shown.at(0).type & 0x0F, ui::MB_YESNO);
    EXPECT_EQ(project.data().stations.size(), 1u);

    // Declining one of several removes only that one.
    prompter->Answer(ui::IDNO);
    EXPECT_EQ(Import(dlg, 12, "\"job.job\" \"b.job\""), 1);
    EXPECT_EQ(dlg.FileList(), dir().string() + "/b.job;");
    EXPECT_EQ(project.data().stations.size(), 2u);

    // Yes: imported again.
    prompter->Answer(ui::IDYES);
    EXPECT_EQ(Import(dlg, 12, "b.job"), 1);
    EXPECT_EQ(project.data().stations.size(), 3u);
}

TEST_F(ImportDialogTest, ProgressSteps) {
    std::vector<int> calls;
    CImpDEVDlg dlg(
        &project,
        [&](int p, vrk::CDocument* doc) {
            calls.push_back(p);
            EXPECT_EQ(doc, nullptr);
        },
        0, "", 0);
    dlg.SetProgress(tmp.Write("small", std::string(5999, 'x')).string());
    EXPECT_EQ(dlg.ProgressStep(), 1);
    dlg.SetProgress(tmp.Write("big", std::string(600000, 'x')).string());
    EXPECT_EQ(dlg.ProgressStep(), 100);
    EXPECT_EQ(calls, (std::vector<int>{0, 0}));
    for (long line = 1; line <= 10100; ++line) dlg.SetProgress(line);
    EXPECT_EQ(dlg.ProgressTicks(), 101);
    EXPECT_EQ(std::vector(calls.end() - 2, calls.end()), std::vector({100, 100}));  // at most 100
    dlg.SetProgress((dir() / "absent").string());
    EXPECT_EQ(dlg.ProgressStep(), 1);
}

TEST_F(ImportDialogTest, ImportInformationFromTheSettings) {
    tmp.Write("x.txt", "");
    vrk::CClassificator cls;
    cls.slots[3] = {true, "Roads", {}};
    project.SetClassificator(cls);
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    auto run = [&](int format, std::function<void(ImportSettings&)> change) {
        Show(dlg, [&](CImpDEVDlg& d) {
            d.SetCurrentFolder(dir().string());
            PickFormat(d, format);
            testing_support::EditSettings(d, change);
            d.frame().SetText(kIdNameBox, "x.txt");
            d.OnFileNameChange();
            prompter->Answer(ui::IDYES);
            d.OnMOK();
        });
    };
    run(4, [](ImportSettings& s) {
        s.CheckUnique = 0;
        s.CheckDel = 1;
        s.CheckAuto = 0;
        s.CodeNumeric = 0;
        s.ForceCode = 1;
        s.LinesAttr = 0;
        s.CSFromProject = 1;
        s.CodeSep = "";
        s.Link = "+";
        s.CodeSystem = -1;
        s.OnRelief = 2;
    });
    const vrk::CImportInfo& info = dlg.ImportInfo();
    // Code system 0: the project has a classificator.
    EXPECT_EQ(std::tuple(info.flags, info.GetCodeSystem(&project), info.GetDTM()),
              std::tuple(0x02 | 0x10 | 0x40 | 0x80, 0, 2));
    EXPECT_EQ(std::string(info.separators, 2), std::string("\0+", 2));
    run(12, [](ImportSettings& s) { s.CheckUnique = 1; });
    EXPECT_EQ(dlg.ImportInfo().flags & 0x81, 0x01);
}
