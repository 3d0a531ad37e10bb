
#include "readers/nrdf_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;
using Events = std::vector<std::string>;

namespace {

Events Read(const std::string& text) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("job.rdf", text)});
    return h.Stream();
}

}  // namespace

TEST(NrdfResection, MarkerBecomesTheStationOfTheResectedPoint) {
    EXPECT_EQ(Read("CO,Start of Resection\n"
                   "RE,R1,,100.0,200.0,10.0,\n"
                   "\n"
                   "SS,A,1.5,10.0,1.0000,90.0000,,\n"
                   "ST,R1,,BK,,1.450,,5.0000,\n"),
              (Events{// the marker line, decoded as the station of R1
                      "evStation=R1", "evBacksight=BK", "evInstrumentHeight=1.450", "evTarget=BK",
                      "evHorAngle=5.00.00.0",
                      // the lines read ahead, read again
                      "evPointName=R1", "evPointX=100.0", "evPointY=200.0", "evPointH=10.0",
                      "evPlanClass=P", "evHeightClass=P", "evTarget=A", "evTargetHeight=1.5",
                      "evSlopeDist=10.0", "evHorAngle=1.00.00.0", "evVertAngle=90.00.00.0",
                      "evStation=R1", "evBacksight=BK", "evInstrumentHeight=1.450"}));
}

TEST(NrdfResection, StationOfAnotherNameGivesOnlyTheName) {
    EXPECT_EQ(Read("CO,Start of Resection\n"
                   "RE,R1,,1,2,3,\n"
                   "ST,S9,,BK,,1.4,,5.0000,\n"),
              (Events{"evStation=R1", "evPointName=R1", "evPointX=1", "evPointY=2", "evPointH=3",
                      "evPlanClass=P", "evHeightClass=P", "evStation=S9", "evBacksight=BK",
                      "evInstrumentHeight=1.4"}));
}

TEST(NrdfResection, WithoutResectedPointTheMarkerPushesNothing) {
    EXPECT_EQ(Read("CO,Start of Resection\nSS,P1,,10,,,,\n"),
              (Events{"evTarget=P1", "evSlopeDist=10"}));
    // A resected point after the station does not belong to the block.
    EXPECT_EQ(Read("CO,Start of Resection\nST,S1,,,,,,,\nRE,R1,,1,2,3,\n"),
              (Events{"evStation=S1", "evPointName=R1", "evPointX=1", "evPointY=2", "evPointH=3",
                      "evPlanClass=P", "evHeightClass=P"}));
}

TEST(NrdfResection, MarkersInARowSeeOnlyTheLinesAfterThem) {
    EXPECT_EQ(Read("CO,Start of Resection\n"  // sees R1 and R2: R2 wins
                   "RE,R1,,1,2,3,\n"
                   "CO,Start of Resection\n"  // sees R2
                   "RE,R2,,4,5,6,\n"
                   "CO,Start of Resection\n"  // sees no resected point
                   "SS,P,,10,,,,\n"
                   "ST,R2,,BK,,1.4,,,\n"
                   "CO,Start of Resection\n"  // a new block without a resected point
                   "ST,Q,,,,,,,\n"),
              (Events{"evStation=R2", "evBacksight=BK", "evInstrumentHeight=1.4", "evPointName=R1",
                      "evPointX=1", "evPointY=2", "evPointH=3", "evPlanClass=P", "evHeightClass=P",
                      // the second station settles the pending backsight of the first
                      "evTarget=BK", "evHorAngle=000.00000", "evStation=R2", "evBacksight=BK",
                      "evInstrumentHeight=1.4", "evPointName=R2", "evPointX=4", "evPointY=5",
                      "evPointH=6", "evPlanClass=P", "evHeightClass=P", "evTarget=P",
                      "evSlopeDist=10", "evStation=R2", "evBacksight=BK", "evInstrumentHeight=1.4",
                      "evTarget=BK", "evHorAngle=000.00000", "evStation=Q"}));
}

TEST(NrdfResection, ManyMarkersAllSeeTheLastResectedPoint) {
    std::string text = "RE,R0,,1,2,3,\n";
    for (int i = 0; i < 20000; ++i) text += "CO,Start of Resection\n";
    text += "RE,R1,,1,2,3,\n";
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("many.rdf", text)});
    // Every marker sees R1, the last resected point before the end of the file.
    long stations = 0;
    for (const auto& e : h.events)
        if (e.pass == 2 && e.id == evStation && e.value == "R1")
            ++stations;
    EXPECT_EQ(stations, 20000);
}
