#include "elta_fixture.h"
#include "support/event_cases.h"

using namespace elta_test;

namespace {

// A Rec 500 line in the default layout: record number, name (14), code (13), then the data.
std::string Line(const std::string& name, const std::string& code, const std::string& data) {
    return "    0001" + Pad(name, 14) + Pad(code, 13) + data + "\n";
}

}  // namespace

TEST(EltaRec500Lines, RebuiltIntoFields) {
    const std::vector<testing_support::EventCase> cases = {
        {Line("101", "CUT", "SD 10.000 Hz 359.5959 V1 90.0000 th 1.600"),
         {"evTarget=101", "evCode=CUT", "evSlopeDist=10.000", "evHorAngle=359 59 59",
          "evVertAngle=90 00 00", "evTargetHeight=1.600"}},
        // A word right after a value starts a field.
        {Line("101", "", "SD 10.000Hz 123.4530"),
         {"evTarget=101", "evSlopeDist=10.000", "evHorAngle=123 45 30"}},
        {Line("S1", "", "X 100.000 Y 200.000 Z 10.000"),
         {"evStation=S1", "evPointX=100.000", "evPointY=200.000", "evPointH=10.000"}},
        // A line without a type word is dropped whole.
        {Line("101", "CUT", "12.5 7.25") + Line("102", "CUT", "SD 4"),
         {"evTarget=102", "evCode=CUT", "evSlopeDist=4"}},
        // Input records name no target; only the exact code counts.
        {Line("101", "INPUT", "th 1.500 ih 1.400"),
         {"evTargetHeight=1.500", "evInstrumentHeight=1.400"}},
        {Line("101", "INPUTS", "th 1.500"),
         {"evTarget=101", "evCode=INPUTS", "evTargetHeight=1.500"}},
        // "SD" is first found in the name, at the start, where it gets no bar; the real
        // distance field then has none either and the line holds no field at all.
        {Line("SD1", "", "SD 2"), {}},
        // A word two places into the line has room for its bar.
        {Line("12X 5", "", "SD 2"), {"evTarget=12X 5", "evPointX=5", "evSlopeDist=2"}},
    };
    testing_support::CheckEvents<CImpELTAREC500>("job.txt", cases, kFormat<CImpELTAREC500>);
}

TEST(EltaRec500Lines, TypeWordsInsideValuesAndRepeatedWords) {
    // The first "E" is inside the code, so the easting gets no field of its own and spoils the
    // northing, which is reported and left out.
    auto r = Import<CImpELTAREC500>(Line("P1", "TREE", "X 100.000 E 200.000 Z 5.000"));
    EXPECT_EQ(r->Stream(), (Events{"evStation=P1", "evCode=TREE", "evPointH=5.000"}));
    EXPECT_EQ(r->Pushed().at(2), "evPointX=100.000 E 200.000");
    EXPECT_TRUE(r->Logged("Invalid symbol"));
    // A second word of a kind stays inside the field before it.
    EXPECT_EQ(Import<CImpELTAREC500>(Line("101", "", "SD 2 HD 3 SD 4"))->Pushed(),
              (Events{"evTarget=101", "evSlopeDist=2", "evHorDist=3 SD 4"}));
}

TEST(EltaRec500Lines, ShortAndBlankLinesPushNothing) {
    auto r = Import<CImpELTAREC500>("    0001\n        \n12345\n    0002  \n");
    EXPECT_TRUE(r->h.events.empty());
    // Each line still is a record of its own, and only the file message is written.
    ASSERT_EQ(r->h.Protocol().size(), 1u) << ::testing::PrintToString(r->h.Protocol());
    EXPECT_TRUE(r->Logged("mismatches required data format"));
}

TEST(EltaRec500Angles, AlwaysMetresAndDegreesMinutesSecondsWithAllSecondDigits) {
    EXPECT_EQ(Import<CImpELTAREC500>(Line("101", "", "Hz 123.45305 V1 10.5"))->Pushed(),
              (Events{"evTarget=101", "evHorAngle=123 45 305", "evVertAngle=10 05 0"}));
    // Whatever units the import had, each field is read in metres and degrees-minutes-seconds.
    testing_support::ReaderHarness h;
    h.dlg.SetFileList(h.Write("a.txt", Line("101", "", "SD 10.000 Hz 100.3000")));
    CImpELTAREC500 reader(&h.project, &h.dlg, &h.dlg.ImportInfo(), "Rec 500");
    reader.m_DistUnit = zut::du_foot;
    reader.m_AngleUnit = zut::au_gon;
    reader.DoImport();
    EXPECT_EQ(testing_support::Readings(h.project.data().stations.at(0)),
              (Events{"sd=10 hz=100.5"}));
    // No format name and no unit words: nothing to report.
    EXPECT_TRUE(h.Protocol().empty()) << ::testing::PrintToString(h.Protocol());
}

TEST(EltaRec500Columns, TakenFromTheSettings) {
    EXPECT_EQ(Read<CImpELTAREC500>("    0001ROAD A17   SD 3\n",
                                   testing_support::Columns(6, 4, 1, 5, true)),
              (Events{"evTarget=A17", "evCode=ROAD", "evSlopeDist=3"}));
}
