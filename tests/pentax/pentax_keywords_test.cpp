#include <cmath>

#include "readers/pentax_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;
using Events = std::vector<std::string>;

namespace {

Events Read(const std::string& name, const std::string& text) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write(name, text)});
    return h.Stream();
}

}  // namespace

TEST(PentaxPrefixedRecords, EveryKeyword) {
    EXPECT_EQ(Read("a.txt", "0000ENQ:x\n0000STS:S1\n0001INH:1.500\n"),
              (Events{"evStation=S1", "evInstrumentHeight=1.500"}));
    EXPECT_EQ(Read("a.txt",
                   "0000ENQ:\n   0000STS:S1\n0000STC:PEG\n0000TMP:20\n0000PRS:1013\n0000PPM:12\n"
                   "0000PPD:T1\n0000PPC:WALL\n0000PPH:1.6\n0000RTH:123.4530\n\t0000RTV:90.0000\n"
                   "0000RTD:25.125\n0000XYZ:9\n  "),
              (Events{"evStation=S1", "evCode=PEG", "evTemperature=20", "evPressure=1013",
                      "evPpm=12", "evTarget=T1", "evCode=WALL", "evTargetHeight=1.6",
                      "evHorAngle=123.45.30.0", "evVertAngle=90.00.00.0", "evSlopeDist=25.125"}));
    // A last line without its line feed loses its last character.
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n0000STS:S1\n0000INH:1.55"),
              (Events{"evStation=S1", "evInstrumentHeight=1.5"}));
}

TEST(PentaxPrefixedRecords, ObservationReachesTheProject) {
    ReaderHarness h;
    h.Run<CImpPENTAX>(
        {h.Write("a.txt", "0000ENQ:\n0000STS:S1\n0000PPD:T1\n0000RTH:90.15025\n0000RTD:12.5\n")});
    ASSERT_EQ(h.project.data().stations.size(), 1u);
    ASSERT_EQ(h.project.data().stations[0].observations.size(), 1u);
    const auto& o = h.project.data().stations[0].observations[0];
    EXPECT_NEAR(*o.hz * 180 / M_PI, 90 + 15.0 / 60 + 2.5 / 3600, 1e-9);
    EXPECT_DOUBLE_EQ(*o.sd, 12.5);
}

TEST(PentaxAngles, DegreesMinutesSecondsText) {
    EXPECT_EQ(
        Read("a.txt",
             "0000ENQ:\n0000RTH:90.1502\n0000RTV:90\n0000RTH:7.\n0000RTV:359.59599\n0000RTH:\n"),
        (Events{"evHorAngle=90.15.02.0", "evVertAngle=000.00.00.0", "evHorAngle=7.00.00.0",
                "evVertAngle=359.59.59.9"}));
}

TEST(PentaxRepeats, OnlyTheLastOfRepeatedKeywordsCounts) {
    // Without a prefix the values keep their line feed.
    EXPECT_EQ(Read("a.txt", "ENQ:1\nSTS:S1\nRTH:10.00000\nRTH:20.00000\nRTD:5\nPPD:T"),
              (Events{"evStation=S1\n", "evHorAngle=20.00.00.0", "evSlopeDist=5\n"}));
    // With a prefix: the keyword after it, whatever the prefix says.
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n0000PPD:T1\n0001PPD:T2\n0002PPH:1\n0000PPD:T3\n"),
              (Events{"evTarget=T2", "evTargetHeight=1", "evTarget=T3"}));
}

TEST(PentaxAuxFiles, ExtensionOrFirstLine) {
    EXPECT_EQ(Read("a.aux", "0000STS:S1\n"), (Events{"evStation=S1"}));
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.dc1", "0001STL:North field\n0000STS:S1\n")});
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1"}));
    EXPECT_EQ(h.project.title, "North field");
}

TEST(PentaxFiles, WhatCountsAsUnderstood) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.txt", "0000ENQ:\n0000INH:abc\n")});
    // The unknown ENQ keyword already shows the file is of this kind.
    EXPECT_FALSE(h.ProtocolContains("mismatches"));
    EXPECT_TRUE(h.ProtocolContains("string  2:\nInvalid symbol(s)  abc"));
    EXPECT_GT(h.dlg.ProgressTicks(), 0);

    ReaderHarness g;
    g.Run<CImpPENTAX>({g.Write("b.csv", "P1,x,y,z,0,\n")});
    // The last push of the line was refused, so the file counts as not understood.
    EXPECT_TRUE(g.ProtocolContains("mismatches required data format"));
}
