#include <cmath>
#include <ctime>
#include <numbers>

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

double Degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}

}  // namespace

TEST(NrdfBacksight, FaceRecordOfTheBacksightNeedsNoSyntheticObservation) {
    EXPECT_EQ(Read("ST,S1,,B1,,1.500,,20.0000,\n"
                   "F1,B1,1.600,100.000,20.0000,90.0000,,\n"),
              (Events{"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.500", "evTarget=B1",
                      "evTargetHeight=1.600", "evSlopeDist=100.000", "evHorAngle=40.00.00.0",
                      "evVertAngle=90.00.00.0"}));
}

TEST(NrdfBacksight, SideShotAfterTheStationGetsTheBacksightObservedFirst) {
    // The synthetic observation comes among the station's events, before its code.
    EXPECT_EQ(Read("ST,S1,,B1,,1.500,,20.0000,POLE\n"
                   "\n"
                   "SS,P1,1.600,50.000,100.0000,90.0000,10:00:00,TREE\n"),
              (Events{"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.500", "evTarget=B1",
                      "evHorAngle=20.00.00.0", "evCode=POLE", "evCode=POLE", "evTarget=P1",
                      "evTargetHeight=1.600", "evSlopeDist=50.000", "evHorAngle=100.00.00.0",
                      "evVertAngle=90.00.00.0", "evCode=TREE"}));
}

TEST(NrdfBacksight, FacePairsOfOtherTargets) {
    const std::string station = "ST,S1,,B1,,1.5,,20.0000,\n";
    const Events head{"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.5"};
    const Events synthetic{"evTarget=B1", "evHorAngle=20.00.00.0"};
    auto with = [&](Events tail, bool observed) {
        Events e = head;
        if (observed)
            e.insert(e.end(), synthetic.begin(), synthetic.end());
        e.insert(e.end(), tail.begin(), tail.end());
        return e;
    };
    // F1 and F2 of another target: the backsight was not observed.
    EXPECT_EQ(Read(station + "F1,P1,,,,,,\nF2,P1,,,,,,\n"),
              with({"evTarget=P1", "evTarget=P1"}, true));
    // F1 of another target, then F2 of the backsight: it was.
    EXPECT_EQ(Read(station + "F1,P1,,,,,,\nF2,B1,,,,,,\n"),
              with({"evTarget=P1", "evTarget=B1"}, false));
    // F1 of another target followed by something else.
    EXPECT_EQ(Read(station + "F1,P1,,,,,,\nSS,P2,,,,,,\n"),
              with({"evTarget=P1", "evTarget=P2"}, true));
    // F1 with no name says nothing.
    EXPECT_EQ(Read(station + "F1\n"), with({}, false));
    // The end of the file during the look-ahead.
    EXPECT_EQ(Read(station), with({}, false));
    EXPECT_EQ(Read(station + "F1,P1,,,,,,\n"), with({"evTarget=P1"}, false));
}

TEST(NrdfBacksight, SecondStationSettlesTheFirst) {
    EXPECT_EQ(
        Read("ST,S1,,B1,,1.5,,,\n"
             "SS,P1,,10.000,,,,\n"
             "ST,S2,,B2,,1.4,,,\n"
             "SS,P2,,11.000,,,,\n"),
        (Events{"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.5", "evTarget=P1",
                "evSlopeDist=10.000", "evTarget=B1", "evHorAngle=000.00000", "evStation=S2",
                "evBacksight=B2", "evInstrumentHeight=1.4", "evTarget=P2", "evSlopeDist=11.000"}));
}

TEST(NrdfBacksight, EndOfFileSettlesAPendingBacksight) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf", "ST,S1,,B1,,1.5,,,\nSS,P1,,10.000,,,,\n")});
    EXPECT_EQ(h.Stream(),
              (Events{"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.5", "evTarget=P1",
                      "evSlopeDist=10.000", "evTarget=B1", "evHorAngle=000.00000"}));
    const auto& obs = h.project.data().stations.at(0).observations;
    ASSERT_EQ(obs.size(), 2u);
    EXPECT_EQ(obs[1].target, "B1");
    EXPECT_NEAR(*obs[1].hz, 0.0, 1e-12);
}

TEST(NrdfBacksight, ObservingTheBacksightClearsIt) {
    EXPECT_EQ(Read("ST,S1,,B1,,,,,\nSS,B1,,10.000,,,,\n"),
              (Events{"evStation=S1", "evBacksight=B1", "evTarget=B1", "evSlopeDist=10.000"}));
}

TEST(NrdfComments, TemperaturePressureAndDateGoToTheNextStation) {
    ReaderHarness h;
    const std::string path = h.Write("a.rdf",
                                     "CO,Temp:20C Press:760mmHg Prism:0 01-Jan-2020 12:34:56\n"
                                     "ST,S1,,,,1.5,,,\n"
                                     "ST,S2,,,,1.5,,,\n");
    h.dlg.FileListRef() = path;
    CImpNRDF reader(&h.project, &h.dlg, &h.dlg.ImportInfo());
    reader.DoImport();
    EXPECT_EQ(h.Stream(),
              (Events{"evPressure=760", "evTemperature=20", "evStation=S1",
                      "evDate=01-Jan-2020 12:34:56", "evInstrumentHeight=1.5", "evPressure=760",
                      "evTemperature=20", "evStation=S2", "evInstrumentHeight=1.5"}));
    EXPECT_EQ(reader.m_TempUnit, zut::tu_celsius);
    EXPECT_EQ(reader.m_PresUnit, zut::pu_mmhg);
    const auto& st = h.project.data().stations.at(0);
    ASSERT_TRUE(st.date.has_value());
    std::time_t t = static_cast<std::time_t>(*st.date);
    std::tm tm{};
    localtime_r(&t, &tm);
    EXPECT_EQ(tm.tm_year + 1900, 2020);
    EXPECT_EQ(tm.tm_mon, 0);
    EXPECT_EQ(tm.tm_mday, 1);
    EXPECT_EQ(tm.tm_hour, 12);
    EXPECT_EQ(tm.tm_min, 34);
    EXPECT_EQ(tm.tm_sec, 56);
}

TEST(NrdfComments, UnitWordsAndSigns) {
    ReaderHarness h;
    h.dlg.FileListRef() = h.Write("a.rdf",
                                  "CO,TEMPERATURE:-5 FAHRENHEIT PRESSURE:29 INHG\n"
                                  "ST,S1,,,,,,,\n");
    CImpNRDF reader(&h.project, &h.dlg, &h.dlg.ImportInfo());
    reader.DoImport();
    EXPECT_EQ(h.Stream(), (Events{"evPressure=29", "evTemperature=-5", "evStation=S1"}));
    EXPECT_EQ(reader.m_TempUnit, zut::tu_fahrenheit);
    EXPECT_EQ(reader.m_PresUnit, zut::pu_inhg);
}

TEST(NrdfComments, BlankAfterTheColonLeavesTheReadingEmpty) {
    EXPECT_EQ(Read("CO,TEMP: 20C PRESS:1013HPA\nST,S1,,,,,,,\n"),
              (Events{"evPressure=1013", "evStation=S1"}));
    // Without a second colon the pressure is not read, and nothing was recognised.
    EXPECT_EQ(Read("CO,PRESS:760MMHG\nST,S1,,,,,,,\n"), (Events{"evStation=S1"}));
    // No unit recognised: the date is not looked for.
    EXPECT_EQ(Read("CO,TEMP:20X a b 01-JAN-2020 12:00:00\nST,S1,,,,,,,\n"),
              (Events{"evTemperature=20", "evStation=S1"}));
}

TEST(NrdfComments, DistanceAndAngleUnits) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf",
                             "CO,Dist Units:Feet\n"
                             "CO,Angle Units:Gons\n"
                             "ST,S1,,,,,,,\n"
                             "SS,P1,,10,100.0000,50,,\n"
                             "CO,Dist Units:Metres\n"
                             "CO,Angle Units:DDDMMSS\n"
                             "SS,P2,,10,100.0000,,,\n")});
    // Gons are passed on as they are; degrees are rewritten.
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1", "evTarget=P1", "evSlopeDist=10",
                                  "evHorAngle=100.0000", "evVertAngle=50", "evTarget=P2",
                                  "evSlopeDist=10", "evHorAngle=100.00.00.0"}));
    const auto& obs = h.project.data().stations.at(0).observations;
    ASSERT_EQ(obs.size(), 2u);
    EXPECT_NEAR(*obs[0].sd, 3.048, 1e-9);
    EXPECT_NEAR(Degrees(*obs[0].hz), 90.0, 1e-9);
    EXPECT_NEAR(*obs[1].sd, 10.0, 1e-9);
    EXPECT_NEAR(Degrees(*obs[1].hz), 100.0, 1e-9);
}

TEST(NrdfDates, MonthNamesAndLayout) {
    vrk::CVrkObject project;
    CImpDEVDlg dlg(&project, nullptr, 0, "", 0);
    CImpNRDF r(&project, &dlg, &dlg.ImportInfo());
    auto date = [&](const char* text) {
        int64_t t = 0;
        EXPECT_EQ(r.GetDate(text, &t), 1) << text;
        std::time_t tt = static_cast<std::time_t>(t);
        std::tm tm{};
        localtime_r(&tt, &tm);
        char buf[32];
        std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
        return std::string(buf);
    };
    EXPECT_EQ(date("05-Mar-2021 13:45:10"), "2021-03-05 13:45:10");
    EXPECT_EQ(date("28-nov-1999 00:00:01"), "1999-11-28 00:00:01");
    EXPECT_EQ(date("01-DEC-2000 08:00:00"), "2000-12-01 08:00:00");
    // A name that is not in the list counts as December.
    EXPECT_EQ(date("01-XYZ-2000 08:00:00"), "2000-12-01 08:00:00");
    // No range check: day 32 of January is the first of February.
    EXPECT_EQ(date("32-JAN-2001 10:00:00"), "2001-02-01 10:00:00");
    int64_t t = 0;
    EXPECT_EQ(r.GetDate("", &t), 1);  // never refuses a text
    EXPECT_EQ(r.GetDate(nullptr, &t), 0);
}

TEST(NrdfAngles, DegreesWithAndWithoutThePoint) {
    EXPECT_EQ(Read("SS,P1,,,123.4530,1234530,,\nSS,P2,,,5.3,-10.1,,\n"),
              (Events{"evTarget=P1", "evHorAngle=123.45.30.0", "evVertAngle=123.45.30.0",
                      "evTarget=P2", "evHorAngle=5.30.00.0", "evVertAngle=-10.10.00.0"}));
}

TEST(NrdfAngles, FaceRecordsAreOrientedByTheBacksightAngle) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf",
                             "ST,S1,,B1,,1.5,,20.0000,\n"
                             "F1,B1,,,350.0000,,,\n"
                             "F2,P1,,,123.4530,,,\n"
                             "SS,P2,,,350.0000,,,\n")});
    EXPECT_EQ(h.Stream(),
              (Events{"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.5", "evTarget=B1",
                      "evHorAngle=10.00.00.0", "evTarget=P1", "evHorAngle=143.45.30.0",
                      "evTarget=P2", "evHorAngle=350.00.00.0"}));
    const auto& obs = h.project.data().stations.at(0).observations;
    ASSERT_EQ(obs.size(), 3u);
    EXPECT_NEAR(Degrees(*obs[0].hz), 10.0, 1e-9);
}

TEST(NrdfAngles, FaceRecordWithoutBacksightAngleKeepsItsReading) {
    EXPECT_EQ(Read("ST,S1,,,,,,,\nF1,P1,,,123.4530,,,\nF2,P1,,,12x,,,\n"),
              (Events{"evStation=S1", "evTarget=P1", "evHorAngle=123.45.30.0", "evTarget=P1"}));
}

TEST(NrdfAngles, OrientedAngleInGonsStaysInGons) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf",
                             "CO,Angle Units:Gons\n"
                             "ST,S1,,B1,,,,50,\n"
                             "F1,B1,,,380,,,\n")});
    const auto& obs = h.project.data().stations.at(0).observations;
    ASSERT_EQ(obs.size(), 1u);
    EXPECT_NEAR(*obs[0].hz * 200 / std::numbers::pi, 30.0, 1e-6);
}

TEST(NrdfRecords, ObservationLayouts) {
    EXPECT_EQ(
        Read("SS,P1,1.6,10.5,1.0000,90.0000,t,CODE A\n"
             "CP,P2,x,1.7,11.5,2.0000,91.0000,y,CP CODE\n"
             "SO,P3,,,12.5,,,,\n"
             "SS,,1.6,10.5,1.0000,90.0000,,C\n"),
        (Events{"evTarget=P1", "evTargetHeight=1.6", "evSlopeDist=10.5", "evHorAngle=1.00.00.0",
                "evVertAngle=90.00.00.0", "evCode=CODE A", "evTarget=P2", "evTargetHeight=1.7",
                "evSlopeDist=11.5", "evHorAngle=2.00.00.0", "evVertAngle=91.00.00.0",
                "evCode=CP CODE", "evTarget=P3", "evSlopeDist=12.5"}));
}

TEST(NrdfRecords, CoordinatePointsAndTheirClasses) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf",
                             "MC,P1,C1,1.0,2.0,3.0,\n"
                             "MP,P2,,4.0,5.0,6.0,C2\n"
                             "UP,P3,,7.0,8.0,,\n"
                             "RE,P4,,9.0,10.0,11.0,\n"
                             "MP,,,1,2,3,\n")});
    EXPECT_EQ(h.Stream(),
              (Events{"evPointName=P1",  "evCode=C1",      "evPointX=1.0",   "evPointY=2.0",
                      "evPointH=3.0",    "evPointName=P2", "evPointX=4.0",   "evPointY=5.0",
                      "evPointH=6.0",    "evCode=C2",      "evPlanClass=B",  "evHeightClass=B",
                      "evPointName=P3",  "evPointX=7.0",   "evPointY=8.0",   "evPlanClass=B",
                      "evHeightClass=B", "evPointName=P4", "evPointX=9.0",   "evPointY=10.0",
                      "evPointH=11.0",   "evPlanClass=P",  "evHeightClass=P"}));
    ASSERT_NE(h.project.FindPoint("P2"), nullptr);
    EXPECT_TRUE(h.project.FindPoint("P2")->control);
    ASSERT_NE(h.project.FindPoint("P1"), nullptr);
    EXPECT_FALSE(h.project.FindPoint("P1")->control);
}

TEST(NrdfRecords, UnknownAndLowerCaseCodesPushNothing) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf", "ss,P1,,10,,,,\nXX,1,2\n  \n")});
    EXPECT_TRUE(h.Stream(2, false).empty());
    EXPECT_TRUE(h.ProtocolContains("mismatches required data format"));
}

TEST(NrdfRecords, LineNumbersIgnoreTheLookAhead) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf", "ST,S1,,B1,,,,1.0000,\n\nSS,P1,,10,,,,\n")});
    long line_of_p1 = 0;
    for (const auto& e : h.events)
        if (e.pass == 2 && e.id == evTarget && e.value == "P1")
            line_of_p1 = e.line;
    EXPECT_EQ(line_of_p1, 3);
    EXPECT_FALSE(h.ProtocolContains("mismatches"));
}
