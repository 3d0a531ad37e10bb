// Files written by the writers read back through the readers of the same formats.
#include <functional>

#include "export_fixture.h"
#include "support/reader_harness.h"
#include "support/settings_edit.h"

namespace export_test {
namespace {

using RoundTrip = ExportTest;

TEST_F(RoundTrip, NamesAndCoordinatesComeBack) {
    struct Row {
        int writer, reader;
        std::function<void(ImportSettings&)> options = {};
    };
    // Names every writer takes; the edge cases of each are pinned by the writer tests.
    const std::vector<Pt> points = {{"1001", 1234.567, 5678.9, 100},
                                    {"12345678", -12.5, 0.001, -3.25},
                                    {"77", 99999.999, 12345.678, 0}};
    const std::vector<Row> rows = {
        {kGeodimeter, 13},
        {kLeica8, 5},
        // The reader takes 16-character words only when told so.
        {kLeica16, 5, [](ImportSettings& s) { s.Format16Digits = 1; }},
        {kTTA5, 7},
        {kTrimble3600, 2},
        // The identifier stands right-aligned in columns 16 to 27 of the field's text.
        {kTrimble3300, 2, testing_support::Columns(16, 12, 1, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "format " << row.writer);
        project.data().points.clear();
        Add(points);
        auto writer = CreateExporter(row.writer);
        ASSERT_TRUE(writer->DoExport(&project, Out())) << writer->LastError();

        testing_support::ReaderHarness h;
        if (row.options)
            testing_support::EditSettings(h.dlg, row.options);
        h.RunFormat(row.reader, {Out()});

        // A file of the writer is data of its own: the read says nothing.
        EXPECT_EQ(h.Protocol(), std::vector<std::string>{});
        const auto& read = h.project.data().points;
        ASSERT_EQ(read.size(), points.size());
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].name, points[i].name);
            EXPECT_TRUE(read[i].x.valid() && read[i].y.valid() && read[i].h.valid());
            EXPECT_NEAR(read[i].x, *points[i].x, 5e-4) << points[i].name;
            EXPECT_NEAR(read[i].y, *points[i].y, 5e-4) << points[i].name;
            EXPECT_NEAR(read[i].h, *points[i].h, 5e-4) << points[i].name;
        }
    }
}

}  // namespace
}  // namespace export_test
