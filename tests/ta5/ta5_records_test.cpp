#include <algorithm>
#include <map>
#include <tuple>

#include "readers/ta5/ta2_reader.h"
#include "readers/ta5/ta5_reader.h"
#include "support/time_text.h"
#include "ta5_fixture.h"

using namespace ta5_test;
using testing_support::ReaderHarness;

namespace {

const std::string kHeader = Rec({"0010", "ST1", "BENCH", "010203", "B1", "1234530", "1550"});
const Events kHeaderEvents = {"evStation=ST1",           "evCode=BENCH",
                              "evDate=010203",           "evBacksight=B1",
                              "evDirectionName=ST1\\B1", "evDirectionAngle=123.45.30",
                              "evInstrumentHeight=1.550"};

}  // namespace

TEST(Ta5Records, HeaderAndStationRecords) {
    // A measured backsight is not added again at the end.
    EXPECT_EQ(Read<CImp3TA5>(kHeader + Rec({"2010", "B1"})),
              With(kHeaderEvents, {"evTarget=B1", "evSlopeDist=0"}));
    // Without a station name there is no direction, and empty fields are left out.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"0010", "", "", "", "B1", "1234530", ""})),
              (Events{"evBacksight=B1", "evTarget=B1"}));
    // The 4TA5 header reads seven fields; the eighth and ninth are not data.
    EXPECT_EQ(Read<CImp4TA5>(Rec({"0000", "S", "", "", "", "", "1500", "9999", "9999"})),
              (Events{"evStation=S", "evInstrumentHeight=1.500"}));
    // A coordinate station pushes its code twice; 4TA5 has no target height there.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"1000", "ST2", "PILLAR", "1000", "-2500", "12.5", "1700"})),
              (Events{"evStation=ST2", "evCode=PILLAR", "evCode=PILLAR", "evPointX=1.000",
                      "evPointY=-2.500", "evPointH=12.5", "evTargetHeight=1.700"}));
    EXPECT_EQ(Read<CImp4TA5>(Rec({"1000", "ST2", "PILLAR", "1000", "2500", "3", "1700"})),
              (Events{"evStation=ST2", "evCode=PILLAR", "evCode=PILLAR", "evPointX=1.000",
                      "evPointY=2.500", "evPointH=0.003"}));
}

TEST(Ta5Records, ThreeTa5TargetLayouts) {
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2010", "P1", "TREE", "12345", "1234530", "0900000", "1500"})),
              (Events{"evTarget=P1", "evCode=TREE", "evSlopeDist=12.345", "evHorAngle=123.45.30",
                      "evInstrument=Z", "evVertAngle=090.00.00", "evTargetHeight=1.500"}));
    // Slope distance forms: with a point as it stands, empty as 0, negative with its sign.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2210", "P1", "", "12.3"})),
              (Events{"evTarget=P1", "evSlopeDist=12.3"}));
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2010", "P1", "", "", "", "", "-5"})),
              (Events{"evTarget=P1", "evSlopeDist=0", "evTargetHeight=-0.005"}));
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2110", "P2", "", "100000", "200000", "5000", "0"})),
              (Events{"evTarget=P2", "evPointX=100.000", "evPointY=200.000", "evPointH=5.000",
                      "evTargetHeight=0.000"}));
    // The height difference brings the station's instrument height as the target height.
    EXPECT_EQ(
        Read<CImp3TA5>(kHeader + Rec({"2310", "P3", "", "25000", "0100000", "0900000", "-250"})),
        With(kHeaderEvents, {"evTarget=P3", "evHorDist=25.000", "evHorAngle=010.00.00",
                             "evInstrument=H", "evVertAngle=090.00.00", "evTargetHeight=1.550",
                             "evHeightDiff=-0.250", "evTarget=B1", "evHorAngle=123.45.30"}));
    // Unknown target variants push nothing, not even the target.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2410", "P4", "CODE"}) + Rec({"3010", "P5", "CODE"})), Events{});
    // Short and signed packed angles; a fourth code character other than 0 gives a height angle.
    EXPECT_EQ(Read<CImp3TA5>(Rec({"2011", "P", "", "", "-12", "12345301"})),
              (Events{"evTarget=P", "evSlopeDist=0", "evHorAngle=-000.00.12", "evInstrument=H",
                      "evVertAngle=123.45.30"}));
}

TEST(Ta5Records, FourTa5TargetLayouts) {
    // Zenith angles only for variants 0 and 1 with a fourth code character 2.
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2002", "A", "C", "1234530", "0900000", "1500"})),
              (Events{"evTarget=A", "evCode=C", "evHorAngle=123.45.30", "evInstrument=Z",
                      "evVertAngle=090.00.00", "evTargetHeight=1.500"}));
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2102", "B", "", "1234530", "0900000", "", "1500"})),
              (Events{"evTarget=B", "evHorAngle=123.45.30", "evInstrument=Z",
                      "evVertAngle=090.00.00", "evSlopeDist=0", "evTargetHeight=1.500"}));
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2200", "C", "", "1000", "2000", "3000", "1234530", "", "7"})),
              (Events{"evTarget=C", "evPointX=1.000", "evPointY=2.000", "evPointH=3.000",
                      "evHorAngle=123.45.30", "evSlopeDist=0.007"}));
    EXPECT_EQ(
        Read<CImp4TA5>(Rec({"2302", "D", "", "10000", "-500", "1234530", "0900000", "", "1500"})),
        (Events{"evTarget=D", "evHorDist=10.000", "evHeightDiff=-0.500", "evHorAngle=123.45.30",
                "evInstrument=H", "evVertAngle=090.00.00", "evTargetHeight=1.500"}));
    EXPECT_EQ(Read<CImp4TA5>(Rec({"2900", "E", "CODE", "1234530"})),
              (Events{"evTarget=E", "evCode=CODE"}));
}

TEST(Ta5Records, AngleUnitCodesOfBothInstruments) {
    const double dms = 123 + 45 / 60.0 + 30 / 3600.0;
    // Code, 4TA5 or 3TA5, the angle text and its degrees. 3TA5: 0 grads, 1 degrees-minutes-
    // seconds, 2 decimal degrees; 4TA5: 0 degrees-minutes-seconds, 1 decimal degrees, 2 grads.
    const std::tuple<const char*, bool, const char*, double> rows[] = {
        {"200", false, "123.4530", 123.453 * 0.9}, {"201", false, "123.45.30", dms},
        {"202", false, "123.4530", 123.453},       {"200", true, "123.45.30", dms},
        {"201", true, "123.4530", 123.453},        {"202", true, "123.4530", 123.453 * 0.9}};
    for (auto [code, four, text, degrees] : rows) {
        SCOPED_TRACE(std::string(code) + (four ? " 4TA5" : " 3TA5"));
        ReaderHarness h;
        if (four)
            h.Run<CImp4TA5>({h.Write("a.txt", Rec({code, "P", "", "1234530"}))});
        else
            h.Run<CImp3TA5>({h.Write("a.txt", Rec({code, "P", "", "", "1234530"}))});
        const Events e = h.Stream();
        EXPECT_NE(std::find(e.begin(), e.end(), std::string("evHorAngle=") + text), e.end());
        EXPECT_NEAR(h.project.data().stations.at(0).observations.at(0).hz.value_or(0) / kDeg,
                    degrees, 1e-9);
    }
}

TEST(Ta5Lines, BlankCodeFieldStopsTheFileAndNothingAcceptedIsReported) {
    ReaderHarness h;
    h.Run<CImp3TA5>(
        {h.Write("a.txt", Rec({"2010", "P1"}) + Rec({"", "P2"}) + Rec({"2010", "P3"}))});
    EXPECT_EQ(h.Stream(), (Events{"evTarget=P1", "evSlopeDist=0"}));
    EXPECT_FALSE(h.ProtocolContains("mismatches"));
    // A file with nothing accepted is reported, also when its data end at once; the values of a
    // record 22 do not count.
    for (const std::string& text :
         {"\n\r\n" + Rec({"5000", "X"}) + "\n", Rec({"2210", "", "", "12.3"}), Rec({"", "P2"})}) {
        ReaderHarness none;
        none.Run<CImp3TA5>({none.Write("a.txt", text)});
        EXPECT_TRUE(none.ProtocolContains("mismatches required data format")) << text;
    }
}

TEST(Ta5Lines, LongLinesAreCutAtTheRecordLength) {
    // 90 characters: a record of 84 and one made of the last 6 ("2010P9" has the code "2010P9").
    std::string line =
        Rec({"2010", "P1", "", "1000"}).substr(0, 48) + std::string(36, ' ') + "2010P9";
    ASSERT_EQ(line.size(), 90u);
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write("a.txt", "\n\r\n" + line + "\n" + Rec({"2010", "P2"}))});
    EXPECT_EQ(h.Stream(2, false), (Events{"evTarget=P1", "evSlopeDist=1.000", "evSlopeDist=0",
                                          "evTarget=P2", "evSlopeDist=0"}));
    // Empty lines count but make no record; the cut piece is a line of its own.
    std::vector<long> lines;
    for (const auto& e : h.events)
        if (e.pass == 2)
            lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<long>{3, 3, 4, 5, 5}));
    // A full-length 4TA5 line followed by its line feed is one line.
    ReaderHarness h4;
    const std::string full = Rec({"2100", "P1", "", "", "", "1000", "", "", "1"});
    ASSERT_EQ(full.size(), 110u);
    h4.Run<CImp4TA5>({h4.Write("b.txt", full + Rec({"2100", "P2"}))});
    const auto p2 = std::find_if(h4.events.begin(), h4.events.end(),
                                 [](const auto& e) { return e.pass == 2 && e.value == "P2"; });
    ASSERT_NE(p2, h4.events.end());
    EXPECT_EQ(p2->line, 2);
}

TEST(Ta5Backsight, UnmeasuredBacksightSettlesAtTheNextHeaderAndTheEndInItsOwnUnit) {
    // Headers in degrees-minutes-seconds and then grads, each followed by a record in the other.
    ReaderHarness h;
    h.Run<CImp3TA5>({h.Write("a.txt", kHeader + Rec({"2000", "P1"}) +
                                          Rec({"0000", "ST2", "", "", "ST1", "0450000"}) +
                                          Rec({"2010", "P2"}))});
    EXPECT_EQ(
        h.Stream(),
        With(kHeaderEvents, {"evTarget=P1", "evSlopeDist=0", "evTarget=B1", "evHorAngle=123.45.30",
                             "evStation=ST2", "evBacksight=ST1", "evDirectionName=ST2\\ST1",
                             "evDirectionAngle=045.0000", "evTarget=P2", "evSlopeDist=0",
                             "evTarget=ST1", "evHorAngle=045.0000"}));
    // At the end of the file the pending backsight joins the last record.
    std::map<std::string, long> record_of;
    for (const auto& e : h.Of(evTarget)) record_of[e.value] = e.record;
    EXPECT_EQ(record_of["ST1"], record_of["P2"]);
    const auto& stations = h.project.data().stations;
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_EQ(testing_support::Readings(stations[0]), (Events{"sd=0", "hz=123.7583333"}));
    EXPECT_EQ(testing_support::Readings(stations[1]), (Events{"sd=0", "hz=40.5"}));
}

namespace {

template <class Reader>
std::string Date(const char* text, const char* format = "%Y-%m-%d s%S") {
    ReaderHarness h;
    Reader reader(&h.project, &h.dlg, &h.dlg.ImportInfo());
    return testing_support::DateOf(reader, text, format);
}

}  // namespace

TEST(Ta5Date, TwoDigitYearsGetTheirCenturyAndBadPartsComeFromToday) {
    const std::time_t now = std::time(nullptr);
    const std::vector<std::pair<std::string, std::string>> rows = {
        {Date<CImp3TA5>("010203"), "2003-02-01 s00"},
        {Date<CImp3TA5>("311299"), "1999-12-31 s00"},
        {Date<CImp3TA5>("150679"), "2079-06-15 s00"},
        {Date<CImp3TA5>("150680"), "1980-06-15 s00"},
        {Date<CImp3TA5>(" 10203"), "2003-02-01 s00"},  // padded with "0" in front
        {Date<CImp3TA5>(nullptr), "none"},
        {Date<CImp2TA5>("010279"), "2079-02-01 s00"},
        // Out-of-range parts are today's.
        {Date<CImp3TA5>("011399", "%m"), testing_support::LocalTimeText(now, "%m")},
        {Date<CImp3TA5>("0102xy", "%Y"), testing_support::LocalTimeText(now, "%Y")},
    };
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].first, rows[i].second) << "row " << i;
}
