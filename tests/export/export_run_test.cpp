// The export run shared by all writers, driven through the Pentax writer (one line a point).
#include "dialogs/report_type.h"
#include "export/export_pentax.h"
#include "export_fixture.h"

namespace export_test {
namespace {

using ExportRun = ExportTest;
using Lines = std::vector<std::string>;

// The names in the written lines ("0001,X,Y,H,NAME,").
Lines NamesOf(const std::string& bytes) {
    Lines names;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        const size_t last = line.rfind(',', line.size() - 2);
        names.push_back(line.substr(last + 1, line.size() - last - 2));
        start = end + 2;
    }
    return names;
}

TEST_F(ExportRun, WithoutSelectionEveryPointGoesOutControlPointsFirst) {
    Add("S1", 1, 2, 3);
    Add("C1", 4, 5, 6, true);
    Add("S2", 7, 8, 9);
    Add("C2", 1, 1, 1, true);
    bool shown = false;
    front_end->Queue([&](ui::Dialog&) { shown = true; });
    CExportPentax writer;
    bool ok = false;
    const std::string bytes = Export(writer, &ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(shown);
    EXPECT_EQ(front_end->Pending(), 1u);  // the report-contents dialog never opened
    EXPECT_EQ(NamesOf(bytes), (Lines{"C1", "C2", "S1", "S2"}));
    EXPECT_EQ(writer.ExportedCount(), 4);
    EXPECT_TRUE(prompter->shown.empty());
}

TEST_F(ExportRun, SelectionAsksInExportFormAndCanRestrictTheExport) {
    Add("S1", 1, 2, 3, false, true);
    Add("C1", 4, 5, 6, true);
    Add("S2", 7, 8, 9);
    Add("C2", 1, 1, 1, true, true);
    std::string title, group;
    int preset_all = -1, preset_selected = -1;
    front_end->Queue([&](ui::Dialog& d) {
        auto& f = d.frame();
        title = f.title;
        group = f.Text(kIdIncludeGroup);
        preset_all = f.Checked(kIdAllObjects);
        preset_selected = f.Checked(kIdSelectedObjects);
        d.OnCommand(kIdSelectedObjects);
        d.OnCommand(ui::IDOK);
    });
    CExportPentax writer;
    EXPECT_EQ(NamesOf(Export(writer)), (Lines{"C2", "S1"}));
    EXPECT_EQ(title, "Export data");
    EXPECT_EQ(group, "Export");
    EXPECT_EQ(preset_all, 1);
    EXPECT_EQ(preset_selected, 0);
    // The running number counts written points only.
    EXPECT_EQ(Export(writer).substr(0, 5), "0001,");
}

TEST_F(ExportRun, SelectionAnsweredWithAllObjectsWritesEverything) {
    Add("S1", 1, 2, 3, false, true);
    Add("S2", 7, 8, 9);
    front_end->Queue([](ui::Dialog& d) { d.OnCommand(ui::IDOK); });
    CExportPentax writer;
    EXPECT_EQ(NamesOf(Export(writer)), (Lines{"S1", "S2"}));
}

TEST_F(ExportRun, CancelOfTheReportDialogTouchesNothing) {
    Add("S1", 1, 2, 3, false, true);
    project.SetAttr(4, 0);
    std::ofstream(Out(), std::ios::binary) << "keep";
    front_end->Queue([](ui::Dialog& d) { d.OnCommand(ui::IDCANCEL); });
    CExportPentax writer;
    bool ok = true;
    EXPECT_EQ(Export(writer, &ok), "keep");
    EXPECT_FALSE(ok);
    EXPECT_TRUE(prompter->shown.empty());  // question 7649 not reached
}

TEST_F(ExportRun, Question7649GuardsAProjectWhoseAttribute4IsClear) {
    Add("P1", 1, 2, 3);
    project.SetAttr(4, 0);
    CExportPentax writer;
    prompter->Answer(ui::IDNO);
    bool ok = true;
    EXPECT_EQ(Export(writer, &ok), "");
    EXPECT_FALSE(ok);
    ASSERT_EQ(prompter->shown.size(), 1u);
    EXPECT_EQ(prompter->shown[0].text, res::LoadString(7649));
    EXPECT_EQ(prompter->shown[0].type, unsigned(ui::MB_YESNO | ui::MB_ICONEXCLAMATION));
    EXPECT_TRUE(FolderContents().empty());

    prompter->Answer(ui::IDYES);
    EXPECT_EQ(NamesOf(Export(writer, &ok)), (Lines{"P1"}));
    EXPECT_TRUE(ok);

    project.SetAttr(4, 1);
    prompter->shown.clear();
    Export(writer);
    EXPECT_TRUE(prompter->shown.empty());
}

TEST_F(ExportRun, AFileThatCannotBeCreatedFailsQuietlyWithAReason) {
    Add("P1", 1, 2, 3);
    CExportPentax writer;
    const std::string missing = (dir() / "no-folder" / "out.csv").string();
    EXPECT_FALSE(writer.DoExport(&project, missing));
    EXPECT_NE(writer.LastError().find(missing), std::string::npos) << writer.LastError();
    EXPECT_EQ(writer.LastError().find(".part"), std::string::npos) << writer.LastError();
    EXPECT_FALSE(writer.DoExport(&project, dir().string()));
    EXPECT_NE(writer.LastError().find("folder"), std::string::npos);
    EXPECT_FALSE(writer.DoExport(nullptr, Out()));
    EXPECT_TRUE(prompter->shown.empty());
    EXPECT_TRUE(FolderContents().empty());
}

TEST_F(ExportRun, PointsThatCannotBeWrittenAreLoggedAndSkipped) {
    Add("GOOD1", 1, 2, 3);
    Add("BAD_NAME", 1, 2, 3);
    Add("WIDE", 1234567.891, 2, 3);  // "+1234567.891" is one character over 11
    Add("EDGE", 123456.789, 2, 3);   // "+123456.789" fits exactly
    Add("Пункт", 1, 2, 3);
    Add("GOOD2", 1, 2, 3);
    CExportPentax writer;
    bool ok = false;
    EXPECT_EQ(NamesOf(Export(writer, &ok)), (Lines{"GOOD1", "EDGE", "GOOD2"}));
    EXPECT_TRUE(ok);
    EXPECT_EQ(writer.ExportedCount(), 3);
    EXPECT_EQ(Log(), (Lines{res::Format(res::LoadString(9122), {"BAD_NAME"}),
                            res::Format(res::LoadString(9123), {"WIDE"}),
                            res::Format(res::LoadString(9122), {"Пункт"})}));
    for (const auto& e : project.ExportLog().Entries()) EXPECT_EQ(e.level, 2);
    EXPECT_FALSE(writer.CoordTooLong());
    EXPECT_FALSE(writer.NameInvalid());
}

TEST_F(ExportRun, NoWrittenPointLeavesNoFileButStillSucceeds) {
    Add("A_1", 1, 2, 3);
    Add("B_2", 1, 2, 3);
    CExportPentax writer;
    bool ok = false;
    EXPECT_EQ(Export(writer, &ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(writer.ExportedCount(), 0);
    EXPECT_EQ(Log().size(), 2u);
    EXPECT_TRUE(FolderContents().empty());

    // An empty project the same.
    vrk::CVrkObject empty;
    empty.SetAttr(4, 1);
    EXPECT_TRUE(writer.DoExport(&empty, Out()));
    EXPECT_TRUE(FolderContents().empty());
}

TEST_F(ExportRun, ARefusedExportLeavesAnEarlierFileAsItWas) {
    Add("P1", 1, 2, 3);
    std::ofstream(Out(), std::ios::binary) << "earlier";
    project.SetEStyle(zut::es_zone_prefix);
    CExportPentax writer;
    bool ok = true;
    EXPECT_EQ(Export(writer, &ok), "earlier");
    EXPECT_FALSE(ok);
    ASSERT_EQ(prompter->shown.size(), 1u);
    EXPECT_EQ(prompter->shown[0].text, res::LoadString(9074));
    EXPECT_EQ(FolderContents(), (Lines{"out.txt"}));

    // A successful run replaces it.
    project.SetEStyle(zut::es_plain);
    EXPECT_EQ(NamesOf(Export(writer, &ok)), (Lines{"P1"}));
    EXPECT_EQ(FolderContents(), (Lines{"out.txt"}));
}

TEST_F(ExportRun, EveryRunReportsItsOwnPoints) {
    Add("X_1", 1, 2, 3);
    CExportPentax writer;
    Export(writer);
    Export(writer);
    EXPECT_EQ(Log().size(), 2u);
}

}  // namespace
}  // namespace export_test
