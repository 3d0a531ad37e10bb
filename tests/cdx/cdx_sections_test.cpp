#include "cdx_fixture.h"

using cdx_test::CdxRun;
using cdx_test::Events;
using cdx_test::PointLine;
using cdx_test::Section;

TEST(CdxSections, OnlyLinesInsideAClosedSectionArePoints) {
    CdxRun r(PointLine("9", "OUT1") + "END POINTS\n" + Section({PointLine("1", "A")}) +
             PointLine("8", "OUT2") + "BEGIN POINTS\n" + PointLine("7", "OPEN"));
    EXPECT_EQ(r.Names(), (Events{"A"}));
    // A second start drops the points so far.
    CdxRun again("BEGIN POINTS\n" + PointLine("1", "A") + "BEGIN POINTS\n" +
                 PointLine("2", "B", "1") + "END POINTS\n");
    EXPECT_EQ(again.Names(), (Events{"B"}));
}

TEST(CdxSections, EachSectionIsOneRecord) {
    CdxRun r(Section({PointLine("1", "A"), PointLine("2", "B")}) +
             Section({PointLine("3", "C", "1")}));
    // Parents are looked up within their own section only.
    EXPECT_EQ(r.Names(), (Events{"A", "B", "C"}));
    std::vector<long> records;
    for (const auto& e : r.h.events)
        if (e.pass == 2 && e.id == evPointName)
            records.push_back(e.record);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], records[1]);
    EXPECT_GT(records[2], records[1]);
}

TEST(CdxSections, MessagesNameTheLineOfThePoint) {
    // Comment and empty lines are skipped but counted; lines after a section keep their numbers.
    CdxRun r("* header\n\nBEGIN POINTS\n*  1 COMMENTED\n" + PointLine("1", "A", "", "x1") +
             "END POINTS\n" + Section({PointLine("", "B")}));
    EXPECT_EQ(r.Names(), (Events{"A", "B"}));
    EXPECT_TRUE(r.h.ProtocolContains("string  5:\nInvalid symbol(s)  x1  found in string  x1"));
    EXPECT_TRUE(r.h.ProtocolContains("string  8:\nThe point index is missing."));
}

TEST(CdxPoints, MissingAndBadFields) {
    CdxRun r(Section({PointLine("", "NOINDEX"), PointLine("1", ""), PointLine("12a", "BADINDEX"),
                      PointLine("3", "CHILD", "12"), PointLine("4", "BADPARENT", "x")}));
    // A point without an index is kept; a point without a name is dropped.
    EXPECT_EQ(r.Names(), (Events{"NOINDEX", "BADINDEX", "CHILD", "BADPARENT"}));
    EXPECT_TRUE(r.h.ProtocolContains("string  2:\nThe point index is missing."));
    EXPECT_TRUE(r.h.ProtocolContains("string  3:\nThe point name is missing."));
    EXPECT_TRUE(r.h.ProtocolContains("string  4:\nInvalid symbol(s)  a  found in string  12a"));
    EXPECT_TRUE(r.h.ProtocolContains("string  6:\nInvalid symbol(s)  x  found in string  x"));
}

TEST(CdxCoordinates, ProjectedSystemsExtendTheRange) {
    for (int projection : {0, 1}) {
        zut::CEast::m_AutoRange = false;
        zut::CNorth::m_AutoRange = false;
        CdxRun r(Section({PointLine("1", "P", "", "1e9", "12,5", "-7")}), projection);
        const bool out_of_range =
            r.h.ProtocolContains("The value '1e9' is out of range.\nAdmissible interval: "
                                 "-100000000.000 ... 100000000.000.");
        if (projection == 0) {
            EXPECT_EQ(r.Stream(), (Events{"evPointName=P", "evPointH=-7"}));
            EXPECT_TRUE(out_of_range);
        } else {
            EXPECT_EQ(r.Stream(), (Events{"evPointName=P", "evPointX=1e9", "evPointH=-7"}));
            EXPECT_FALSE(out_of_range);
        }
        EXPECT_TRUE(r.h.ProtocolContains("Invalid symbol(s)  ,5  found in string  12,5"));
        // The switches are as they were before the import.
        EXPECT_FALSE(zut::CEast::m_AutoRange);
        EXPECT_FALSE(zut::CNorth::m_AutoRange);
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
