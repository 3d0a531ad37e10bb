#include <algorithm>
#include <cmath>
#include <numbers>

#include "readers/ta5_reader.h"
#include "ta5_fixture.h"

using namespace ta5_test;
using testing_support::ReaderHarness;

namespace {

const std::string kHeader = Rec({"0010", "ST1", "BENCH", "010203", "B1", "1234530", "1550"});

double Deg(double rad) {
    return rad * 180.0 / std::numbers::pi;
}

}  // namespace

TEST(Ta5Header, FieldsInOrderWithPackedValues) {
    EXPECT_EQ(Read<CImp3TA5>(kHeader + Rec({"2010", "B1"})),
              (Events{"evStation=ST1", "evCode=BENCH", "evDate=010203", "evBacksight=B1",
                      "evDirectionName=ST1\\B1", "evDirectionAngle=123.45.30",
                      "evInstrumentHeight=1.550", "evTarget=B1", "evSlopeDist=0"}));
    // Without a station name there is no direction, and empty fields are left out.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"0010", "", "", "", "B1", "1234530", ""})),
              (Events{"evBacksight=B1", "evTarget=B1"}));
}

TEST(Ta5Records, CoordinateStationPushesItsCodeTwice) {
    EXPECT_EQ(Read<CImp3TA5>(Rec({"1000", "ST2", "PILLAR", "1000", "-2500", "12.5", "1700"})),
              (Events{"evStation=ST2", "evCode=PILLAR", "evCode=PILLAR", "evPointX=1.000",
                      "evPointY=-2.500", "evPointH=12.5", "evTargetHeight=1.700"}));
    // 4TA5 has no target height in this record.
    EXPECT_EQ(Read<CImp4TA5>(Rec({"1000", "ST2", "PILLAR", "1000", "2500", "3", "1700"})),
              (Events{"evStation=ST2", "evCode=PILLAR", "evCode=PILLAR", "evPointX=1.000",
                      "evPointY=2.500", "evPointH=0.003"}));
}

TEST(Ta5Records, SlopeDistanceForms) {
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2010", "P1", "TREE", "12345", "1234530", "0900000", "1500"})),
              (Events{"evTarget=P1", "evCode=TREE", "evSlopeDist=12.345", "evHorAngle=123.45.30",
                      "evInstrument=Z", "evVertAngle=090.00.00", "evTargetHeight=1.500"}));
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2210", "P1", "", "12.3"})),
              (Events{"evTarget=P1", "evSlopeDist=12.3"}));
    // An empty slope distance is pushed as 0; a negative one keeps its sign.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2010", "P1", "", "", "", "", "-5"})),
              (Events{"evTarget=P1", "evSlopeDist=0", "evTargetHeight=-0.005"}));
}

TEST(Ta5Records, TargetWithCoordinatesAndHeightDifference) {
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2110", "P2", "", "100000", "200000", "5000", "0"})),
              (Events{"evTarget=P2", "evPointX=100.000", "evPointY=200.000", "evPointH=5.000",
                      "evTargetHeight=0.000"}));
    // The height difference brings the station's instrument height as the target height.
    EXPECT_EQ(
        Read<CImp3TA5>(kHeader + Rec({"2310", "P3", "", "25000", "0100000", "0900000", "-250"})),
        (Events{"evStation=ST1", "evCode=BENCH", "evDate=010203", "evBacksight=B1",
                "evDirectionName=ST1\\B1", "evDirectionAngle=123.45.30", "evInstrumentHeight=1.550",
                "evTarget=P3", "evHorDist=25.000", "evHorAngle=010.00.00", "evInstrument=H",
                "evVertAngle=090.00.00", "evTargetHeight=1.550", "evHeightDiff=-0.250",
                "evTarget=B1", "evHorAngle=123.45.30"}));
    // Unknown target variants push nothing, not even the target.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2410", "P4", "CODE"}) + Rec({"3010", "P5", "CODE"})), Events{});
}

TEST(Ta5Records, VerticalAngleKindFollowsTheCode) {
    auto kind = [](const std::string& code, bool four) {
        std::string rec = Rec({code, "P", "", "1", "1", "1", "1", "1", "1"});
        Events e = four ? Read<CImp4TA5>(rec) : Read<CImp3TA5>(rec);
        for (const auto& s : e)
            if (s.rfind("evInstrument=", 0) == 0)
                return s.substr(13);
        return std::string("-");
    };
    EXPECT_EQ(kind("2010", false), "Z");
    EXPECT_EQ(kind("2210", false), "Z");
    EXPECT_EQ(kind("2011", false), "H");
    EXPECT_EQ(kind("2310", false), "H");
    EXPECT_EQ(kind("201", false), "H");  // no fourth character
    EXPECT_EQ(kind("2002", true), "Z");
    EXPECT_EQ(kind("2112", true), "Z");
    EXPECT_EQ(kind("2202", true), "H");
    EXPECT_EQ(kind("2000", true), "H");
}

TEST(Ta5Angles, UnitCodesOfBothInstruments) {
    auto hz = [](const std::string& code, bool four) {
        ReaderHarness h;
        std::string rec = four ? Rec({code, "P", "", "1234530", "", "", ""})
                               : Rec({code, "P", "", "", "1234530", "", ""});
        if (four)
            h.Run<CImp4TA5>({h.Write("a.txt", rec)});
        else
            h.Run<CImp3TA5>({h.Write("a.txt", rec)});
        std::string text;
        for (const auto& s : h.Stream())
            if (s.rfind("evHorAngle=", 0) == 0)
                text = s.substr(11);
        const auto& st = h.project.data().stations;
        double deg = st.empty() || st[0].observations.empty() || !st[0].observations[0].hz
                         ? -1
                         : Deg(*st[0].observations[0].hz);
        return std::make_pair(text, deg);
    };
    // 3TA5: 0 grads, 1 degrees-minutes-seconds, 2 decimal degrees.
    auto [g3, g3deg] = hz("200", false);
    EXPECT_EQ(g3, "123.4530");
    EXPECT_NEAR(g3deg, 123.453 * 0.9, 1e-9);
    auto [d3, d3deg] = hz("201", false);
    EXPECT_EQ(d3, "123.45.30");
    EXPECT_NEAR(d3deg, 123 + 45 / 60.0 + 30 / 3600.0, 1e-9);
    auto [e3, e3deg] = hz("202", false);
    EXPECT_EQ(e3, "123.4530");
    EXPECT_NEAR(e3deg, 123.453, 1e-9);
    // 4TA5: 0 degrees-minutes-seconds, 1 decimal degrees, 2 grads.
    auto [d4, d4deg] = hz("200", true);
    EXPECT_EQ(d4, "123.45.30");
    EXPECT_NEAR(d4deg, 123 + 45 / 60.0 + 30 / 3600.0, 1e-9);
    auto [e4, e4deg] = hz("201", true);
    EXPECT_EQ(e4, "123.4530");
    EXPECT_NEAR(e4deg, 123.453, 1e-9);
    auto [g4, g4deg] = hz("202", true);
    EXPECT_EQ(g4, "123.4530");
    EXPECT_NEAR(g4deg, 123.453 * 0.9, 1e-9);
}

TEST(Ta5Angles, ShortAndSignedPackedTexts) {
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2010", "P", "", "", "-12", "12345301"})),
              (Events{"evTarget=P", "evSlopeDist=0", "evHorAngle=-000.00.12", "evInstrument=Z",
                      "evVertAngle=123.45.30"}));
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2000", "P", "", "", "12", "45.5"})),
              (Events{"evTarget=P", "evSlopeDist=0", "evHorAngle=000.0012", "evInstrument=Z",
                      "evVertAngle=45.5"}));
}

TEST(Ta5FourLayouts, EveryTargetRecord) {
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2000", "A", "C", "1234530", "0900000", "1500"})),
              (Events{"evTarget=A", "evCode=C", "evHorAngle=123.45.30", "evInstrument=H",
                      "evVertAngle=090.00.00", "evTargetHeight=1.500"}));
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2100", "B", "", "1234530", "0900000", "", "1500"})),
              (Events{"evTarget=B", "evHorAngle=123.45.30", "evInstrument=H",
                      "evVertAngle=090.00.00", "evSlopeDist=0", "evTargetHeight=1.500"}));
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2200", "C", "", "1000", "2000", "3000", "1234530", "", "7"})),
              (Events{"evTarget=C", "evPointX=1.000", "evPointY=2.000", "evPointH=3.000",
                      "evHorAngle=123.45.30", "evSlopeDist=0.007"}));
    EXPECT_EQ(
        Read<CImp4TA5>(Rec({"2300", "D", "", "10000", "-500", "1234530", "0900000", "", "1500"})),
        (Events{"evTarget=D", "evHorDist=10.000", "evHeightDiff=-0.500", "evHorAngle=123.45.30",
                "evInstrument=H", "evVertAngle=090.00.00", "evTargetHeight=1.500"}));
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2900", "E", "CODE", "1234530"})),
              (Events{"evTarget=E", "evCode=CODE"}));
    // The header reads seven fields; the eighth and ninth are not data.
    EXPECT_EQ(Read<CImp4TA5>(Rec({"0000", "S", "", "", "", "", "1500", "9999", "9999"})),
              (Events{"evStation=S", "evInstrumentHeight=1.500"}));
}

TEST(Ta5Lines, BlankCodeFieldStopsTheFile) {
    ReaderHarness h;
    h.Run<CImp3TA5>(
        {h.Write("a.txt", Rec({"2010", "P1"}) + Rec({"", "P2"}) + Rec({"2010", "P3"}))});
    EXPECT_EQ(h.Stream(), (Events{"evTarget=P1", "evSlopeDist=0"}));
    EXPECT_FALSE(h.ProtocolContains("mismatches"));
}

TEST(Ta5Lines, LongLinesAreCutAtTheRecordLength) {
    // 90 characters: a record of 84 and one made of the last 6 ("2010P9" has the code "2010P9").
    std::string line =
        Rec({"2010", "P1", "", "1000"}).substr(0, 48) + std::string(36, ' ') + "2010P9";
    ASSERT_EQ(line.size(), 90u);
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write("a.txt", line + "\n" + Rec({"2010", "P2"}))});
    EXPECT_EQ(h.Stream(2, false), (Events{"evTarget=P1", "evSlopeDist=1.000", "evSlopeDist=0",
                                          "evTarget=P2", "evSlopeDist=0"}));
    // The cut piece is a line of its own: P2 is on line 3.
    std::vector<long> lines;
    for (const auto& e : h.events)
        if (e.pass == 2)
            lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<long>{1, 1, 2, 3, 3}));
    // A full-length line followed by its line feed is one line, for both instruments.
    ReaderHarness h4;
    std::string full = Rec({"2100", "P1", "", "", "", "1000", "", "", "1"});
    ASSERT_EQ(full.size(), 110u);
    h4.Run<CImp4TA5>({h4.Write("b.txt", full + Rec({"2100", "P2"}))});
    for (const auto& e : h4.events)
        if (e.pass == 2 && e.value == "P2") {
            EXPECT_EQ(e.line, 2);
        }
}

TEST(Ta5Lines, EmptyLinesAreSkippedAndNothingAcceptedIsReported) {
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write("a.txt", "\n\r\n" + Rec({"5000", "X"}) + "\n")});
    EXPECT_TRUE(h.Stream().empty());
    EXPECT_TRUE(h.ProtocolContains("mismatches required data format"));
    ReaderHarness ok;
    ok.Run<CImp3TA5>({ok.Write("a.txt", "\n\n" + Rec({"2010", "P1"}))});
    EXPECT_FALSE(ok.ProtocolContains("mismatches required data format"));
    for (const auto& e : ok.events)
        if (e.value == "P1") {
            EXPECT_EQ(e.line, 3);
        }
}

TEST(Ta5Backsight, UnmeasuredBacksightSettlesAtTheNextHeader) {
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write(
        "a.txt", kHeader + Rec({"2010", "P1"}) + Rec({"0010", "ST2", "", "", "ST1", "0450000"}))});
    const Events e = h.Stream();
    ASSERT_GE(e.size(), 8u);
    const Events tail(e.end() - 8, e.end());
    // The first header's backsight and direction come before the second station; the second
    // one's backsight is settled at the end of the file.
    EXPECT_EQ(tail, (Events{"evTarget=B1", "evHorAngle=123.45.30", "evStation=ST2",
                            "evBacksight=ST1", "evDirectionName=ST2\\ST1",
                            "evDirectionAngle=045.00.00", "evTarget=ST1", "evHorAngle=045.00.00"}));
    ASSERT_EQ(h.project.data().stations.size(), 2u);
    const auto& first = h.project.data().stations[0].observations;
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[1].target, "B1");
    ASSERT_TRUE(first[1].hz);
    EXPECT_NEAR(Deg(*first[1].hz), 123 + 45 / 60.0 + 30 / 3600.0, 1e-9);
}

TEST(Ta5Backsight, PendingBacksightJoinsTheLastRecordAtTheEnd) {
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write("a.txt", kHeader + Rec({"2010", "P1"}))});
    long p1_record = -1, b1_record = -2;
    for (const auto& e : h.events) {
        if (e.pass != 2)
            continue;
        if (e.id == evTarget && e.value == "P1")
            p1_record = e.record;
        if (e.id == evTarget && e.value == "B1")
            b1_record = e.record;
    }
    EXPECT_EQ(p1_record, b1_record);
    EXPECT_EQ(h.Stream().back(), "evHorAngle=123.45.30");
}

TEST(Ta5Backsight, MeasuredBacksightAddsNothing) {
    const Events e =
        Read<CImp3TA5>(kHeader + Rec({"2010", "B1", "", "5000", "0100000"}) + Rec({"0010", "ST2"}));
    EXPECT_EQ(std::count(e.begin(), e.end(), "evTarget=B1"), 1);
}

TEST(Ta5Backsight, DirectionKeepsTheUnitOfItsHeader) {
    // Header in grads, then a record in degrees-minutes-seconds: the settled direction is grads.
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write("a.txt", Rec({"0000", "ST1", "", "", "B1", "1000000"}) +
                                          Rec({"2010", "P1", "", "", "1000000"}))});
    const auto& obs = h.project.data().stations.at(0).observations;
    ASSERT_EQ(obs.size(), 2u);
    ASSERT_TRUE(obs[1].hz && obs[0].hz);
    EXPECT_NEAR(Deg(*obs[0].hz), 100.0, 1e-9);
    EXPECT_NEAR(Deg(*obs[1].hz), 90.0, 1e-9);
}

TEST(Ta5Date, TwoDigitYearsGetTheirCentury) {
    ReaderHarness h;
    CImp3TA5 reader(&h.project, &h.dlg, &h.dlg.ImportInfo());
    auto date = [&](const char* text) {
        int64_t t = 0;
        EXPECT_EQ(reader.GetDate(text, &t), 1);
        std::time_t tt = static_cast<std::time_t>(t);
        std::tm tm{};
        localtime_r(&tt, &tm);
        return std::to_string(tm.tm_year + 1900) + "-" + std::to_string(tm.tm_mon + 1) + "-" +
               std::to_string(tm.tm_mday) + " s" + std::to_string(tm.tm_sec);
    };
    EXPECT_EQ(date("010203"), "2003-2-1 s0");
    EXPECT_EQ(date("311299"), "1999-12-31 s0");
    EXPECT_EQ(date("150679"), "2079-6-15 s0");
    EXPECT_EQ(date("150680"), "1980-6-15 s0");
    EXPECT_EQ(date(" 10203"), "2003-2-1 s0");  // padded with "0" in front
    // Out-of-range parts come from today.
    std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    const std::string this_month = std::to_string(today.tm_mon + 1);
    EXPECT_EQ(date("011399"), "1999-" + this_month + "-1 s0");
    EXPECT_EQ(date("0102xy").substr(0, 4), std::to_string(today.tm_year + 1900));
    int64_t t = 0;
    EXPECT_EQ(reader.GetDate(nullptr, &t), 0);
}

TEST(Ta5Date, HeaderDateReachesTheStation) {
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write("a.txt", kHeader)});
    ASSERT_EQ(h.project.data().stations.size(), 1u);
    ASSERT_TRUE(h.project.data().stations[0].date);
    std::time_t tt = static_cast<std::time_t>(*h.project.data().stations[0].date);
    std::tm tm{};
    localtime_r(&tt, &tm);
    EXPECT_EQ(tm.tm_year + 1900, 2003);
    EXPECT_EQ(tm.tm_mon + 1, 2);
    EXPECT_EQ(tm.tm_mday, 1);
}
