#include "elta_fixture.h"
#include "readers/elta_m5_reader.h"

using namespace elta_test;

namespace {

std::string Pad(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

// A point field in the default layout: name in 14 columns, code in 13.
std::string Pt(const std::string& name, const std::string& code = "") {
    return "PI1 " + Pad(name, 14) + Pad(code, 13);
}

// An M5 line from its fields, with an optional mark after the last bar.
std::string M5(std::initializer_list<std::string> fields, const std::string& mark = "") {
    std::string line = "For M5|Adr 00001|";
    for (const auto& f : fields) line += f + "|";
    return line + mark + "\n";
}

auto Standard(int on) {
    return [on](ImportSettings& s) { s.StnM5Def = on; };
}

Events Read5(const std::string& text, int standard = 1) {
    return Read<CImpELTAC_M5>(text, Standard(standard));
}

const std::string kStation = M5({Pt("S1"), "X 1 m", "Y 2 m"});
const Events kStationEvents{"evStation=S1", "evPointX=1", "evPointY=2"};

Events After(Events head, std::initializer_list<std::string> tail) {
    head.insert(head.end(), tail);
    return head;
}

}  // namespace

TEST(EltaM5StandardHeader, MeasurementsNeedNoStation) {
    EXPECT_EQ(Read5(M5({Pt("P0"), "SD 5.000 m", "Hz 10.0000 DMS"}) +
                    M5({Pt("S1", "CD"), "X 100.000 m", "Y 200.000 m"})),
              (Events{"evTarget=P0", "evSlopeDist=5.000", "evHorAngle=10 00 00", "evStation=S1",
                      "evCode=CD", "evPointX=100.000", "evPointY=200.000"}));
}

TEST(EltaM5StandardHeader, EveryCoordinateRecordIsAStation) {
    EXPECT_EQ(Read5(kStation + M5({Pt("P2"), "N 3 m", "E 4 m"})),
              After(kStationEvents, {"evStation=P2", "evPointX=3", "evPointY=4"}));
}

TEST(EltaM5StandardHeader, OMarkIsNotAStation) {
    EXPECT_EQ(Read5(M5({Pt("S1"), "SD 1 m"}, "O")), (Events{"evTarget=S1", "evSlopeDist=1"}));
}

TEST(EltaM5OwnStations, NothingBeforeTheFirstStation) {
    // Angles, target heights and point records wait for a station; coordinates of a
    // coordinate record are still pushed, but name no point.
    EXPECT_EQ(Read5(M5({Pt("P0"), "Hz 10.0000 DMS", "V1 90.0000 DMS", "th 1.5 m", "ih 1.4 m"}) +
                        M5({Pt("K1"), "X 5 m", "Y 6 m"}),
                    0),
              (Events{"evPointX=5", "evPointY=6"}));
}

TEST(EltaM5OwnStations, OMarkStartsAStation) {
    EXPECT_EQ(
        Read5(M5({Pt("S1", "CD"), "ih 1.600 m"}, "O") +
                  M5({Pt("P1"), "Hz 20.0000 DMS", "th 1.5 m"}) + M5({Pt("K1"), "X 5 m", "Y 6 m"}),
              0),
        (Events{"evStation=S1", "evCode=CD", "evInstrumentHeight=1.600", "evTarget=P1",
                "evHorAngle=20 00 00", "evTargetHeight=1.5", "evPointName=K1", "evPointX=5",
                "evPointY=6"}));
    // A mark without a point name starts nothing.
    EXPECT_EQ(Read5(M5({Pt(""), "ih 1.6 m"}, "O") + M5({Pt("P1"), "Hz 20.0000 DMS"}), 0), Events{});
}

TEST(EltaM5OwnStations, StatRecordHoldsTheTargetHeightForItsStation) {
    const std::string text = M5({"TI STAT. 1"}) + M5({Pt("S1"), "th 1.600 m"}) +
                             M5({Pt("S1", "CD"), "X 100.000 m", "Y 200.000 m"}) +
                             M5({Pt("K1"), "X 1 m", "Y 2 m"}) + M5({"TI STAT. 2"}) +
                             M5({Pt("P9"), "Hz 1.0000 DMS"});
    EXPECT_EQ(Read5(text, 0),
              (Events{"evStation=S1", "evCode=CD", "evTargetHeight=1.600", "evPointX=100.000",
                      "evPointY=200.000", "evPointName=K1", "evPointX=1", "evPointY=2"}));
}

TEST(EltaM5OwnStations, TheFirstStationCountsAsData) {
    auto r = Import<CImpELTAC_M5>(M5({Pt("S1")}, "O"), Standard(0));
    EXPECT_EQ(r->Stream(), (Events{"evStation=S1"}));
    EXPECT_FALSE(r->Logged("mismatches"));
}

TEST(EltaM5SetHz, HeldReadingsGoToTheOrientedPoint) {
    const std::string text = kStation + M5({"TI Set Hz"}) + M5({"Hz 45.3000 DMS"}) +
                             M5({Pt("R1", "OR")}) +
                             M5({Pt("R2"), "Hz 10.0000 DMS", "V1 90.0000 DMS"}) + M5({"TI next"}) +
                             M5({Pt("P3"), "Hz 11.0000 DMS"});
    const Events expected =
        After(kStationEvents, {"evTarget=R1", "evCode=OR", "evHorAngle=45 30 00", "evCircleFace=L",
                               "evTarget=R2", "evTarget=P3", "evHorAngle=11 00 00"});
    EXPECT_EQ(Read5(text, 1), expected);
    EXPECT_EQ(Read5(M5({Pt("S0")}, "O") + text.substr(kStation.size()), 0),
              After({"evStation=S0"},
                    {"evTarget=R1", "evCode=OR", "evHorAngle=45 30 00", "evCircleFace=L",
                     "evTarget=R2", "evTarget=P3", "evHorAngle=11 00 00"}));
}

TEST(EltaM5SetHz, HeldVerticalAngleReplacesTheFace) {
    EXPECT_EQ(
        Read5(kStation + M5({"TI Set Hz"}) + M5({"Hz 45.3000 DMS", "V1 90.0000 DMS"}) +
              M5({Pt("R1")})),
        After(kStationEvents, {"evTarget=R1", "evHorAngle=45 30 00", "evVertAngle=90 00 00"}));
}

TEST(EltaM5SetHz, WithoutAStationThePointIsDropped) {
    EXPECT_EQ(Read5(M5({"TI Set Hz"}) + M5({"Hz 45.3000 DMS"}) + M5({Pt("R1")}), 0), Events{});
}

TEST(EltaM5Records, SetUpAndHelperRecordsNameNoTarget) {
    EXPECT_EQ(Read5(kStation + M5({Pt("P1"), "SD 1 m", "ih 1.5 m"}) + M5({Pt("P2"), "dX_N 1 m"}) +
                    M5({Pt("P3"), "SD 2 m", "Om 0.1 m"}) + M5({Pt("P4"), "SD 3 m", "s 1"})),
              After(kStationEvents,
                    {"evSlopeDist=1", "evInstrumentHeight=1.5", "evSlopeDist=2", "evSlopeDist=3"}));
}

TEST(EltaM5Records, DmAndNdDropTheWholeLine) {
    EXPECT_EQ(Read5(kStation + M5({Pt("P1"), "SD 1 m", "dm 0.1 m", "nD 3"}) +
                    M5({Pt("P2"), "SD 1 m", "dm 0.1 m"})),
              After(kStationEvents, {"evTarget=P2", "evSlopeDist=1"}));
}

TEST(EltaM5Records, MarkAfterTheLastBarIsRemoved) {
    // Any other character there is cut off: this "X" does not make a coordinate record.
    EXPECT_EQ(Read5(kStation + M5({Pt("P1"), "SD 1 m", "dE 2"}, "X")),
              After(kStationEvents, {"evTarget=P1", "evSlopeDist=1"}));
}

TEST(EltaM5Fields, BlanksAreKept) {
    // A field that begins with a blank has no type word.
    auto r = Import<CImpELTAC_M5>(kStation + M5({" " + Pt("P1"), "SD 1 m", "JUNK"}));
    EXPECT_EQ(r->Stream(), After(kStationEvents, {"evSlopeDist=1"}));
    // A field without a space is not reported for M5.
    EXPECT_FALSE(r->Logged("no space symbol"));
}

TEST(EltaM5Columns, TakenFromTheSettings) {
    auto layout = [](ImportSettings& s) {
        s.NameStart = 3;
        s.NameWidth = 4;
        s.CodeStart = 10;
        s.CodeWidth = 3;
    };
    EXPECT_EQ(Read<CImpELTAC_M5>(M5({"PI1 ABP123XXXCODYY", "SD 1 m"}), layout),
              (Events{"evTarget=P123", "evCode=COD", "evSlopeDist=1"}));
}

TEST(EltaM5Columns, HandEditedValuesAreClamped) {
    auto wild = [](ImportSettings& s) {
        s.NameStart = -7;    // becomes 1
        s.NameWidth = 1000;  // becomes 28
        s.CodeStart = 1000;  // becomes 28
        s.CodeWidth = -1;    // becomes 0
    };
    EXPECT_EQ(Read<CImpELTAC_M5>(M5({Pt("P1", "CD"), "SD 1 m"}), wild),
              (Events{"evTarget=" + Pad("P1", 14) + "CD", "evSlopeDist=1"}));
    // A start beyond the value gives an empty name: only the code is pushed.
    auto late = [](ImportSettings& s) {
        s.NameStart = 28;
        s.CodeStart = 1;
        s.CodeWidth = 2;
    };
    EXPECT_EQ(Read<CImpELTAC_M5>(M5({"PI1 CDP1", "SD 1 m"}), late),
              (Events{"evCode=CD", "evSlopeDist=1"}));
}
