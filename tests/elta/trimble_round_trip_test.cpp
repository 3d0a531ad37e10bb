// Coordinate files of the Trimble writer are M5 files: they read back through the M5 reader.
#include "elta_fixture.h"
#include "export/export_trimble.h"
#include "support/settings_edit.h"

using namespace elta_test;

namespace {

struct Written {
    std::string name;
    double x, y, h;
};

// Writes the points as `model` writes them and reads the file back with the M5 settings.
std::unique_ptr<Session> ThroughTrimble(int model, const std::vector<Written>& points,
                                        const Setup& setup = {}) {
    auto s = std::make_unique<Session>();
    s->path = (s->h.dir / "points.dat").string();
    {
        platform::TextFile file;
        EXPECT_TRUE(file.Open(s->path, platform::TextFile::Mode::Write));
        CExportTrimble writer(model);
        for (const auto& p : points) {
            vrk::CVrkPoint point;
            point.name = p.name;
            point.x = p.x;
            point.y = p.y;
            point.h = p.h;
            EXPECT_TRUE(writer.ExportPoint(file, point, p.name)) << p.name;
        }
    }
    if (setup)
        testing_support::EditSettings(s->h.dlg, setup);
    s->h.Run<CImpELTAC_M5>({s->path}, kFormat<CImpELTAC_M5>);
    return s;
}

void ExpectPoints(const Session& s, const std::vector<Written>& points) {
    for (const auto& p : points) {
        const vrk::CVrkPoint* q = const_cast<vrk::CVrkObject&>(s.h.project).FindPoint(p.name);
        ASSERT_NE(q, nullptr) << p.name;
        EXPECT_NEAR(static_cast<double>(q->x), p.x, 5e-4) << p.name;
        EXPECT_NEAR(static_cast<double>(q->y), p.y, 5e-4) << p.name;
        EXPECT_NEAR(static_cast<double>(q->h), p.h, 5e-4) << p.name;
    }
}

}  // namespace

TEST(EltaM5TrimbleFiles, Model3600ReadsBackInTheDefaultLayout) {
    const std::vector<Written> points = {{"P1", 1234.567, 5678.9, 100.0},
                                         {"AB12", -12.5, 0.25, -3.0}};
    auto s = ThroughTrimble(3600, points);
    ExpectPoints(*s, points);
    EXPECT_EQ(s->Stream().at(0), "evStation=P1");
    // Coordinates are no measurements, so the file is still named as not holding any.
    EXPECT_EQ(s->h.Protocol().size(), 1u) << ::testing::PrintToString(s->h.Protocol());
    EXPECT_TRUE(s->Logged("mismatches required data format"));
}

TEST(EltaM5TrimbleFiles, Model3300NamesStandInTheLastTwelveColumns) {
    const std::vector<Written> points = {{"1001", 10.0, 20.0, 30.0}, {"7", 1.0, 2.0, 3.0}};
    ExpectPoints(*ThroughTrimble(3300, points,
                                 [](ImportSettings& s) {
                                     s.NameStart = 16;
                                     s.NameWidth = 12;
                                     s.CodeWidth = 0;
                                 }),
                 points);
    // In the default layout the right-aligned number lands in the code columns.
    auto s = ThroughTrimble(3300, {points[0]});
    EXPECT_EQ(s->Stream().at(0), "evCode=1001");
}
