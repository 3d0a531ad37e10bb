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

double Degrees(double radians) {
    return radians * 180.0 / M_PI;
}

}  // namespace

TEST(PentaxPrefixedRecords, StationThenInstrumentHeight) {
    EXPECT_EQ(Read("a.txt", "0000ENQ:x\n0000STS:S1\n0001INH:1.500\n"),
              (Events{"evStation=S1", "evInstrumentHeight=1.500"}));
}

TEST(PentaxPrefixedRecords, EveryKeyword) {
    EXPECT_EQ(
        Read("a.txt",
             "0000ENQ:\n0000STS:S1\n0000STC:PEG\n0000INH:1.5\n0000TMP:20\n0000PRS:1013\n"
             "0000PPM:12\n0000PPD:T1\n0000PPC:WALL\n0000PPH:1.6\n0000RTH:123.4530\n"
             "0000RTV:90.0000\n0000RTD:25.125\n0000XYZ:9\n"),
        (Events{"evStation=S1", "evCode=PEG", "evInstrumentHeight=1.5", "evTemperature=20",
                "evPressure=1013", "evPpm=12", "evTarget=T1", "evCode=WALL", "evTargetHeight=1.6",
                "evHorAngle=123.45.30.0", "evVertAngle=90.00.00.0", "evSlopeDist=25.125"}));
}

TEST(PentaxPrefixedRecords, ObservationReachesTheProject) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.txt",
                               "0000ENQ:\n0000STS:S1\n0000PPD:T1\n0000PPH:1.6\n0000RTH:90.15025\n"
                               "0000RTV:45.3000\n0000RTD:12.5\n")});
    ASSERT_EQ(h.project.data().stations.size(), 1u);
    const auto& station = h.project.data().stations[0];
    EXPECT_EQ(station.name, "S1");
    ASSERT_EQ(station.observations.size(), 1u);
    const auto& o = station.observations[0];
    EXPECT_EQ(o.target, "T1");
    EXPECT_NEAR(Degrees(*o.hz), 90 + 15.0 / 60 + 2.5 / 3600, 1e-9);
    EXPECT_NEAR(Degrees(*o.v), 45.5, 1e-9);
    EXPECT_DOUBLE_EQ(*o.sd, 12.5);
    EXPECT_DOUBLE_EQ(*o.target_height, 1.6);
}

TEST(PentaxAngles, DegreesMinutesSecondsText) {
    EXPECT_EQ(
        Read("a.txt", "0000ENQ:\n0000RTH:90.1502\n0000RTV:90\n0000RTH:7.\n0000RTV:359.59599\n"),
        (Events{"evHorAngle=90.15.02.0", "evVertAngle=000.00.00.0", "evHorAngle=7.00.00.0",
                "evVertAngle=359.59.59.9"}));
    // An empty angle is not given rather than zero.
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n0000RTH:\n0000STS:S\n"), (Events{"evStation=S"}));
}

TEST(PentaxRepeats, OnlyTheLastOfRepeatedKeywordsCounts) {
    // Without a prefix: the keyword at the start of the following line.
    EXPECT_EQ(Read("a.txt", "ENQ:1\nSTS:S1\nRTH:10.00000\nRTH:20.00000\nRTD:5\n"),
              (Events{"evStation=S1\n", "evHorAngle=20.00.00.0", "evSlopeDist=5\n"}));
    // With a prefix: the keyword after it, whatever the prefix says.
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n0000PPD:T1\n0001PPD:T2\n0002PPH:1\n"),
              (Events{"evTarget=T2", "evTargetHeight=1"}));
    // A different keyword in between breaks the run.
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n0000PPD:T1\n0000PPH:1\n0000PPD:T2\n"),
              (Events{"evTarget=T1", "evTargetHeight=1", "evTarget=T2"}));
}

TEST(PentaxPlainRecords, ValuesKeepTheirLineFeed) {
    EXPECT_EQ(Read("a.txt", "ENQ:\nSTS:S1\nINH:1.5\n"),
              (Events{"evStation=S1\n", "evInstrumentHeight=1.5\n"}));
    // A last line without its line feed keeps one character too few to count.
    EXPECT_EQ(Read("a.txt", "ENQ:\nSTS:AB\nPPD:T"), (Events{"evStation=AB\n"}));
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.txt", "ENQ:\nINH:1.5\n")});
    ASSERT_EQ(h.project.data().stations.size(), 1u);
    EXPECT_DOUBLE_EQ(*h.project.data().stations[0].instrument_height, 1.5);
}

TEST(PentaxPrefixedRecords, LastLineLosesItsLastCharacter) {
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n0000INH:1.55"), (Events{"evInstrumentHeight=1.5"}));
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n0000STS:S1\n0000INH:5"), (Events{"evStation=S1"}));
}

TEST(PentaxAuxFiles, ExtensionOrFirstLine) {
    EXPECT_EQ(Read("a.aux", "0000STS:S1\n0000PPD:T1\n"), (Events{"evStation=S1", "evTarget=T1"}));
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.dc1", "0001STL:North field\n0000STS:S1\n")});
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1"}));
    EXPECT_EQ(h.project.title, "North field");
}

TEST(PentaxLines, BlanksAroundTheLineAreDropped) {
    EXPECT_EQ(Read("a.txt", "0000ENQ:\n   0000STS:S1\n\t0000INH:2\n   "),
              (Events{"evStation=S1", "evInstrumentHeight=2"}));
}

TEST(PentaxFiles, NothingAcceptedIsReportedOnce) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.txt", "0000ENQ:\n0000INH:abc\n")});
    // The unknown ENQ keyword already shows the file is of this kind.
    EXPECT_FALSE(h.ProtocolContains("mismatches"));
    EXPECT_TRUE(h.ProtocolContains("Invalid symbol(s)"));
    EXPECT_TRUE(h.ProtocolContains("string  2"));

    ReaderHarness g;
    g.Run<CImpPENTAX>({g.Write("b.csv", "P1,x,y,z,0,\n")});
    EXPECT_EQ(g.Stream(), (Events{"evPointName=P1", "evCode=0"}));
    // The last push of the line was refused, so the file counts as not understood.
    EXPECT_TRUE(g.ProtocolContains("mismatches required data format"));
}

TEST(PentaxFiles, ProgressFollowsTheLines) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.csv", "A,1,2,3,0,\nB,1,2,3,0,\n")});
    EXPECT_GT(h.dlg.ProgressTicks(), 0);
}
