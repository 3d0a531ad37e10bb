// Files written by the writers read back through the readers of the same formats.
#include <cmath>
#include <functional>

#include "export_fixture.h"
#include "support/reader_harness.h"
#include "support/settings_edit.h"

namespace export_test {
namespace {

using RoundTrip = ExportTest;

TEST_F(RoundTrip, NamesAndCoordinatesComeBack) {
    struct Row {
        int writer, reader, decimals;
        std::vector<Pt> points;
        std::function<void(ImportSettings&)> options = {};
    };
    const std::vector<Pt> geodimeter = {{"P1", 1234.567, 5678.9, 100},
                                        {"Пункт_2", -12.5, 0.001, {}},
                                        {"K-3", 12345678.125, -1234567.5, 123456.125}};
    const std::vector<Pt> leica = {{"P1", 1234.567, 5678.9, 100},
                                   {"A2", -12.5, 0.001, -3.25},
                                   {"77", 99999.999, 12345.678, 0}};
    const std::vector<Pt> digits = {{"1001", 1234.567, 5678.9, 100},
                                    {"12345678901", -12.5, 0.25, -3}};
    const std::vector<Row> rows = {
        {kGeodimeter, 13, 3, geodimeter},
        {kLeica8, 5, 3, leica},
        // The reader takes 16-character words only when told so.
        {kLeica16, 5, 4, leica, [](ImportSettings& s) { s.Format16Digits = 1; }},
        {kTTA5, 7, 3, digits},
        {kTrimble3600, 2, 3, digits},
        // The identifier stands right-aligned in columns 16 to 27 of the field's text.
        {kTrimble3300, 2, 3, digits,
         [](ImportSettings& s) {
             s.NameStart = 16;
             s.NameWidth = 12;
             s.CodeStart = 1;
             s.CodeWidth = 0;
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "format " << row.writer);
        project.data().points.clear();
        Add(row.points);
        zut::CNorth::precision(row.decimals);
        auto writer = CreateExporter(row.writer);
        ASSERT_TRUE(writer->DoExport(&project, Out())) << writer->LastError();

        testing_support::ReaderHarness h;
        if (row.options)
            testing_support::EditSettings(h.dlg, row.options);
        h.RunFormat(row.reader, {Out()});

        // A file of the writer is data of its own: the read says nothing.
        EXPECT_EQ(h.Protocol(), std::vector<std::string>{});
        const auto& read = h.project.data().points;
        ASSERT_EQ(read.size(), row.points.size());
        const double tolerance = 0.5 * std::pow(10.0, -row.decimals);
        const auto near = [tolerance](const zut::CLinear& a, std::optional<double> b) {
            return a.valid() == b.has_value() &&
                   (!b || std::fabs(static_cast<double>(a) - *b) <= tolerance);
        };
        for (size_t i = 0; i < read.size(); ++i) {
            const Pt& want = row.points[i];
            EXPECT_EQ(read[i].name, want.name);
            EXPECT_TRUE(near(read[i].x, want.x)) << want.name << " X";
            EXPECT_TRUE(near(read[i].y, want.y)) << want.name << " Y";
            EXPECT_TRUE(near(read[i].h, want.h)) << want.name << " H";
        }
    }
}

}  // namespace
}  // namespace export_test
