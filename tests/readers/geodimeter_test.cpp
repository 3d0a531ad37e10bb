#include <ctime>

#include "readers/geodimeter/geodimeter_reader.h"
#include "support/reader_harness.h"
#include "support/time_text.h"

using namespace testing_support;

namespace {

Events Read(const std::string& text, int points = 0) {
    ReaderHarness h;
    h.Run<CImpGEOD>({h.Write("job.are", text)}, points);
    return h.Stream();
}

}  // namespace

// Each case: the file's text, the events it gives, and whether the points flag is set.
TEST(GeodimeterLabels, EventsOfEachLine) {
    const struct {
        const char* text;
        Events events;
        int points = 0;
    } cases[] = {
        {"2=ST1 3=1.550\n", {"evStation=ST1", "evInstrumentHeight=1.550"}},
        // The points flag makes stations and points known.
        {"2=ST1\n5=P1\n",
         {"evStation=ST1", "evPlanClass=Base", "evHeightClass=Base", "evPointName=P1",
          "evTarget=P1", "evTargetHeight=0", "evPlanClass=Base", "evHeightClass=Base"},
         1},
        // An empty station name with the points flag still gives the two classes.
        {"3=1\n2= 3=1.5\n", {"evInstrumentHeight=1", "evPlanClass=Base", "evHeightClass=Base"}, 1},
        // Measurement mode: a point announces a target.
        {"5=P1 37=100.5 38=200.25 39=10\n",
         {"evPointName=P1", "evTarget=P1", "evTargetHeight=0", "evPointX=100.5", "evPointY=200.25",
          "evPointH=10"}},
        // Lead label 15 makes a point list: the line pushes nothing, label 5 names only a point;
        // label 50 leaves the list, a blank first line has lead label 0.
        {"15=LIST 5=X\n5=P1 37=1\n5=P2\n", {"evPointName=P1", "evPointX=1", "evPointName=P2"}},
        {"15=LIST\n5=P1\n", {"evPointName=P1", "evPlanClass=Base", "evHeightClass=Base"}, 1},
        {"15=A\n5=P1\n50=1 5=P2\n",
         {"evPointName=P1", "evPointName=P2", "evTarget=P2", "evTargetHeight=0"}},
        {"\n15=A 5=P1\n", {"evPointName=P1", "evTarget=P1", "evTargetHeight=0"}},
        // An empty value or a word without "=" ends the line.
        {"3= 5=P1\n2=S\n", {"evStation=S"}},
        {"2=S\n5= 9=12\n", {"evStation=S", "evTargetHeight=0"}},
        {"2=S junk 3=1.5\n", {"evStation=S"}},
        // Codes keep their blanks.
        {"2=S\n4=OAK TREE 5=P1\n",
         {"evStation=S", "evCode=OAK TREE", "evPointName=P1", "evTarget=P1", "evTargetHeight=0"}},
        {"2=S\n4=OAK TREE  OLD\n", {"evStation=S", "evCode=OAK TREE  OLD"}},
        // Angles: dms texts get dots, gon keeps the point, an empty angle is zero.
        {"2=S\n7=-12.3456 8=95.1020 21=123.4530\n",
         {"evStation=S", "evCircleFace=Left", "evHorAngle=-012.34.56", "evCircleFace=Left",
          "evVertAngle=095.10.20", "evCircleFace=Left", "evHorAngle=123.45.30"}},
        {"23=1111\n7=-12.3456\n", {"evCircleFace=Left", "evHorAngle=-012.3456"}},
        {"2=S\n7= 9=10.5\n",
         {"evStation=S", "evCircleFace=Left", "evHorAngle=000000.00", "evSlopeDist=10.5"}},
        // A right-face reading belongs to the announced target, and needs one.
        {"2=S\n17=10.0000\n", {"evStation=S"}},
        {"2=S\n5=T1\n17=10.0000\n17=20.0000\n24=30.0000\n",
         {"evStation=S", "evPointName=T1", "evTarget=T1", "evTargetHeight=0", "evCircleFace=Right",
          "evHorAngle=010.00.00", "evTarget=T1", "evCircleFace=Right", "evHorAngle=020.00.00",
          "evTarget=T1", "evCircleFace=Left", "evHorAngle=030.00.00"}},
        {"2=S\n5=T1 18=270.0000\n",
         {"evStation=S", "evPointName=T1", "evTarget=T1", "evTargetHeight=0", "evCircleFace=Right",
          "evVertAngle=270.00.00"}},
        // An orientation target keeps the target name.
        {"2=S\n5=T1\n62=R1\n17=1.0000\n",
         {"evStation=S", "evPointName=T1", "evTarget=T1", "evTargetHeight=0", "evOrientationStart=",
          "evTarget=R1", "evTargetHeight=0", "evCircleFace=Right", "evHorAngle=001.00.00"}},
        {"2=S 1=24.12.1999 56=20 74=745\n5=T 9=10.5 10=-1.25 11=10.4 49=0.5 6=1.6\n",
         {"evStation=S", "evDate=24.12.1999", "evTemperature=20", "evPressure=745", "evPointName=T",
          "evTarget=T", "evTargetHeight=0", "evSlopeDist=10.5", "evHeightDiff=-1.25",
          "evHorDist=10.4", "evHeightDiffAux=0.5", "evTargetHeight=1.6"}},
        // Integer kind: 0 counts as not given.
        {"2=S 56=0 74=abc\n", {"evStation=S"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Read(c.text, c.points), c.events) << c.text;
}

TEST(GeodimeterValues, UnitWordSetsDistanceAndAngleUnits) {
    // Label 23 gives pressure, distance, temperature and angle units by code; a short word
    // changes nothing.
    const struct {
        const char* word;
        double sd, hz_degrees;
    } rows[] = {
        {"1111", 10.0, 90.27},                // metres, gon
        {"1211", 3.048, 90.27},               // feet
        {"1311", 10 * 1200.0 / 3937, 90.27},  // US survey feet
        {"1112", 10.0, 100.5},                // degrees-minutes-seconds
        {"1113", 10.0, 100.3},                // decimal degrees
        {"1114", 10.0, 100.3 * 360 / 6400},   // mils
        {"12", 10.0, 100.5},                  // too short: metres and dms stay
    };
    for (const auto& row : rows) {
        ReaderHarness h;
        h.Run<CImpGEOD>(
            {h.Write("a.job", std::string("2=S\n23=") + row.word + "\n5=T 7=100.3000 9=10\n")}, 0);
        const auto& obs = h.project.data().stations.at(0).observations;
        ASSERT_EQ(obs.size(), 1u) << row.word;
        EXPECT_NEAR(*obs[0].sd, row.sd, 1e-9) << row.word;
        EXPECT_NEAR(*obs[0].hz / kDeg, row.hz_degrees, 1e-9) << row.word;
    }
}

TEST(GeodimeterDates, DayMonthYearForms) {
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    CImpGEOD r(&project, &dlg, &dlg.ImportInfo(), 0);
    auto date = [&](const char* text) { return DateOf(r, text, "%Y-%m-%d %H"); };
    EXPECT_EQ(date("24.12.99"), "1999-12-24 12");
    EXPECT_EQ(date("3/4/2006"), "2006-04-03 12");
    // 1905 is out of range: this year
    EXPECT_EQ(date("24.12.05"), LocalTimeText(std::time(nullptr), "%Y") + "-12-24 12");
    EXPECT_EQ(date(" 1-2-2001 "), "2001-02-01 12");
    EXPECT_EQ(date("40.13.2001"), "none");
}

TEST(GeodimeterFiles, BadFilesAreReportedAndTheOthersImport) {
    ReaderHarness h;
    std::string good = h.Write("good.job", "2=S\n5=P1 37=1 38=2 39=3\n");
    std::string binary = h.Write("binary.job", std::string("\x00\xff\x01=\x02\n\x00\x00=5\n", 10));
    std::string longline = h.Write("long.job", "2=L " + std::string(100000, 'x') + "\n5=Q 37=1\n");
    std::filesystem::create_directory(h.dir / "folder.job");
    std::string missing = (h.dir / "missing.job").string();
    h.Run<CImpGEOD>({missing, good, binary, longline, (h.dir / "folder.job").string()}, 0);
    for (const char* piece : {"missing.job", "folder.job", "binary.job\"\nmismatches",
                              "long.job, string  1:\nThe line is longer than 1023"})
        EXPECT_TRUE(h.ProtocolContains(piece)) << piece;
    ASSERT_NE(h.project.FindPoint("P1"), nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(h.project.FindPoint("P1")->h), 3.0);
    EXPECT_NE(h.project.FindPoint("Q"), nullptr);
}

TEST(GeodimeterFiles, ErrorsNameFileAndLine) {
    ReaderHarness h;
    std::string path = h.Write("bad.job", "2=S\n5=T 9=1x.5\n");
    h.Run<CImpGEOD>({path}, 0);
    EXPECT_TRUE(h.ProtocolContains(path + ", string  2:"))
        << ::testing::PrintToString(h.Protocol());
    // Before its first line an open file gives no place.
    CImpGEOD reader(&h.project, &h.dlg, &h.dlg.ImportInfo(), 0);
    ASSERT_EQ(reader.Open(path), 1);
    reader.WriteToLog("before any line", 2);
    EXPECT_EQ(h.Protocol().back(), "before any line");
}
