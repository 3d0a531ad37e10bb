#include "elta_fixture.h"

using namespace elta_test;

namespace {

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

Events Read5(const std::string& text, int standard = 1) {
    return Read<CImpELTAC_M5>(text, [standard](ImportSettings& s) { s.StnM5Def = standard; });
}

const std::string kStation = M5({Pt("S1"), "X 1 m", "Y 2 m"});
const Events kStationEvents{"evStation=S1", "evPointX=1", "evPointY=2"};

}  // namespace

TEST(EltaM5Stations, StandardHeaderMakesEveryCoordinateRecordAStation) {
    // Measurements need no station; the "O" mark is no station.
    EXPECT_EQ(Read5(M5({Pt("P0"), "SD 5.000 m", "Hz 10.0000 DMS"}) +
                    M5({Pt("S1", "CD"), "X 100.000 m", "Y 200.000 m"}) +
                    M5({Pt("P2"), "N 3 m", "E 4 m"}) + M5({Pt("S3"), "SD 1 m"}, "O")),
              (Events{"evTarget=P0", "evSlopeDist=5.000", "evHorAngle=10 00 00", "evStation=S1",
                      "evCode=CD", "evPointX=100.000", "evPointY=200.000", "evStation=P2",
                      "evPointX=3", "evPointY=4", "evTarget=S3", "evSlopeDist=1"}));
}

TEST(EltaM5Stations, OwnStationsByTheOMark) {
    // Before the first station, angles, target heights and point records wait; coordinates of a
    // coordinate record are still pushed, but name no point.
    EXPECT_EQ(Read5(M5({Pt("P0"), "Hz 10.0000 DMS", "V1 90.0000 DMS", "th 1.5 m", "ih 1.4 m"}) +
                        M5({Pt("K1"), "X 5 m", "Y 6 m"}),
                    0),
              (Events{"evPointX=5", "evPointY=6"}));
    EXPECT_EQ(
        Read5(M5({Pt("S1", "CD"), "ih 1.600 m"}, "O") +
                  M5({Pt("P1"), "Hz 20.0000 DMS", "th 1.5 m"}) + M5({Pt("K1"), "X 5 m", "Y 6 m"}),
              0),
        (Events{"evStation=S1", "evCode=CD", "evInstrumentHeight=1.600", "evTarget=P1",
                "evHorAngle=20 00 00", "evTargetHeight=1.5", "evPointName=K1", "evPointX=5",
                "evPointY=6"}));
    // A mark without a point name starts nothing.
    EXPECT_EQ(Read5(M5({Pt(""), "ih 1.6 m"}, "O") + M5({Pt("P1"), "Hz 20.0000 DMS"}), 0), Events{});
    // The first station counts as data.
    auto r = Import<CImpELTAC_M5>(M5({Pt("S1")}, "O"), [](ImportSettings& s) { s.StnM5Def = 0; });
    EXPECT_EQ(r->Stream(), (Events{"evStation=S1"}));
    EXPECT_FALSE(r->Logged("mismatches"));
}

TEST(EltaM5Stations, StatRecordHoldsTheTargetHeightForItsStation) {
    const std::string text = M5({"TI STAT. 1"}) + M5({Pt("S1"), "th 1.600 m"}) +
                             M5({Pt("S1", "CD"), "X 100.000 m", "Y 200.000 m"}) +
                             M5({Pt("K1"), "X 1 m", "Y 2 m"}) + M5({"TI STAT. 2"}) +
                             M5({Pt("P9"), "Hz 1.0000 DMS"});
    EXPECT_EQ(Read5(text, 0),
              (Events{"evStation=S1", "evCode=CD", "evTargetHeight=1.600", "evPointX=100.000",
                      "evPointY=200.000", "evPointName=K1", "evPointX=1", "evPointY=2"}));
}

TEST(EltaM5SetHz, HeldReadingsGoToTheOrientedPoint) {
    const std::string text = M5({"TI Set Hz"}) + M5({"Hz 45.3000 DMS"}) + M5({Pt("R1", "OR")}) +
                             M5({Pt("R2"), "Hz 10.0000 DMS", "V1 90.0000 DMS"}) + M5({"TI next"}) +
                             M5({Pt("P3"), "Hz 11.0000 DMS"});
    const std::initializer_list<std::string> held = {
        "evTarget=R1", "evCode=OR",   "evHorAngle=45 30 00", "evCircleFace=L",
        "evTarget=R2", "evTarget=P3", "evHorAngle=11 00 00"};
    EXPECT_EQ(Read5(kStation + text, 1), With(kStationEvents, held));
    EXPECT_EQ(Read5(M5({Pt("S0")}, "O") + text, 0), With({"evStation=S0"}, held));
    // A held vertical angle replaces the face.
    EXPECT_EQ(Read5(kStation + M5({"TI Set Hz"}) + M5({"Hz 45.3000 DMS", "V1 90.0000 DMS"}) +
                    M5({Pt("R1")})),
              With(kStationEvents, {"evTarget=R1", "evHorAngle=45 30 00", "evVertAngle=90 00 00"}));
    // Without a station the point is dropped.
    EXPECT_EQ(Read5(M5({"TI Set Hz"}) + M5({"Hz 45.3000 DMS"}) + M5({Pt("R1")}), 0), Events{});
}

TEST(EltaM5Records, HelperRecordsMarksAndBlanks) {
    // Set-up and helper records name no target; "dm" with "nD" drops the whole line; any mark
    // after the last bar but "O" is cut off (this "X" makes no coordinate record); a field that
    // begins with a blank has no type word.
    auto r = Import<CImpELTAC_M5>(
        kStation + M5({Pt("P1"), "SD 1 m", "ih 1.5 m"}) + M5({Pt("P2"), "dX_N 1 m"}) +
            M5({Pt("P3"), "SD 2 m", "Om 0.1 m"}) + M5({Pt("P4"), "SD 3 m", "s 1"}) +
            M5({Pt("P5"), "SD 1 m", "dm 0.1 m", "nD 3"}) + M5({Pt("P6"), "SD 1 m", "dm 0.1 m"}) +
            M5({Pt("P7"), "SD 1 m", "dE 2"}, "X") + M5({" " + Pt("P8"), "SD 1 m", "JUNK"}),
        [](ImportSettings& s) { s.StnM5Def = 1; });
    EXPECT_EQ(r->Stream(),
              With(kStationEvents, {"evSlopeDist=1", "evInstrumentHeight=1.5", "evSlopeDist=2",
                                    "evSlopeDist=3", "evTarget=P6", "evSlopeDist=1", "evTarget=P7",
                                    "evSlopeDist=1", "evSlopeDist=1"}));
    // A field without a space is not reported for M5.
    EXPECT_FALSE(r->Logged("no space symbol"));
}

TEST(EltaM5Columns, TakenFromTheSettingsAndClamped) {
    using testing_support::Columns;
    EXPECT_EQ(Read<CImpELTAC_M5>(M5({"PI1 ABP123XXXCODYY", "SD 1 m"}), Columns(3, 4, 10, 3)),
              (Events{"evTarget=P123", "evCode=COD", "evSlopeDist=1"}));
    // Hand-edited values: the starts become 1 and 28, the widths 28 and 0.
    EXPECT_EQ(Read<CImpELTAC_M5>(M5({Pt("P1", "CD"), "SD 1 m"}), Columns(-7, 1000, 1000, -1)),
              (Events{"evTarget=" + Pad("P1", 14) + "CD", "evSlopeDist=1"}));
    // A start beyond the value gives an empty name: only the code is pushed.
    EXPECT_EQ(Read<CImpELTAC_M5>(M5({"PI1 CDP1", "SD 1 m"}), Columns(28, 14, 1, 2)),
              (Events{"evCode=CD", "evSlopeDist=1"}));
}
