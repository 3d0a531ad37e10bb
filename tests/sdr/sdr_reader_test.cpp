#include "readers/sdr/sdr_reader.h"

#include <gmock/gmock.h>

#include "support/event_cases.h"

using ::testing::HasSubstr;
using namespace testing_support;

namespace {

// A field of `width` characters: text left-justified (L) or right-justified (R).
std::string L(std::string_view text, size_t width) {
    std::string f(text);
    f.resize(width, ' ');
    return f;
}
std::string R(std::string_view text, size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}

// A header: the instrument text in columns 5-9, the unit codes from column 41.
std::string Header(std::string_view instrument, std::string_view units) {
    return "00NM" + L(instrument, 5) + std::string(31, ' ') + std::string(units) + "\n";
}
const std::string kWideHeader = Header("SDR33", "11111");
const std::string kNarrowHeader = Header("SDR2x", "11111");

const vrk::CStation& FirstStation(ReaderHarness& h, const std::string& text) {
    h.Run<CImpSDR>({h.Write("job.sdr", text)});
    return h.project.data().stations.at(0);
}

}  // namespace

TEST(SdrHeader, WidthsAndAxisOrder) {
    const std::string narrow_station = "02NE" + L("S1", 4) + R("1", 10) + R("2", 10) + "\n";
    const std::vector<EventCase> cases = {
        // The instrument text sets the field widths.
        {kWideHeader + "02NE" + L("STATION-ONE", 16) + R("1000.5", 16) + R("2000.25", 16) +
             R("50", 16) + R("1.55", 16) + "HUT\n",
         {"evStation=STATION-ONE", "evPointX=" + R("1000.5", 16), "evPointY=" + R("2000.25", 16),
          "evPointH=" + R("50", 16), "evInstrumentHeight=" + R("1.55", 16), "evCode=HUT"}},
        {kNarrowHeader + "02NE" + L("S1", 4) + R("1000.5", 10) + R("2000.25", 10) + R("50", 10) +
             R("1.55", 10) + "HUT\n",
         {"evStation=S1", "evPointX=" + R("1000.5", 10), "evPointY=" + R("2000.25", 10),
          "evPointH=" + R("50", 10), "evInstrumentHeight=" + R("1.55", 10), "evCode=HUT"}},
        // Without any header the fields are narrow and northing comes first.
        {narrow_station, {"evStation=S1", "evPointX=" + R("1", 10), "evPointY=" + R("2", 10)}},
        {Header("SDR2x", "11112") + narrow_station,
         {"evStation=S1", "evPointY=" + R("1", 10), "evPointX=" + R("2", 10)}},
        // A header that stops short of column 45 means easting first.
        {"00NMSDR33\n02NE" + L("S1", 16) + R("1", 16) + R("2", 16) + "\n",
         {"evStation=S1", "evPointY=" + R("1", 16), "evPointX=" + R("2", 16)}},
        // A job record without "1" in column 21 turns a wide file narrow; a narrow one stays.
        {kWideHeader + "10NM" + L("JOB", 16) + "0\n" + "02NE" + L("S1", 4) + R("7", 10) + "\n",
         {"evStation=S1", "evPointX=" + R("7", 10)}},
        {kWideHeader + "10NM" + L("JOB", 16) + "1\n" + "02NE" + L("S1", 4) + R("7", 10) + "\n",
         {"evStation=" + L("S1", 4) + R("7", 10)}},
    };
    CheckEvents<CImpSDR>("job.sdr", cases);
}

TEST(SdrHeader, UnitsReachTheValues) {
    // Degrees, feet, mmHg, Fahrenheit.
    ReaderHarness h;
    const auto& s = FirstStation(h, Header("SDR2x", "12121") + "05NE" + R("760", 10) + R("68", 10) +
                                        "\n" + "02NE" + L("S1", 4) + R("", 30) + R("5", 10) + "\n" +
                                        "09F1" + L("S1", 4) + L("P1", 4) + R("100", 10) +
                                        R("90.5", 10) + R("45.25", 10) + "\n");
    EXPECT_NEAR(*s.instrument_height, 5 * 0.3048, 1e-9);
    EXPECT_EQ(Readings(s), (Events{"sd=30.48 hz=45.25 v=90.5 t=20 p=1013.250144"}));
    // Gon, inches of mercury, hectopascals.
    ReaderHarness g;
    EXPECT_EQ(Readings(FirstStation(g, Header("SDR2x", "2131") + "05NE" + R("1000", 10) + "\n" +
                                           "02NE" + L("S1", 4) + "\n" + "09F1" + L("S1", 4) +
                                           L("P1", 4) + R("", 10) + R("100", 10) + "\n")),
              (Events{"v=90 p=1000"}));
}

TEST(SdrRecords, EventsOfEachRecord) {
    const std::string station = "02NE" + L("S1", 4) + "\n";
    auto obs = [](std::string_view derivation, std::string_view stn, std::string_view target) {
        return "09" + std::string(derivation) + L(stn, 4) + L(target, 4) + R("10.5", 10) +
               R("90.0000", 10) + R("45.3000", 10) + "TREE\n";
    };
    const Events measured{"evSlopeDist=" + R("10.5", 10), "evVertAngle=" + R("90.0000", 10),
                          "evHorAngle=" + R("45.3000", 10), "evCode=TREE"};
    auto bkb = [](std::string_view stn, std::string_view bs) {
        return "07NE" + L(stn, 4) + L(bs, 4) + R("999", 10) + R("123.4500", 10) + "\n";
    };
    const std::vector<EventCase> cases = {
        // Known stations and points.
        {"02KI" + L("S1", 4) + R("1", 10) + R("2", 10) + R("3", 10) + R("1.5", 10) + "\n",
         {"evStation=S1", "evPlanClass=Base", "evHeightClass=Base", "evPointX=" + R("1", 10),
          "evPointY=" + R("2", 10), "evPointH=" + R("3", 10),
          "evInstrumentHeight=" + R("1.5", 10)}},
        {"08KI" + L("P7", 4) + R("1", 10) + R("2", 10) + R("3", 10) + L("FENCE", 16) + "\n",
         {"evPointName=P7", "evPlanClass=Base", "evHeightClass=Base", "evPointX=" + R("1", 10),
          "evPointY=" + R("2", 10), "evPointH=" + R("3", 10), "evCode=FENCE"}},
        // An empty identifier: nothing at all.
        {"02KI" + L("", 4) + R("1", 10) + "\n08KI" + L("", 4) + R("1", 10) + "\n", {}},
        // Observations of the current station: F1 and F2 give the face, other derivations
        // nothing. The station persists over the records that follow it.
        {station + "08NE" + L("P7", 4) + R("1", 10) + "\n" + obs("F2", "S1", "P"),
         With({"evStation=S1", "evPointName=P7", "evPointX=" + R("1", 10), "evTarget=P   ",
               "evCircleFace=Right"},
              measured)},
        {station + obs("F1", "S1", "PT12"),
         With({"evStation=S1", "evTarget=PT12", "evCircleFace=Left"}, measured)},
        {station + obs("MC", "S1", "P"), {"evStation=S1"}},
        {station + obs("F1", "S2", "P"), {"evStation=S1"}},
        {obs("F1", "", "P"), {}},
        // The backsight of the current station.
        {station + bkb("S1", "B1"),
         {"evStation=S1", "evBacksight=B1", "evBacksightAzimuth=" + R("123.4500", 10)}},
        {station + bkb("S2", "B1"), {"evStation=S1"}},
        {station + bkb("S1", ""), {"evStation=S1"}},
        // Directions, atmosphere, instrument.
        {"11NE" + L("A", 4) + L("B", 4) + R("10.3000", 10) + R("25.5", 10) + "\n",
         {"evDirectionName=A\\B", "evDirectionAngle=" + R("10.3000", 10), "evStation=A",
          "evTarget=B", "evHorDist=" + R("25.5", 10)}},
        {"11NE" + L("A", 4) + "\n", {}},
        {"05NE" + R("1013", 10) + R("15", 10) + "\n",
         {"evPressure=" + R("1013", 10), "evTemperature=" + R("15", 10)}},
        {"01NE" + std::string(46, '.') + "1\n01NE" + std::string(46, '.') + "2\n01NE\n",
         {"evInstrument=Z", "evInstrument=H", "evInstrument=H"}},
        // Target height and orientation are always pushed, but neither counts as reading the
        // file.
        {"03NE" + R("1.6", 10) + "\n03NE\n12NE\n",
         {"evTargetHeight=" + R("1.6", 10), "evTargetHeight=", "evOrientationStart="},
         {"mismatches required data format"},
         true},
        // The last push decides whether a record counts: here a bad height after the station.
        {"02NE" + L("S1", 4) + R("", 30) + R("x", 10) + "\n",
         {"evStation=S1"},
         {"mismatches required data format"}},
        {Header("SDR2x", "11311") + "05NE" + R("2500", 10) + R("-150", 10) + "\n",
         {},
         {"The value '      2500' is out of range.\nAdmissible interval: 350.0 ... 1000.0.",
          "The value '      -150' is out of range", "mismatches required data format"}},
    };
    CheckEvents<CImpSDR>("job.sdr", cases);
}

TEST(SdrRecords, BlankFieldsAreRefusedSilently) {
    ReaderHarness h;
    const auto& s = FirstStation(h, "02NE" + L("S1", 4) + "\n09F1" + L("S1", 4) + L("P", 4) +
                                        R("", 20) + R("12.3456", 10) + "\n");
    EXPECT_EQ(h.Stream(2, false), (Events{"evStation=S1", "evTarget=P   ", "evCircleFace=Left",
                                          "evSlopeDist=" + R("", 10), "evVertAngle=" + R("", 10),
                                          "evHorAngle=" + R("12.3456", 10)}));
    EXPECT_TRUE(h.Protocol().empty()) << ::testing::PrintToString(h.Protocol());
    EXPECT_NEAR(*s.observations.at(0).hz, (12 + 34 / 60.0 + 56 / 3600.0) * kDeg, 1e-12);
}

TEST(SdrRecords, BadTypesAreReportedIgnoredTypesAreNot) {
    ReaderHarness h;
    h.Run<CImpSDR>(
        {h.Write("job.sdr", "\n0A bad\n13NE" + L("S1", 4) + "\n04NE\n02NE" + L("S1", 4) + "\n")});
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1"}));
    // The blank first line counts: the bad type is on line 2.
    const auto protocol = h.Protocol();
    ASSERT_EQ(protocol.size(), 1u) << ::testing::PrintToString(protocol);
    EXPECT_THAT(protocol[0], HasSubstr("string  2:\nInvalid symbol(s)  A  found in string  0A."));
}

TEST(SdrFiles, StateCarriesAcrossFiles) {
    ReaderHarness h;
    std::string a = h.Write("a.sdr", kWideHeader + "02NE" + L("S1", 16) + "\n");
    std::string b = h.Write("b.sdr", "09F1" + L("S1", 16) + L("P1", 16) + R("5", 16) + "\n");
    h.Run<CImpSDR>({a, b});
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1", "evTarget=" + L("P1", 16), "evCircleFace=Left",
                                  "evSlopeDist=" + R("5", 16)}));
}
