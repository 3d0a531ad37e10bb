#include "export/export_device_dlg.h"
#include "export/export_formats.h"
#include "export_fixture.h"
#include "support/viewer_recorder.h"

namespace export_test {
namespace {

using Dlg = CExportDeviceDlg;

class ExportDialog : public ExportTest {
  protected:
    void SetUp() override {
        ExportTest::SetUp();
        dlg.current_folder = dir().string();
        dlg.OnInitDialog();
        dlg.OnShowWindow();
    }
    void Type(const std::string& name, int format) {
        dlg.frame().SetText(Dlg::kIdNameBox, name);
        dlg.frame().SetSelection(Dlg::kIdTypeList, format);
    }

    CExportDeviceDlg dlg;
};

TEST_F(ExportDialog, TypeChangeGivesAGivenNameTheFormatsExtension) {
    // Typed, picked, result; without a name the format in use (the first) stays.
    const std::tuple<const char*, int, const char*> rows[] = {{"", 3, ""},
                                                              {"job", 4, "job.are"},
                                                              {"a.b.c", 6, "a.b.csv"},
                                                              {"v1.2/pts", 0, "v1.2/pts.dat"},
                                                              {"  out.gsi  ", 5, "out.txt"}};
    for (auto [typed, format, result] : rows) {
        Type(typed, format);
        dlg.OnCommand(Dlg::kIdTypeList);
        EXPECT_EQ(dlg.frame().Text(Dlg::kIdNameBox), result) << typed;
        EXPECT_EQ(dlg.FormatIndex(), *result ? format : 0) << typed;
    }
    // A selection outside the list keeps the format in use.
    Type("x.dat", 3);
    dlg.OnTypeChange();
    Type("x.dat", 9);
    dlg.OnTypeChange();
    EXPECT_EQ(dlg.frame().Text(Dlg::kIdNameBox), "x.gsi");
    EXPECT_EQ(dlg.frame().Selection(Dlg::kIdTypeList), 3);
}

TEST_F(ExportDialog, AnEmptyNameIsReportedAnExistingFileReplacedOnlyWithYes) {
    Type("   ", 1);
    dlg.OnCommand(Dlg::kIdExport);
    ASSERT_EQ(prompter->shown.size(), 1u);
    EXPECT_EQ(prompter->shown[0].text, res::LoadString(9032));
    EXPECT_FALSE(dlg.frame().end_code.has_value());

    std::ofstream(dir() / "old.csv") << "x";
    Type("old", 6);
    prompter->Answer(ui::IDNO);
    dlg.OnCommand(Dlg::kIdStandardOk);
    ASSERT_EQ(prompter->shown.size(), 2u);
    const std::string path = (dir() / "old.csv").string();
    EXPECT_EQ(prompter->shown[1].text, res::Format(res::LoadString(9012), {path}));
    EXPECT_EQ(prompter->shown[1].type, unsigned(ui::MB_YESNO | ui::MB_ICONEXCLAMATION));
    EXPECT_FALSE(dlg.frame().end_code.has_value());

    prompter->Answer(ui::IDYES);
    dlg.OnCommand(Dlg::kIdExport);
    EXPECT_EQ(dlg.frame().end_code, ui::IDOK);
    EXPECT_EQ(dlg.PathName(), path);
}

TEST_F(ExportDialog, AFolderNameOpensTheFolderANewFileEndsTheDialog) {
    fs::create_directories(dir() / "sub");
    Type("sub", 2);
    dlg.OnExport();
    EXPECT_EQ(dlg.current_folder, (dir() / "sub").string());
    EXPECT_EQ(dlg.frame().Text(Dlg::kIdNameBox), "");
    EXPECT_FALSE(dlg.frame().end_code.has_value());
    Type("a", 2);
    dlg.OnExport();
    EXPECT_EQ(dlg.PathName(), (dir() / "sub" / "a.gsi").string());
    EXPECT_EQ(dlg.frame().end_code, ui::IDOK);
    EXPECT_EQ(dlg.FormatIndex(), 2);
    EXPECT_TRUE(prompter->shown.empty());
}

TEST_F(ExportDialog, DoModalStartsAtTheFirstFormatEachTime) {
    CExportDeviceDlg modal;
    modal.current_folder = dir().string();
    front->Queue([](ui::Dialog& d) {
        EXPECT_EQ(d.frame().title, res::LoadString(9083));
        d.frame().SetText(Dlg::kIdNameBox, "run");
        d.frame().SetSelection(Dlg::kIdTypeList, 5);
        d.OnCommand(Dlg::kIdExport);
    });
    EXPECT_EQ(modal.DoModal(), ui::IDOK);
    EXPECT_EQ(modal.FormatIndex(), 5);
    EXPECT_EQ(modal.PathName(), (dir() / "run.txt").string());
    front->Queue([](ui::Dialog& d) { d.OnCommand(Dlg::kIdCancel); });
    EXPECT_EQ(modal.DoModal(), ui::IDCANCEL);
    EXPECT_EQ(modal.FormatIndex(), 0);
}

TEST_F(ExportDialog, ViewNeedsANameAndAViewer) {
    EXPECT_FALSE(dlg.frame().IsEnabled(Dlg::kIdView));
    Type("a.gsi", 2);
    dlg.OnCommand(Dlg::kIdNameBox);
    EXPECT_TRUE(dlg.frame().IsEnabled(Dlg::kIdView));

    platform::Profile::Instance().WriteString("Company\\Paths", "Viewer",
                                              (dir() / "missing-viewer").string());
    dlg.OnCommand(Dlg::kIdView);
    ASSERT_EQ(prompter->shown.size(), 1u);
    EXPECT_EQ(prompter->shown[0].text.rfind(res::LoadString(9285), 0), 0u);

    const fs::path out = dir() / "viewed.txt";
    platform::Profile::Instance().WriteString(
        "Company\\Paths", "Viewer", testing_support::WriteRecorder(dir(), "viewer.sh", out));
    dlg.OnView();
    EXPECT_EQ(testing_support::WaitForFile(out), (dir() / "a.gsi").string() + "\n");
}

}  // namespace
}  // namespace export_test
