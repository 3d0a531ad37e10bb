#include "readers/sdr_reader.h"

#include <cmath>
#include <numbers>
#include <random>

#include "support/noise.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;
using Events = std::vector<std::string>;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

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

struct Sdr {
    ReaderHarness h;
    Sdr& Run(const std::string& text) {
        h.Run<CImpSDR>({h.Write("job.sdr", text)});
        return *this;
    }
    Events Stream() const { return h.Stream(); }
    Events Pushed() const { return h.Stream(2, false); }
    const vrk::CStation& Station(size_t i) const { return h.project.data().stations.at(i); }
};

Events Read(const std::string& text) {
    Sdr s;
    return s.Run(text).Stream();
}

}  // namespace

TEST(SdrHeader, InstrumentTextSetsTheFieldWidths) {
    const std::string wide = kWideHeader + "02NE" + L("STATION-ONE", 16) + R("1000.5", 16) +
                             R("2000.25", 16) + R("50", 16) + R("1.55", 16) + "HUT\n";
    EXPECT_EQ(Read(wide), (Events{"evStation=STATION-ONE", "evPointX=" + R("1000.5", 16),
                                  "evPointY=" + R("2000.25", 16), "evPointH=" + R("50", 16),
                                  "evInstrumentHeight=" + R("1.55", 16), "evCode=HUT"}));
    const std::string narrow = kNarrowHeader + "02NE" + L("S1", 4) + R("1000.5", 10) +
                               R("2000.25", 10) + R("50", 10) + R("1.55", 10) + "HUT\n";
    EXPECT_EQ(Read(narrow), (Events{"evStation=S1", "evPointX=" + R("1000.5", 10),
                                    "evPointY=" + R("2000.25", 10), "evPointH=" + R("50", 10),
                                    "evInstrumentHeight=" + R("1.55", 10), "evCode=HUT"}));
    // Without any header the fields are narrow and northing comes first.
    EXPECT_EQ(Read("02NE" + L("S1", 4) + R("1", 10) + R("2", 10) + "\n"),
              (Events{"evStation=S1", "evPointX=" + R("1", 10), "evPointY=" + R("2", 10)}));
}

TEST(SdrHeader, CoordinateOrder) {
    const std::string station = "02NE" + L("S1", 4) + R("1", 10) + R("2", 10) + "\n";
    EXPECT_EQ(Read(Header("SDR2x", "11111") + station),
              (Events{"evStation=S1", "evPointX=" + R("1", 10), "evPointY=" + R("2", 10)}));
    EXPECT_EQ(Read(Header("SDR2x", "11112") + station),
              (Events{"evStation=S1", "evPointY=" + R("1", 10), "evPointX=" + R("2", 10)}));
    // A header that stops short of column 45 means easting first, and leaves the units alone.
    Sdr s;
    s.Run("00NMSDR33\n02NE" + L("S1", 16) + R("1", 16) + R("2", 16) + "\n");
    EXPECT_EQ(s.Stream(),
              (Events{"evStation=S1", "evPointY=" + R("1", 16), "evPointX=" + R("2", 16)}));
}

TEST(SdrHeader, UnitsReachTheValues) {
    // Degrees, feet, mmHg, Fahrenheit.
    Sdr s;
    s.Run(Header("SDR2x", "12121") + "05NE" + R("760", 10) + R("68", 10) + "\n" + "02NE" +
          L("S1", 4) + R("", 10) + R("", 10) + R("", 10) + R("5", 10) + "\n" + "09F1" + L("S1", 4) +
          L("P1", 4) + R("100", 10) + R("90.5", 10) + R("45.25", 10) + "\n");
    const auto& o = s.Station(0).observations.at(0);
    EXPECT_NEAR(*s.Station(0).instrument_height, 5 * 0.3048, 1e-9);
    EXPECT_NEAR(*o.sd, 100 * 0.3048, 1e-9);
    EXPECT_NEAR(*o.v, 90.5 * kDeg, 1e-12);
    EXPECT_NEAR(*o.hz, 45.25 * kDeg, 1e-12);
    EXPECT_NEAR(*o.pressure, 1013.25, 0.01);
    EXPECT_NEAR(*o.temperature, 20, 1e-9);
    // Gon, inches of mercury, hectopascals.
    Sdr g;
    g.Run(Header("SDR2x", "2131") + "05NE" + R("1000", 10) + "\n" + "02NE" + L("S1", 4) + "\n" +
          "09F1" + L("S1", 4) + L("P1", 4) + R("", 10) + R("100", 10) + "\n");
    EXPECT_NEAR(*g.Station(0).observations.at(0).v, 90 * kDeg, 1e-12);
    EXPECT_NEAR(*g.Station(0).observations.at(0).pressure, 1000, 1e-9);
}

TEST(SdrStations, KnownStationsAndPoints) {
    const std::string station =
        "02KI" + L("S1", 4) + R("1", 10) + R("2", 10) + R("3", 10) + R("1.5", 10) + "\n";
    EXPECT_EQ(Read(station),
              (Events{"evStation=S1", "evPlanClass=Base", "evHeightClass=Base",
                      "evPointX=" + R("1", 10), "evPointY=" + R("2", 10), "evPointH=" + R("3", 10),
                      "evInstrumentHeight=" + R("1.5", 10)}));
    const std::string point =
        "08KI" + L("P7", 4) + R("1", 10) + R("2", 10) + R("3", 10) + L("FENCE", 16) + "\n";
    EXPECT_EQ(Read(point), (Events{"evPointName=P7", "evPlanClass=Base", "evHeightClass=Base",
                                   "evPointX=" + R("1", 10), "evPointY=" + R("2", 10),
                                   "evPointH=" + R("3", 10), "evCode=FENCE"}));
    EXPECT_EQ(Read("08NE" + L("P7", 4) + R("1", 10) + "\n"),
              (Events{"evPointName=P7", "evPointX=" + R("1", 10)}));
    // An empty identifier: nothing at all.
    EXPECT_EQ(Read("02KI" + L("", 4) + R("1", 10) + "\n08KI" + L("", 4) + R("1", 10) + "\n"),
              (Events{}));
}

TEST(SdrObservations, FaceStationAndTarget) {
    const std::string station = "02NE" + L("S1", 4) + "\n";
    auto obs = [](std::string_view derivation, std::string_view stn, std::string_view target) {
        return "09" + std::string(derivation) + L(stn, 4) + L(target, 4) + R("10.5", 10) +
               R("90.0000", 10) + R("45.3000", 10) + "TREE\n";
    };
    EXPECT_EQ(Read(station + obs("F2", "S1", "P")),
              (Events{"evStation=S1", "evTarget=P   ", "evCircleFace=Right",
                      "evSlopeDist=" + R("10.5", 10), "evVertAngle=" + R("90.0000", 10),
                      "evHorAngle=" + R("45.3000", 10), "evCode=TREE"}));
    EXPECT_EQ(Read(station + obs("F1", "S1", "PT12")),
              (Events{"evStation=S1", "evTarget=PT12", "evCircleFace=Left",
                      "evSlopeDist=" + R("10.5", 10), "evVertAngle=" + R("90.0000", 10),
                      "evHorAngle=" + R("45.3000", 10), "evCode=TREE"}));
    EXPECT_EQ(Read(station + obs("MC", "S1", "P")), (Events{"evStation=S1"}));
    EXPECT_EQ(Read(station + obs("F1", "S2", "P")), (Events{"evStation=S1"}));
    EXPECT_EQ(Read(obs("F1", "", "P")), (Events{}));
    // The station name persists over the records that follow it.
    EXPECT_EQ(Read(station + "08NE" + L("P7", 4) + "\n" + obs("F1", "S1", "P")),
              (Events{"evStation=S1", "evPointName=P7", "evTarget=P   ", "evCircleFace=Left",
                      "evSlopeDist=" + R("10.5", 10), "evVertAngle=" + R("90.0000", 10),
                      "evHorAngle=" + R("45.3000", 10), "evCode=TREE"}));
}

TEST(SdrObservations, BlankFieldsAreNotGiven) {
    Sdr s;
    s.Run("02NE" + L("S1", 4) + "\n09F1" + L("S1", 4) + L("P", 4) + R("", 10) + R("", 10) +
          R("12.3456", 10) + "\n");
    // Blank values go to the engine, which refuses them without a message.
    EXPECT_EQ(s.Pushed(), (Events{"evStation=S1", "evTarget=P   ", "evCircleFace=Left",
                                  "evSlopeDist=" + R("", 10), "evVertAngle=" + R("", 10),
                                  "evHorAngle=" + R("12.3456", 10)}));
    EXPECT_TRUE(s.h.Protocol().empty()) << ::testing::PrintToString(s.h.Protocol());
    EXPECT_NEAR(*s.Station(0).observations.at(0).hz, (12 + 34 / 60.0 + 56 / 3600.0) * kDeg, 1e-12);
}

TEST(SdrRecords, TargetHeightAndOrientationAreAlwaysPushed) {
    Sdr s;
    s.Run("03NE" + R("1.6", 10) + "\n03NE\n12NE\n");
    EXPECT_EQ(s.Pushed(),
              (Events{"evTargetHeight=" + R("1.6", 10), "evTargetHeight=", "evOrientationStart="}));
    // Neither counts as reading the file.
    EXPECT_TRUE(s.h.ProtocolContains("mismatches required data format"));
}

TEST(SdrRecords, BacksightOfTheCurrentStation) {
    const std::string station = "02NE" + L("S1", 4) + "\n";
    auto bkb = [](std::string_view stn, std::string_view bs) {
        return "07NE" + L(stn, 4) + L(bs, 4) + R("999", 10) + R("123.4500", 10) + "\n";
    };
    EXPECT_EQ(Read(station + bkb("S1", "B1")), (Events{"evStation=S1", "evBacksight=B1",
                                                       "evBacksightAzimuth=" + R("123.4500", 10)}));
    EXPECT_EQ(Read(station + bkb("S2", "B1")), (Events{"evStation=S1"}));
    EXPECT_EQ(Read(station + bkb("S1", "")), (Events{"evStation=S1"}));
}

TEST(SdrRecords, DirectionsAtmosphereInstrumentAndJob) {
    EXPECT_EQ(Read("11NE" + L("A", 4) + L("B", 4) + R("10.3000", 10) + R("25.5", 10) + "\n"),
              (Events{"evDirectionName=A\\B", "evDirectionAngle=" + R("10.3000", 10), "evStation=A",
                      "evTarget=B", "evHorDist=" + R("25.5", 10)}));
    EXPECT_EQ(Read("11NE" + L("A", 4) + "\n"), (Events{}));
    EXPECT_EQ(Read("05NE" + R("1013", 10) + R("15", 10) + "\n"),
              (Events{"evPressure=" + R("1013", 10), "evTemperature=" + R("15", 10)}));
    EXPECT_EQ(Read("01NE" + std::string(46, '.') + "1\n01NE" + std::string(46, '.') + "2\n01NE\n"),
              (Events{"evInstrument=Z", "evInstrument=H", "evInstrument=H"}));
    // A job record without "1" in column 21 turns a wide file narrow; a narrow one stays.
    const std::string station = "02NE" + L("S1", 4) + R("7", 10) + "\n";
    EXPECT_EQ(Read(kWideHeader + "10NM" + L("JOB", 16) + "0\n" + station),
              (Events{"evStation=S1", "evPointX=" + R("7", 10)}));
    EXPECT_EQ(Read(kWideHeader + "10NM" + L("JOB", 16) + "1\n" + station),
              (Events{"evStation=" + L("S1", 4) + R("7", 10)}));
}

TEST(SdrRecords, BadTypesAndIgnoredTypes) {
    Sdr s;
    s.Run("\n0A bad\n13NE" + L("S1", 4) + "\n04NE\n02NE" + L("S1", 4) + "\n");
    EXPECT_EQ(s.Stream(), (Events{"evStation=S1"}));
    auto protocol = s.h.Protocol();
    ASSERT_EQ(protocol.size(), 1u) << ::testing::PrintToString(protocol);
    // The blank first line counts: the bad type is on line 2.
    EXPECT_NE(protocol[0].find("string  2:\nInvalid symbol(s)  A  found in string  0A."),
              std::string::npos)
        << protocol[0];
}

TEST(SdrValues, OutOfRangeAtmosphereIsReported) {
    Sdr s;
    s.Run(Header("SDR2x", "11311") + "05NE" + R("2500", 10) + R("-150", 10) + "\n");
    EXPECT_TRUE(s.Stream().empty());
    EXPECT_TRUE(s.h.ProtocolContains(
        "The value '      2500' is out of range.\nAdmissible interval: 350.0 ... 1000.0."));
    EXPECT_TRUE(s.h.ProtocolContains("The value '      -150' is out of range"));
    EXPECT_TRUE(s.h.ProtocolContains("mismatches required data format"));
}

TEST(SdrValues, LastPushDecidesWhetherARecordCounts) {
    // The station is taken, but the record's last push (a bad height) fails.
    Sdr s;
    s.Run("02NE" + L("S1", 4) + R("", 10) + R("", 10) + R("", 10) + R("x", 10) + "\n");
    EXPECT_EQ(s.Stream(), (Events{"evStation=S1"}));
    EXPECT_TRUE(s.h.ProtocolContains("mismatches required data format"));
}

TEST(SdrFiles, StateCarriesAcrossFiles) {
    ReaderHarness h;
    std::string a = h.Write("a.sdr", kWideHeader + "02NE" + L("S1", 16) + "\n");
    std::string b = h.Write("b.sdr", "09F1" + L("S1", 16) + L("P1", 16) + R("5", 16) + "\n");
    h.Run<CImpSDR>({a, b});
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1", "evTarget=" + L("P1", 16), "evCircleFace=Left",
                                  "evSlopeDist=" + R("5", 16)}));
}

TEST(SdrRobustness, AnyBytesEndTheRun) {
    for (unsigned seed : {11u, 12u, 13u}) {
        ReaderHarness h;
        h.Run<CImpSDR>(
            {h.Write("noise.sdr", testing_support::NoiseBytes(
                                      seed, 48 * 1024,
                                      {"00NMSDR33", "02KI", "09F1", "09F2", "07NE", "11NE", "03NE",
                                       "05NE", "10NM", "12NE", "  ", "\n", "\r\n", "S1  "},
                                      25, '1'))});
        testing_support::ExpectLinesAscend(h);
    }
}
