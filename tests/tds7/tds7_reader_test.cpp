#include "readers/tds7/tds7_reader.h"

#include <ctime>
#include <tuple>

#include "support/event_cases.h"
#include "support/time_text.h"

using namespace testing_support;

TEST(Tds7Records, KeywordsTargetsAndValues) {
    const std::vector<EventCase> cases = {
        // Keywords in any letter case.
        {"stn A1,1.550,TREE\nFs P1,1.6,POLE\nxYz 100,200,30\nDATE 5-06-07 08:09:10\n",
         {"evStation=A1", "evInstrumentHeight=1.550", "evCode=TREE", "evTarget=P1",
          "evTargetHeight=1.6", "evCode=POLE", "evPointY=100", "evPointX=200", "evPointH=30",
          "evDate=5-06-07 08:09:10"}},
        // Comments, unknown words and bare keywords.
        {"' STN X,1\n   'STN Y,1\nFOO A,B\nSTN\nSTN,A\n  STN Z,1\n\n",
         {},
         {"mismatches required data format"},
         true},
        // BKB names the target twice; BS of the same name with no angles in between takes
        // the backsight record's angle first.
        {"STN A,1.5\nBKB B,0,123.45305\nBS B,1.6\n",
         {"evStation=A", "evInstrumentHeight=1.5", "evBacksight=B", "evTarget=B", "evTarget=B",
          "evHorAngle=123.45.30.5", "evTarget=B", "evTargetHeight=1.6"}},
        // Angles taken for the backsight (HV or SD) keep the record's angle away.
        {"STN A\nBKB B,0,123.45305\nHV 10.00000,90.00000\nBS B,1.6\n",
         {"evStation=A", "evBacksight=B", "evTarget=B", "evTarget=B", "evHorAngle=10.00.00.0",
          "evVertAngle=90.00.00.0", "evTarget=B", "evTargetHeight=1.6"}},
        // HD is no angle measurement in this sense.
        {"STN A\nBKB B,0,123.45305\nHD 10.00000,25.5,-1.2\nBS B\n",
         {"evStation=A", "evBacksight=B", "evTarget=B", "evTarget=B", "evHorAngle=10.00.00.0",
          "evHorDist=25.5", "evHeightDiff=-1.2", "evHorAngle=123.45.30.5", "evTarget=B"}},
        // A new station forgets the backsight name.
        {"STN A\nBKB B,0,123.45305\nSTN C\nBS B\n",
         {"evStation=A", "evBacksight=B", "evTarget=B", "evTarget=B", "evStation=C", "evTarget=B"}},
        {"STN A\nSS P2,1.2,EDGE\nSD 45.30000,89.59590,12.345\n",
         {"evStation=A", "evTarget=P2", "evTargetHeight=1.2", "evCode=EDGE",
          "evHorAngle=45.30.00.0", "evVertAngle=89.59.59.0", "evSlopeDist=12.345"}},
        // Two commas in a row count as one: the code moves into the height field.
        {"STN A\nFS P1,,TREE\n",
         {"evStation=A", "evTarget=P1", "evTargetHeight=TREE"},
         {"Invalid symbol(s)  TREE  found in string  TREE."},
         true},
        // Degrees get dots and the sign at the end; short texts get their dots at the end;
        // whole seconds leave the dot after the seconds at the very end.
        {"STN A\nFS P\nHV -123.45305,+90.00000\nFS Q\nHV 7,-5\nFS R\nHV 1.2,3.456\n"
         "FS S\nHV -123.4530,90.0000\n",
         {"evStation=A", "evTarget=P", "evHorAngle=123.45.30.5-", "evVertAngle=90.00.00.0+",
          "evTarget=Q", "evHorAngle=7", "evVertAngle=5-", "evTarget=R", "evHorAngle=1.2..",
          "evVertAngle=3.45.6.", "evTarget=S", "evHorAngle=123.45.30.-", "evVertAngle=90.00.00."},
         {},
         true},
        // Gons lose the sign.
        {"UNITS M,G\nSTN A\nFS P\nHV -123.4530,100.0000\n",
         {"evStation=A", "evTarget=P", "evHorAngle=123.4530", "evVertAngle=100.0000"}},
        // Atmosphere is of the integer kind: 0 is not given.
        {"STN A\nTEMP 20,1013\nATMOS 0,745.5\n",
         {"evStation=A", "evTemperature=20", "evPressure=1013", "evPressure=745.5"}},
        // The last push decides whether a line counts.
        {"STN A,x\n", {"evStation=A"}, {"mismatches required data format"}},
        // The backsight of the first pass does not reach into the second.
        {"BS B,1.5\nBKB B,0,10.00000\n",
         {"evTarget=B", "evTargetHeight=1.5", "evBacksight=B", "evTarget=B", "evTarget=B"}},
    };
    CheckEvents<CImpTDS7>("job.gt7", cases);
}

TEST(Tds7Values, UnitsAndSignsReachTheProject) {
    // The file, then the instrument height and the first observation's angles it gives.
    const std::tuple<std::string, double, double, double> cases[] = {
        {"STN A,5\nFS P\nHV -123.45305,+90.00000\n", 5, -(123 + 45 / 60.0 + 30.5 / 3600) * kDeg,
         90 * kDeg},
        {"UNITS M,G\nSTN A,5\nFS P\nHV -123.4530,100.0000\n", 5, 123.453 * 0.9 * kDeg, 90 * kDeg},
        // A short word sets only the distance unit.
        {"units f\nSTN A,5\nFS P\nHV 10.00000,0\n", 5 * 0.3048, 10 * kDeg, 0},
        {"UNITS FG\nSTN A,5\nFS P\nHV 10.00000,0\n", 5 * 0.3048, 10 * kDeg, 0},
        {"UNITS F,G\nUNITS M,D\nSTN A,5\nFS P\nHV 10.00000,0\n", 5, 10 * kDeg, 0},
    };
    for (const auto& [text, height, hz, v] : cases) {
        SCOPED_TRACE(text);
        ReaderHarness h;
        h.Run<CImpTDS7>({h.Write("job.gt7", text)});
        const auto& st = h.project.data().stations.at(0);
        EXPECT_NEAR(*st.instrument_height, height, 1e-12);
        EXPECT_NEAR(*st.observations.at(0).hz, hz, 1e-12);
        EXPECT_NEAR(*st.observations.at(0).v, v, 1e-12);
    }
}

TEST(Tds7Values, DatesWithAndWithoutTheLeadingZero) {
    ReaderHarness h;
    CImpTDS7 r(&h.project, &h.dlg, &h.dlg.ImportInfo());
    auto date = [&](const char* text) { return DateOf(r, text); };
    EXPECT_EQ(date("05-06-07 08:09:10"), "2007-06-05 08:09:10");
    EXPECT_EQ(date("5-06-07 08:09:10"), "2007-06-05 08:09:10");
    EXPECT_EQ(date("  24-12-99 23:00:59 "), "1999-12-24 23:00:59");
    EXPECT_EQ(date("01-01-80 00:00:00"), "2080-01-01 00:00:00");
    // A part out of range comes from today.
    EXPECT_EQ(date("05-13-07 08:09:10").substr(0, 8),
              "2007-" + LocalTimeText(std::time(nullptr), "%m") + "-");
    EXPECT_EQ(date("05-06-07 08:61:10").substr(0, 14), "2007-06-05 08:");

    h.Run<CImpTDS7>({h.Write("job.gt7", "STN A\nDATE 5-06-07 08:09:10\n")});
    EXPECT_EQ(LocalTimeText(*h.project.data().stations.at(0).date), "2007-06-05 08:09:10");
}
