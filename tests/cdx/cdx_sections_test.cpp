#include "cdx_fixture.h"
#include "support/noise.h"

using cdx_test::CdxRun;
using cdx_test::Events;
using cdx_test::PointLine;
using cdx_test::Section;

TEST(CdxSections, EachSectionIsOneRecord) {
    CdxRun r(Section({PointLine("1", "A"), PointLine("2", "B")}) +
             Section({PointLine("3", "C", "1")}));
    const auto points = r.h.Of(evPointName);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].record, points[1].record);
    EXPECT_GT(points[2].record, points[1].record);
}

TEST(CdxCoordinates, ProjectedSystemsExtendTheRange) {
    for (int projection : {0, 1}) {
        zut::CEast::m_AutoRange = false;
        zut::CNorth::m_AutoRange = false;
        CdxRun r(Section({PointLine("1", "P", "", "1e9", "12,5", "-7")}), projection);
        EXPECT_EQ(r.Stream(), (projection ? Events{"evPointName=P", "evPointX=1e9", "evPointH=-7"}
                                          : Events{"evPointName=P", "evPointH=-7"}));
        EXPECT_EQ(r.h.ProtocolContains("The value '1e9' is out of range.\nAdmissible interval: "
                                       "-100000000.000 ... 100000000.000."),
                  projection == 0);
        EXPECT_TRUE(r.h.ProtocolContains("Invalid symbol(s)  ,5  found in string  12,5"));
        // The switches are as they were before the import.
        EXPECT_FALSE(zut::CEast::m_AutoRange || zut::CNorth::m_AutoRange);
    }
}

TEST(CdxCoordinates, ReadInTheImportUnit) {
    testing_support::ReaderHarness h;
    CImpCDX reader(&h.project, nullptr, &h.dlg.ImportInfo());
    reader.m_DistUnit = zut::du_foot;
    zut::CLinear v;
    EXPECT_EQ(reader.GetLinear("10", &v), 1);
    EXPECT_NEAR(static_cast<double>(v), 3.048, 1e-12);
    EXPECT_EQ(reader.GetLinear("", &v), 0);
    EXPECT_EQ(reader.GetLinear(nullptr, &v), 0);
    EXPECT_TRUE(h.Protocol().empty());
    EXPECT_EQ(zut::CLinear::unit(), zut::du_metre);
}

TEST(CdxProgress, LinesRecordsAndTheEnd) {
    CdxRun r("BEGIN POINTS\n" + PointLine("1", "A") + "END POINTS\n");
    // Per pass: three lines, one record, the end of the section, the end of the file.
    EXPECT_EQ(r.progress, (std::vector<int>{0, 0, 0, 0, 100, 100, 0, 0, 0, 0, 100, 100}));

    std::string text = "BEGIN POINTS\n";
    for (int i = 0; i < 21; ++i) text += "* filler\n";
    CdxRun later(text + PointLine("1", "A") + "END POINTS\n");
    // Lines 23 and 24, then the point of line 23.
    ASSERT_GE(later.progress.size(), 27u);
    EXPECT_EQ(std::vector<int>(later.progress.begin() + 22, later.progress.begin() + 27),
              (std::vector<int>{2, 2, 2, 100, 100}));
}

TEST(CdxFiles, MissingFileIsReported) {
    testing_support::ReaderHarness h;
    CImpCDX reader(&h.project, nullptr, &h.dlg.ImportInfo());
    EXPECT_EQ(reader.ImportFile((h.dir / "none.cdx").string()), 0);
    EXPECT_TRUE(h.ProtocolContains("none.cdx"));
    reader.DoImport();  // without a dialog there is no file list: nothing happens
    EXPECT_TRUE(h.events.empty());
}

TEST(CdxRobustness, AnyBytesAndRandomParents) {
    for (unsigned seed : {41u, 42u, 43u}) {
        // Points with small indices, so that parents form chains, cycles and dangling links.
        CdxRun r(testing_support::NoiseBytes(
            seed, 48 * 1024,
            {"BEGIN POINTS\n", "END POINTS\n", "\n", PointLine("1", "A", "2", "1", "2", "3"),
             PointLine("2", "B", "1", "", "\x01\r"), PointLine("3", "C", "3", "", "", "", " /h"),
             PointLine("4", "D", "9", "7", "7", "7", " /V /s /x"), PointLine("-1", "E", "4"),
             PointLine("1", "F", "-1"), PointLine("", "G", "1"), PointLine("5", "", "5")},
            40, ' '));
        testing_support::ExpectLinesAscend(r.h);
        EXPECT_EQ(r.loaded, 1) << seed;
        ASSERT_FALSE(r.progress.empty());
        EXPECT_EQ(r.progress.back(), 100);
        for (int p : r.progress) EXPECT_TRUE(p >= 0 && p <= 100) << p;
        // Every name pushed ends with the point's own name.
        for (const auto& name : r.Names()) EXPECT_FALSE(name.empty() || name.back() == '_') << name;
    }
}
