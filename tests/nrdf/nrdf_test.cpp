#include "readers/nrdf/nrdf_reader.h"
#include "support/event_cases.h"
#include "support/time_text.h"

using namespace testing_support;

namespace {

void Expect(const std::vector<EventCase>& cases) {
    CheckEvents<CImpNRDF>("job.rdf", cases);
}

}  // namespace

TEST(NrdfBacksight, LookAheadDecidesTheSyntheticObservation) {
    const std::string station = "ST,S1,,B1,,1.5,,20.0000,\n";
    const Events head{"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.5"};
    auto with = [&](bool observed, Events tail) {
        Events e = head;
        if (observed)
            e.insert(e.end(), {"evTarget=B1", "evHorAngle=20.00.00.0"});
        e.insert(e.end(), tail.begin(), tail.end());
        return e;
    };
    Expect({
        // F1 and F2 of another target: the backsight was not observed.
        {station + "F1,P1,,,,,,\nF2,P1,,,,,,\n", with(true, {"evTarget=P1", "evTarget=P1"})},
        // F1 of another target, then F2 of the backsight: it was.
        {station + "F1,P1,,,,,,\nF2,B1,,,,,,\n", with(false, {"evTarget=P1", "evTarget=B1"})},
        // F1 of another target followed by something else.
        {station + "F1,P1,,,,,,\nSS,P2,,,,,,\n", with(true, {"evTarget=P1", "evTarget=P2"})},
        // F1 with no name says nothing; nor does the end of the file.
        {station + "F1\n", with(false, {})},
        {station, with(false, {})},
        {station + "F1,P1,,,,,,\n", with(false, {"evTarget=P1"})},
        // A face record of the backsight is oriented by the backsight angle: 350 + 20 is 10.
        {station + "F1,B1,1.6,100.000,350.0000,90.0000,,\nF2,P1,,,123.4530,,,\n"
                   "SS,P2,,,350.0000,,,\n",
         with(false, {"evTarget=B1", "evTargetHeight=1.6", "evSlopeDist=100.000",
                      "evHorAngle=10.00.00.0", "evVertAngle=90.00.00.0", "evTarget=P1",
                      "evHorAngle=143.45.30.0", "evTarget=P2", "evHorAngle=350.00.00.0"})},
    });
}

TEST(NrdfBacksight, PendingBacksights) {
    Expect({
        // A side shot: the synthetic observation comes among the station's events, before its
        // code.
        {"ST,S1,,B1,,1.500,,20.0000,POLE\n\nSS,P1,1.600,50.000,100.0000,90.0000,10:00:00,"
         "TREE\n",
         {"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.500", "evTarget=B1",
          "evHorAngle=20.00.00.0", "evCode=POLE", "evCode=POLE", "evTarget=P1",
          "evTargetHeight=1.600", "evSlopeDist=50.000", "evHorAngle=100.00.00.0",
          "evVertAngle=90.00.00.0", "evCode=TREE"}},
        // Without a backsight angle the second station settles it, and its own backsight is
        // then not pending: the flag alternates.
        {"ST,S1,,B1,,1.5,,,\nSS,P1,,10.000,,,,\nST,S2,,B2,,1.4,,,\nSS,P2,,11.000,,,,\n",
         {"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.5", "evTarget=P1",
          "evSlopeDist=10.000", "evTarget=B1", "evHorAngle=000.00000", "evStation=S2",
          "evBacksight=B2", "evInstrumentHeight=1.4", "evTarget=P2", "evSlopeDist=11.000"}},
        // The end of the file settles it too.
        {"ST,S1,,B1,,1.5,,,\nSS,P1,,10.000,,,,\n",
         {"evStation=S1", "evBacksight=B1", "evInstrumentHeight=1.5", "evTarget=P1",
          "evSlopeDist=10.000", "evTarget=B1", "evHorAngle=000.00000"}},
        // Observing the backsight clears it.
        {"ST,S1,,B1,,,,,\nSS,B1,,10.000,,,,\n",
         {"evStation=S1", "evBacksight=B1", "evTarget=B1", "evSlopeDist=10.000"}},
        // Face records without a backsight angle keep their reading.
        {"ST,S1,,,,,,,\nF1,P1,,,123.4530,,,\nF2,P1,,,12x,,,\n",
         {"evStation=S1", "evTarget=P1", "evHorAngle=123.45.30.0", "evTarget=P1"}},
    });
}

TEST(NrdfResection, MarkersLookAheadForTheResectedPoint) {
    const Events r1{"evPointName=R1", "evPointX=1",    "evPointY=2",
                    "evPointH=3",     "evPlanClass=P", "evHeightClass=P"};
    Expect({
        // The marker line is decoded as the station of R1, then the lines read ahead again.
        {"CO,Start of Resection\nRE,R1,,1,2,3,\n\nSS,A,1.5,10.0,1.0000,90.0000,,\n"
         "ST,R1,,BK,,1.450,,5.0000,\n",
         With(With({"evStation=R1", "evBacksight=BK", "evInstrumentHeight=1.450", "evTarget=BK",
                    "evHorAngle=5.00.00.0"},
                   r1),
              {"evTarget=A", "evTargetHeight=1.5", "evSlopeDist=10.0", "evHorAngle=1.00.00.0",
               "evVertAngle=90.00.00.0", "evStation=R1", "evBacksight=BK",
               "evInstrumentHeight=1.450"})},
        // A station of another name gives only the name; a later block is looked at anew.
        {"CO,Start of Resection\nRE,R1,,1,2,3,\nST,S9,,BK,,1.4,,5.0000,\n"
         "CO,Start of Resection\nRE,R2,,4,5,6,\nST,S8,,,,,,,\n",
         With(With({"evStation=R1"}, r1),
              {"evStation=S9", "evBacksight=BK", "evInstrumentHeight=1.4", "evTarget=BK",
               "evHorAngle=5.00.00.0", "evStation=R2", "evPointName=R2", "evPointX=4", "evPointY=5",
               "evPointH=6", "evPlanClass=P", "evHeightClass=P", "evStation=S8"})},
        // Without a resected point, or with one after the station, the marker pushes nothing.
        {"CO,Start of Resection\nSS,P1,,10,,,,\n", {"evTarget=P1", "evSlopeDist=10"}},
        {"CO,Start of Resection\nST,S1,,,,,,,\nRE,R1,,1,2,3,\n", With({"evStation=S1"}, r1)},
        // Markers in a row see only the lines after them.
        {"CO,Start of Resection\n"  // sees R1 and R2: R2 wins
         "RE,R1,,1,2,3,\n"
         "CO,Start of Resection\n"  // sees R2
         "RE,R2,,4,5,6,\n"
         "CO,Start of Resection\n"  // sees no resected point
         "SS,P,,10,,,,\n"
         "ST,R2,,BK,,1.4,,,\n"
         "CO,Start of Resection\n"  // a new block without a resected point
         "ST,Q,,,,,,,\n",
         With(With({"evStation=R2", "evBacksight=BK", "evInstrumentHeight=1.4"}, r1),
              // the second station settles the pending backsight of the first
              {"evTarget=BK", "evHorAngle=000.00000", "evStation=R2", "evBacksight=BK",
               "evInstrumentHeight=1.4", "evPointName=R2", "evPointX=4", "evPointY=5", "evPointH=6",
               "evPlanClass=P", "evHeightClass=P", "evTarget=P", "evSlopeDist=10", "evStation=R2",
               "evBacksight=BK", "evInstrumentHeight=1.4", "evTarget=BK", "evHorAngle=000.00000",
               "evStation=Q"})},
    });
}

TEST(NrdfResection, ManyMarkersAllSeeTheLastResectedPoint) {
    std::string text = "RE,R0,,1,2,3,\n";
    for (int i = 0; i < 20000; ++i) text += "CO,Start of Resection\n";
    text += "RE,R1,,1,2,3,\n";
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("many.rdf", text)});
    const auto stations = h.Of(evStation);
    EXPECT_EQ(std::count_if(stations.begin(), stations.end(),
                            [](const auto& e) { return e.value == "R1"; }),
              20000);
}

TEST(NrdfComments, AtmosphereForTheNextStationsDateForOne) {
    ReaderHarness h;
    h.dlg.SetFileList(h.Write("a.rdf",
                              "CO,Temp:20C Press:760mmHg Prism:0 01-Jan-2020 12:34:56\n"
                              "ST,S1,,,,1.5,,,\nST,S2,,,,1.5,,,\n"
                              "CO,TEMPERATURE:-5 FAHRENHEIT PRESSURE:29 INHG\nST,S3,,,,,,,\n"));
    CImpNRDF reader(&h.project, &h.dlg, &h.dlg.ImportInfo());
    reader.DoImport();
    EXPECT_EQ(
        h.Stream(),
        (Events{"evPressure=760", "evTemperature=20", "evStation=S1", "evDate=01-Jan-2020 12:34:56",
                "evInstrumentHeight=1.5", "evPressure=760", "evTemperature=20", "evStation=S2",
                "evInstrumentHeight=1.5", "evPressure=29", "evTemperature=-5", "evStation=S3"}));
    EXPECT_EQ(LocalTimeText(*h.project.data().stations.at(0).date), "2020-01-01 12:34:56");
    EXPECT_EQ(reader.m_TempUnit, zut::tu_fahrenheit);
    EXPECT_EQ(reader.m_PresUnit, zut::pu_inhg);
    Expect({
        // A blank after the colon leaves the reading empty.
        {"CO,TEMP: 20C PRESS:1013HPA\nST,S1,,,,,,,\n", {"evPressure=1013", "evStation=S1"}},
        // Without a second colon the pressure is not read, and nothing was recognised;
        // a second colon without the word is no pressure either.
        {"CO,PRESS:760MMHG\nST,S1,,,,,,,\n", {"evStation=S1"}},
        {"CO,TEMP:20C NOTE:760MMHG\nST,S1,,,,,,,\n", {"evTemperature=20", "evStation=S1"}},
        // No unit recognised: the date is not looked for.
        {"CO,TEMP:20X a b 01-JAN-2020 12:00:00\nST,S1,,,,,,,\n",
         {"evTemperature=20", "evStation=S1"}},
    });
}

TEST(NrdfComments, DistanceAndAngleUnits) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf",
                             "CO,Dist Units:Feet\nCO,Angle Units:Gons\nST,S1,,B1,,,,50,\n"
                             "F1,B1,,,380,,,\nSS,P1,,10,100.0000,50,,\n"
                             "CO,Dist Units:Metres\nCO,Angle Units:DDDMMSS\n"
                             "SS,P2,,10,100.0000,,,\n")});
    // Gons are passed on as they are; degrees are rewritten.
    EXPECT_EQ(h.Stream(),
              (Events{"evStation=S1", "evBacksight=B1", "evTarget=B1", "evHorAngle=30.000000",
                      "evTarget=P1", "evSlopeDist=10", "evHorAngle=100.0000", "evVertAngle=50",
                      "evTarget=P2", "evSlopeDist=10", "evHorAngle=100.00.00.0"}));
    // The oriented angle in gons stays in gons: 380 + 50 is 30, 27 degrees.
    EXPECT_EQ(Readings(h.project.data().stations.at(0)),
              (Events{"hz=27", "sd=3.048 hz=90 v=45", "sd=10 hz=100"}));
}

TEST(NrdfDates, MonthNamesAndLayout) {
    ReaderHarness h;
    CImpNRDF r(&h.project, &h.dlg, &h.dlg.ImportInfo());
    const std::pair<const char*, std::string> cases[] = {
        // text, local time
        {"05-Mar-2021 13:45:10", "2021-03-05 13:45:10"},
        {"28-nov-1999 00:00:01", "1999-11-28 00:00:01"},
        {"01-DEC-2000 08:00:00", "2000-12-01 08:00:00"},
        // A name that is not in the list counts as December.
        {"01-XYZ-2000 08:00:00", "2000-12-01 08:00:00"},
        // No range check: day 32 of January is the first of February.
        {"32-JAN-2001 10:00:00", "2001-02-01 10:00:00"},
    };
    for (const auto& [text, local] : cases) EXPECT_EQ(DateOf(r, text), local) << text;
    EXPECT_NE(DateOf(r, ""), "none");  // never refuses a text
    EXPECT_EQ(DateOf(r, nullptr), "none");
}

TEST(NrdfRecords, ObservationsAndPoints) {
    Expect({
        // Both observation layouts; degrees with and without the point.
        {"SS,P1,1.6,10.5,123.4530,1234530,t,CODE A\nCP,P2,x,1.7,11.5,5.3,-10.1,y,CP CODE\n"
         "SO,P3,,,12.5,,,,\nSS,,1.6,10.5,1.0000,90.0000,,C\n",
         {"evTarget=P1", "evTargetHeight=1.6", "evSlopeDist=10.5", "evHorAngle=123.45.30.0",
          "evVertAngle=123.45.30.0", "evCode=CODE A", "evTarget=P2", "evTargetHeight=1.7",
          "evSlopeDist=11.5", "evHorAngle=5.30.00.0", "evVertAngle=-10.10.00.0", "evCode=CP CODE",
          "evTarget=P3", "evSlopeDist=12.5"}},
        {"MC,P1,C1,1.0,2.0,3.0,\nMP,P2,,4.0,5.0,6.0,C2\nUP,P3,,7.0,8.0,,\nMP,,,1,2,3,\n",
         {"evPointName=P1", "evCode=C1", "evPointX=1.0", "evPointY=2.0", "evPointH=3.0",
          "evPointName=P2", "evPointX=4.0", "evPointY=5.0", "evPointH=6.0", "evCode=C2",
          "evPlanClass=B", "evHeightClass=B", "evPointName=P3", "evPointX=7.0", "evPointY=8.0",
          "evPlanClass=B", "evHeightClass=B"}},
        // Unknown and lower-case record codes push nothing.
        {"ss,P1,,10,,,,\nXX,1,2\n  \n", {}, {"mismatches required data format"}, true},
        // The accepted flag follows the last push of a record.
        {"ST,S1,,,,abc\n", {"evStation=S1"}, {"mismatches required data format"}},
        // A backsight angle without a backsight name observes nothing.
        {"ST,1000,,,,1.500,0.0000,0.0000\nSS,P1,,10.0,,,,\n",
         {"evStation=1000", "evInstrumentHeight=1.500", "evHorAngle=0.00.00.0", "evTarget=P1",
          "evSlopeDist=10.0"}},
        // The last line is read without its end.
        {"ST,S1,,B1,,,,1.0000", {"evStation=S1", "evBacksight=B1"}},
    });
}

TEST(NrdfRecords, LineNumbersIgnoreTheLookAhead) {
    ReaderHarness h;
    h.Run<CImpNRDF>({h.Write("a.rdf", "ST,S1,,B1,,,,1.0000,\n\nSS,P1,,10,,,,\n")});
    ASSERT_EQ(h.Of(evTarget).size(), 2u);  // the synthetic backsight, then P1
    EXPECT_EQ(h.Of(evTarget)[1].line, 3);
    EXPECT_FALSE(h.ProtocolContains("mismatches"));
}
