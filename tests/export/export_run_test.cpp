// The export run shared by all writers, driven through the Pentax writer (one line a point).
#include <gmock/gmock.h>

#include <sstream>
#include <tuple>

#include "dialogs/report_type.h"
#include "export/export_pentax.h"
#include "export_fixture.h"

using ::testing::HasSubstr;

namespace export_test {
namespace {

using ExportRun = ExportTest;
using Lines = std::vector<std::string>;

// The names in the written lines ("0001,X,Y,H,NAME,").
Lines NamesOf(const std::string& bytes) {
    Lines names;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 5; ++i) std::getline(fields, field, ',');
        names.push_back(field);
    }
    return names;
}

// With a selection the report-contents dialog asks first, in its export form with All preset;
// question 7649 comes after it. Cancel or No leave the earlier file as it was. Control points go
// out before survey points.
TEST_F(ExportRun, SelectionAsksWhatToExportThenQuestion7649) {
    Add({"S1", 1, 2, 3}, false, true);
    Add({"C1", 4, 5, 6}, true);
    Add({"S2", 7, 8, 9});
    Add({"C2", 1, 1, 1}, true, true);
    project.SetAttr(4, 0);
    struct Row {
        std::vector<int> clicks;
        bool no_to_7649;
        Lines names;  // empty: nothing written
    };
    const std::vector<Row> rows = {
        {{kIdSelectedObjects, ui::IDOK}, false, {"C2", "S1"}},
        {{ui::IDOK}, false, {"C1", "C2", "S1", "S2"}},
        {{ui::IDOK}, true, {}},
        {{kIdSelectedObjects, ui::IDCANCEL}, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "last click " << row.clicks.back() << ", no " << row.no_to_7649);
        std::ofstream(Out(), std::ios::binary) << "keep";
        prompter->shown.clear();
        if (row.no_to_7649)
            prompter->Answer(ui::IDNO);
        front->Queue([&row](ui::Dialog& d) {
            EXPECT_EQ(
                std::tuple(d.frame().title, d.frame().Text(kIdIncludeGroup),
                           d.frame().Checked(kIdAllObjects), d.frame().Checked(kIdSelectedObjects)),
                std::tuple("Export data", "Export", 1, 0));
            for (int id : row.clicks) d.OnCommand(id);
        });
        CExportPentax writer;
        bool ok = false;
        const std::string bytes = Export(writer, &ok);
        EXPECT_EQ(ok, !row.names.empty());
        const bool asked = row.clicks.back() == ui::IDOK;
        ASSERT_EQ(prompter->shown.size(), asked ? 1u : 0u);
        if (asked) {
            EXPECT_EQ(prompter->shown[0].text, res::LoadString(7649));
            EXPECT_EQ(prompter->shown[0].type, unsigned(ui::MB_YESNO | ui::MB_ICONEXCLAMATION));
        }
        if (row.names.empty()) {
            EXPECT_EQ(bytes, "keep");
            EXPECT_EQ(FolderContents(), (Lines{"out.txt"}));
            continue;
        }
        EXPECT_EQ(NamesOf(bytes), row.names);
        EXPECT_TRUE(bytes.starts_with("0001,"));  // the number counts written points only
    }
}

TEST_F(ExportRun, AFileThatCannotBeCreatedFailsQuietlyWithAReason) {
    Add({"P1", 1, 2, 3});
    CExportPentax writer;
    const std::string missing = (dir() / "no-folder" / "out.csv").string();
    EXPECT_FALSE(writer.DoExport(&project, missing));
    EXPECT_THAT(writer.LastError(), HasSubstr(missing));
    EXPECT_EQ(writer.LastError().find(".part"), std::string::npos) << writer.LastError();
    EXPECT_FALSE(writer.DoExport(nullptr, Out()));
    EXPECT_TRUE(prompter->shown.empty());
    EXPECT_TRUE(FolderContents().empty());
}

TEST_F(ExportRun, NoWrittenPointLeavesNoFileButStillSucceeds) {
    Add({{"A_1", 1, 2, 3}, {"B_2", 1, 2, 3}});
    CExportPentax writer;
    bool ok = false;
    EXPECT_EQ(Export(writer, &ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Log().size(), 2u);
    EXPECT_TRUE(FolderContents().empty());

    vrk::CVrkObject empty;
    empty.SetAttr(4, 1);
    EXPECT_TRUE(writer.DoExport(&empty, Out()));
    EXPECT_TRUE(FolderContents().empty());
}

}  // namespace
}  // namespace export_test
