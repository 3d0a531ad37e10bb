#include <gmock/gmock.h>

#include "readers/pentax/pentax_reader.h"
#include "support/event_cases.h"

using ::testing::HasSubstr;
using namespace testing_support;

TEST(PentaxKeywords, RecordsOfTextFiles) {
    const std::vector<EventCase> cases = {
        {"0000ENQ:x\n0000STS:S1\n0001INH:1.500\n", {"evStation=S1", "evInstrumentHeight=1.500"}},
        {"0000ENQ:\n   0000STS:S1\n0000STC:PEG\n0000TMP:20\n0000PRS:1013\n0000PPM:12\n"
         "0000PPD:T1\n0000PPC:WALL\n0000PPH:1.6\n0000RTH:123.4530\n\t0000RTV:90.0000\n"
         "0000RTD:25.125\n0000XYZ:9\n  ",
         {"evStation=S1", "evCode=PEG", "evTemperature=20", "evPressure=1013", "evPpm=12",
          "evTarget=T1", "evCode=WALL", "evTargetHeight=1.6", "evHorAngle=123.45.30.0",
          "evVertAngle=90.00.00.0", "evSlopeDist=25.125"}},
        // A last line without its line feed loses its last character.
        {"0000ENQ:\n0000STS:S1\n0000INH:1.55", {"evStation=S1", "evInstrumentHeight=1.5"}},
        // The angle text: degrees, minutes, seconds.
        {"0000ENQ:\n0000RTH:90.1502\n0000RTV:90\n0000RTH:7.\n0000RTV:359.59599\n0000RTH:\n",
         {"evHorAngle=90.15.02.0", "evVertAngle=000.00.00.0", "evHorAngle=7.00.00.0",
          "evVertAngle=359.59.59.9", "evHorAngle=000.00.00.0"}},
        // Only the last of repeated keywords counts; without a prefix the values keep their
        // line feed.
        {"ENQ:1\nSTS:S1\nRTH:10.00000\nRTH:20.00000\nRTD:5\nPPD:T",
         {"evStation=S1\n", "evHorAngle=20.00.00.0", "evSlopeDist=5\n"}},
        // With a prefix: the keyword after it, whatever the prefix says.
        {"0000ENQ:\n0000PPD:T1\n0001PPD:T2\n0002PPH:1\n0000PPD:T3\n",
         {"evTarget=T2", "evTargetHeight=1", "evTarget=T3"}},
        // Point files of the colon kind: the title line, point lines of type 1.
        {"00011:JOB 7:x\n00031:ignored,1,2,3,\n00021:P7,1,2,3,\n00021:P8,1,2,3\n",
         {"evPointName=P7", "evPointX=1", "evPointY=2", "evPointH=3", "evPointName=P8",
          "evPointX=1", "evPointY=2"}},
        {"00011:J:\n", {}, {"mismatches required data format"}},
    };
    CheckEvents<CImpPENTAX>("a.txt", cases);
    // Other extensions, or a first line of the kind, make keyword files too.
    CheckEvents<CImpPENTAX>("a.aux", {{"0000STS:S1\n", {"evStation=S1"}}});
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.dc1",
                               "0001STL:North field\n0000STS:S1\n0000PPD:T1\n"
                               "0000RTH:90.15025\n0000RTD:12.5\n")});
    EXPECT_EQ(h.project.title, "North field");
    const auto& o = h.project.data().stations.at(0).observations.at(0);
    EXPECT_NEAR(*o.hz / kDeg, 90 + 15.0 / 60 + 2.5 / 3600, 1e-9);
    EXPECT_DOUBLE_EQ(*o.sd, 12.5);
}

TEST(PentaxKeywords, WhatCountsAsUnderstood) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.txt", "0000ENQ:\n0000INH:abc\n")});
    // The unknown ENQ keyword already shows the file is of this kind.
    EXPECT_FALSE(h.ProtocolContains("mismatches"));
    EXPECT_TRUE(h.ProtocolContains("string  2:\nInvalid symbol(s)  abc"));
    EXPECT_GT(h.dlg.ProgressTicks(), 0);
}

TEST(PentaxPoints, CsvFiles) {
    const std::vector<EventCase> cases = {
        // Odd codes: known plan position; 2, 3, 6, 7: known height; no number: no class.
        {"P1,100.000,200.000,10.000,3,x\n",
         {"evPointName=P1", "evPlanClass=Base", "evHeightClass=Base", "evCode=3",
          "evPointX=100.000", "evPointY=200.000", "evPointH=10.000"}},
        {"P1,1,2,3,4,x\n",
         {"evPointName=P1", "evCode=4", "evPointX=1", "evPointY=2", "evPointH=3"}},
        {"A,1,,,9,\nB,,,3,6,\nC,,2,,TREE,\n",
         {"evPointName=A", "evPlanClass=Base", "evCode=9", "evPointX=1", "evPointName=B",
          "evHeightClass=Base", "evCode=6", "evPointH=3", "evPointName=C", "evCode=TREE",
          "evPointY=2"}},
        // Fields need their comma; the last push refused, the file is not understood.
        {"P1,1,2,3,5\n", {"evPointName=P1", "evPointX=1", "evPointY=2", "evPointH=3"}},
        {"P1,1,2,3\n", {"evPointName=P1", "evPointX=1", "evPointY=2"}},
        {"P1,x,y,z,0,\n", {"evPointName=P1", "evCode=0"}, {"mismatches required data format"}},
    };
    CheckEvents<CImpPENTAX>("a.csv", cases);
    // An upper-case extension is typed by the first line.
    CheckEvents<CImpPENTAX>("points.CSV", {{"P1,1,2,3,1,\n",
                                            {"evPointName=P1", "evPlanClass=Base", "evCode=1",
                                             "evPointX=1", "evPointY=2", "evPointH=3"}}});
    // Not five commas: the file is not understood and skipped.
    ReaderHarness h;
    h.Run<CImpPENTAX>(
        {h.Write("points.CSV", "P1,1,2,3\n"), h.Write("b.txt", "00011:J:\n00021:P,1,2,3,\n")});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=P", "evPointX=1", "evPointY=2", "evPointH=3"}));
    ASSERT_EQ(h.Protocol().size(), 1u);
    EXPECT_THAT(h.Protocol()[0], HasSubstr("points.CSV\"\nmismatches required data format"));
}
