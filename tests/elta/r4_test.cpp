#include <tuple>
#include <utility>

#include "elta_fixture.h"
#include "support/event_cases.h"

using namespace elta_test;

namespace {

// A line of the R4 layout from its fields.
std::string Line(const std::string& fields) {
    return "For R4|" + fields + "|\n";
}

const std::string kStationS1 = Line("PI1 ST   S1|X 100.000 m|Y 200.000 m");
const Events kStationEvents{"evStation=S1", "evCode=ST", "evPointX=100.000", "evPointY=200.000"};

void ExpectEvents(const std::vector<testing_support::EventCase>& cases) {
    testing_support::CheckEvents<CImpELTAR4>("job.txt", cases, kFormat<CImpELTAR4>);
}

}  // namespace

TEST(EltaR4Fields, TypeWordsAndPointWords) {
    ExpectEvents({
        {Line("PI1 AB  P1|SD 10.000 m|HD 9.500 m|Hz 123.4530 DMS|V1 90.0000 DMS|h 1.250 m|"
              "th 1.600 m|ih 1.450 m|T_ 20 C|P 745 hPa"),
         {"evTarget=P1", "evCode=AB", "evSlopeDist=10.000", "evHorDist=9.500",
          "evHorAngle=123 45 30", "evVertAngle=90 00 00", "evHeightDiff=1.250",
          "evTargetHeight=1.600", "evInstrumentHeight=1.450", "evTemperature=20",
          "evPressure=745"}},
        {Line("PI1 C   S1|N 1.5 m|E 2.5 m|Z 3.5 m") + Line("PI1 C   S2|N_ 4 m|E_ 5 m") +
             Line("PI1     T1|V2 1.0000 DMS|V3 2.0000 DMS"),
         {"evStation=S1", "evCode=C", "evPointX=1.5", "evPointY=2.5", "evPointH=3.5",
          "evStation=S2", "evCode=C", "evPointX=4", "evPointY=5", "evTarget=T1",
          "evVertAngle=1 00 00", "evVertAngle=2 00 00"}},
        // Numbered and KR point words act as PI.
        {Line("PI AB  P1|SD 5 m"), {"evTarget=P1", "evCode=AB", "evSlopeDist=5"}},
        {Line("KR7 AB  P1|SD9 5 m"), {"evTarget=P1", "evCode=AB", "evSlopeDist=5"}},
        // Program titles and an empty point name name no point.
        {Line("PI1 FREE STATIONING|SD 5 m") + Line("KR INPUT VALUE x|HD 4 m"),
         {"evSlopeDist=5", "evHorDist=4"}},
        {Line("PI1 AB     |SD 5 m"), {"evCode=AB", "evSlopeDist=5"}},
        // Leading blanks and carriage returns are ignored.
        {"  \tFor R4|PI1     P1|SD 1 m|\r\n", {"evTarget=P1", "evSlopeDist=1"}},
    });
}

TEST(EltaR4Fields, TypeWordsAreCaseSensitive) {
    auto r = Import<CImpELTAR4>(kStationS1 + Line("pi1 AB  P1|sd 5 m|hz 10.5 deg|HZ 1 deg|Th 1 m") +
                                Line("PI1 AB  P2|Hz 100.0000 gon|Unknown 5 ft|SD 1 m"));
    // The wrong-case words push nothing and their unit words set nothing: the angle of P2
    // is still read as degrees-minutes-seconds, the distance still in metres.
    EXPECT_EQ(r->Stream(), With(kStationEvents, {"evTarget=P2", "evCode=AB", "evHorAngle=100.0000",
                                                 "evSlopeDist=1"}));
    EXPECT_EQ(testing_support::Readings(r->Station()), (Events{"sd=1 hz=100"}));
    EXPECT_TRUE(r->h.Protocol().empty()) << ::testing::PrintToString(r->h.Protocol());
}

TEST(EltaR4Units, UnitWordsStayInForceUntilAKnownOneAndEachPassStartsAfresh) {
    // The file ends in feet; the first distance has no known unit and must not inherit them.
    auto r = Import<CImpELTAR4>(Line("PI1     P0|SD 10 yd") +
                                Line("PI1     P1|SD 10 m|Hz 1600 mil|V1 12.3000 DMS") +
                                Line("PI1     P2|Hz 20.3000 gon|SD 3 yd") +
                                Line("PI1     P3|SD 10 ft|Hz 90.5 deg|V1 100 grd"));
    // P2's angle is still degrees-minutes-seconds, its distance still metres.
    EXPECT_EQ(testing_support::Readings(r->Station()),
              (Events{"sd=10", "sd=10 hz=90 v=12.5", "sd=3 hz=20.5", "sd=3.048 hz=90.5 v=90"}));
}

namespace {
// Opens up the unit hook for the table tests.
class UnitProbe : public CImpELTAR4 {
  public:
    using CImpELTAR4::CImpELTAR4;
    int Set(std::string value, std::string units) { return SetUnits(value, units); }
    std::string Rewritten(std::string value) {
        std::string units = "DMS";
        SetUnits(value, units);
        return value;
    }
};
}  // namespace

TEST(EltaR4Units, PressureTemperatureAndDmsWords) {
    testing_support::ReaderHarness h;
    UnitProbe p(&h.project, &h.dlg, &h.dlg.ImportInfo(), "For R4");
    EXPECT_EQ(p.Set("1", ""), 0);
    // The unit word and the pressure and temperature units after it; "kPa" is unknown: nothing
    // changes.
    const std::tuple<const char*, int, int> units[] = {
        {"Torr", 2, zut::tu_celsius},   {"hPa", zut::pu_hpa, zut::tu_celsius},
        {"InMerc", 0, zut::tu_celsius}, {"F", 0, zut::tu_fahrenheit},
        {"C", 0, zut::tu_celsius},      {"kPa", 0, zut::tu_celsius}};
    for (auto [unit, pressure, temperature] : units) {
        EXPECT_EQ(p.Set("1", unit), 1) << unit;
        EXPECT_EQ((std::pair<int, int>(p.m_PresUnit, p.m_TempUnit)),
                  std::pair(pressure, temperature))
            << unit;
    }
    const std::pair<std::string, std::string> angles[] = {{"123.4530", "123 45 30"},
                                                          {"123.45305", "123 45 30.5"},
                                                          {"10.5", "10 05 0"},
                                                          {"-12.3456", "-12 34 56"},
                                                          {"7.", "7 00 0"}};
    for (const auto& [in, out] : angles) EXPECT_EQ(p.Rewritten(in), out) << in;
}

TEST(EltaR4Units, AtmosphereIsReadAsWholeNumbers) {
    testing_support::ReaderHarness h;
    CImpELTAR4 r(&h.project, &h.dlg, &h.dlg.ImportInfo(), "For R4");
    double v = -1;
    EXPECT_EQ(r.GetPressure("745.8", &v), 1);
    EXPECT_EQ(v, 745.0);
    EXPECT_EQ(r.GetTemperature(" -12C", &v), 1);
    EXPECT_EQ(v, -12.0);
    EXPECT_EQ(r.GetPressure("hPa", &v), 0);
    EXPECT_EQ(r.GetTemperature("0", &v), 0);  // 0 counts as not given
}

TEST(EltaR4Points, HeightOnlyRecordsSMarkAndCoordinateStations) {
    ExpectEvents({
        // A height-only record before a station is dropped; "HD" makes it a measurement.
        {Line("PI1 AB  P1|Z 10.000 m|SD 5 m"), {}},
        {Line("PI1 AB  P1|Z 10 m|HD 5 m"),
         {"evTarget=P1", "evCode=AB", "evPointH=10", "evHorDist=5"}},
        // After a station it names no target.
        {kStationS1 + Line("PI1 CD  P2|Z 10.000 m") + Line("PI1     P3|Z 11 m"),
         With(kStationEvents, {"evCode=CD", "evPointH=10.000", "evPointH=11"})},
        // Column 32 of a line holding a "Z" carries the S mark, which skips the point record;
        // without a "Z" the same column means nothing.
        {"For R4|PI1 AB  P1|SD 5 m|Z 1 m|S|\n", {"evSlopeDist=5", "evPointH=1"}},
        {"For R4|PI1 AB  P1|SD 5 m|H 1 m|S|\n", {"evTarget=P1", "evCode=AB", "evSlopeDist=5"}},
    });
    auto r = Import<CImpELTAR4>(Line("PI1 K   A1|X 1 m|Y 2 m|Z 3 m") +
                                Line("KR      A2|X 4 m|Z 5 m") + Line("PI1     T1|SD 7 m"));
    EXPECT_EQ(r->Stream(),
              (Events{"evStation=A1", "evCode=K", "evPointX=1", "evPointY=2", "evPointH=3",
                      "evStation=A2", "evPointX=4", "evPointH=5", "evTarget=T1", "evSlopeDist=7"}));
    EXPECT_EQ(r->Station(1).observations.at(0).target, "T1");
    ASSERT_NE(r->h.project.FindPoint("A1"), nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(r->h.project.FindPoint("A1")->y), 2.0);
}

TEST(EltaR4Points, HiddenPointAndReflectorTexts) {
    const std::string hidden = kStationS1 + Line("TI HIDDEN POINT") + Line("PI1     H1|SD 1 m") +
                               Line("PI1     H2|SD 2 m");
    const std::string no_reflector = Line("TI NO REFLECTOR             DR");
    ExpectEvents({
        // Two helper records name no point, but their measurements stay.
        {hidden + Line("PI1     H3|SD 3 m") + Line("PI1     H4|SD 4 m"),
         With(kStationEvents, {"evSlopeDist=1", "evSlopeDist=2", "evTarget=H3", "evSlopeDist=3",
                               "evTarget=H4", "evSlopeDist=4"})},
        // A third record going on with "dT" is dropped whole; the fourth is the point.
        {hidden + Line("PI1     H3|dT 0.5 m|SD 3 m") + Line("PI1     H4|SD 4 m"),
         With(kStationEvents, {"evSlopeDist=1", "evSlopeDist=2", "evTarget=H4", "evSlopeDist=4"})},
        // No reflector before any station holds for every later target height.
        {no_reflector + Line("PI1     P1|th 1.5 m") + Line("PI1     P2|th 1.7 m"),
         {"evTargetHeight=0.0", "evTarget=P1", "evTargetHeight=0.0", "evTarget=P2",
          "evTargetHeight=0.0"}},
        // After a station it is used once.
        {kStationS1 + no_reflector + Line("PI1     P1|th 1.5 m"),
         With(kStationEvents, {"evTargetHeight=0.0", "evTarget=P1", "evTargetHeight=1.5"})},
        // The normal reflector text clears it; spacing matters.
        {no_reflector + Line("TI NORMAL REFLECTOR         PR") + Line("PI1     P1|th 1.5 m"),
         {"evTargetHeight=0.0", "evTarget=P1", "evTargetHeight=1.5"}},
        {Line("TI NO REFLECTOR DR") + Line("PI1     P1|th 1.5 m"),
         {"evTarget=P1", "evTargetHeight=1.5"}},
    });
}

TEST(EltaR4Messages, WrongFormatNameAndFieldsWithoutSpaceOrUnit) {
    auto r = Import<CImpELTAR4>("For R5|PI1     P1|SD 5 m|\n");
    EXPECT_EQ(r->Stream(), (Events{"evTarget=P1", "evSlopeDist=5"}));
    EXPECT_TRUE(r->Logged("string  1:\nString does not contain ELTA R4 data"));

    r = Import<CImpELTAR4>(Line("PI1     P1|SD12|X 100.000|HD 4 m"));
    EXPECT_TRUE(r->Logged("SD12: no space symbol"));
    EXPECT_TRUE(r->Logged("100.000: no unit defined"));
    // The field without a unit is pushed whole; the line goes on.
    EXPECT_EQ(r->Stream(), (Events{"evTarget=P1", "evPointX=100.000", "evHorDist=4"}));

    // The empty line starts no record, the blank one does and is reported.
    r = Import<CImpELTAR4>("\n   \n" + Line("PI1     P1|SD 1 m"));
    ASSERT_EQ(r->h.events.size(), 4u);  // two passes
    EXPECT_EQ(std::pair(r->h.events.back().record, r->h.events.back().line), std::pair(2L, 3L));
    EXPECT_TRUE(r->Logged("string  2:\nString does not contain ELTA R4 data"));
    EXPECT_FALSE(r->Logged("string  1:"));
}

TEST(EltaR4Messages, FileWithoutMeasurementsIsReported) {
    auto headers = Import<CImpELTAR4>(Line("TI JOB 12") + Line("ADR 1"));
    EXPECT_TRUE(headers->Logged("mismatches required data format"));
    EXPECT_TRUE(headers->Logged(headers->path));
    // Coordinates alone are not measurements either.
    EXPECT_TRUE(Import<CImpELTAR4>(kStationS1)->Logged("mismatches required data format"));
    // A measurement the engine rejects does not count; one it takes does.
    EXPECT_TRUE(Import<CImpELTAR4>(Line("PI1     P1|SD x m"))->Logged("mismatches"));
    EXPECT_FALSE(Import<CImpELTAR4>(Line("PI1     P1|SD 1 m"))->Logged("mismatches"));
}
