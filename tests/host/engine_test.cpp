// The engine builds the project from pushed events; tested with a scripted reader.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

#include "import/contracts/vrk.h"
#include "support/readings.h"
#include "support/time_text.h"

namespace {

using Record = std::vector<std::pair<EventID, std::string>>;

// Pushes the given records, one per ReadEvents call, in metres and degrees-minutes-seconds.
class ScriptReader : public vrk::CImport {
  public:
    ScriptReader(vrk::CVrkObject* p, vrk::CImportInfo* info, std::vector<Record> records)
        : vrk::CImport(p, info), m_records(std::move(records)) {}
    int Open(const std::string& path) override {
        m_next = 0;
        return path != "unreadable";
    }
    int ReadEvents() override {
        if (m_next >= m_records.size())
            return 0;
        ClearEventList();
        if (before_record)
            before_record(*this, m_next);
        for (const auto& [id, v] : m_records[m_next]) results.push_back(Push(id, v));
        ++m_next;
        return 1;
    }
    int GetLinear(const char* text, zut::CLinear* value) override {
        m_LocUnits.SetDistUnit(m_DistUnit);
        int rc = value->read(text);
        m_LocUnits.RestoreUnits();
        return rc == 0;
    }
    std::vector<int> results;
    // Called before each record is pushed, with its index.
    std::function<void(vrk::CImport&, size_t)> before_record;

  private:
    std::vector<Record> m_records;
    size_t m_next = 0;
};

struct Import {
    vrk::CVrkObject project;
    vrk::CImportInfo info;
    std::function<void(vrk::CImport&, size_t)> before_record;

    void Run(std::vector<Record> records) {
        ScriptReader r(&project, &info, std::move(records));
        r.before_record = before_record;
        ASSERT_TRUE(r.InitImport());
        r.PrepareOneFile("a");
        r.LoadOneFile("a");
        r.CloseImport();
    }
    const vrk::CStation& station(size_t i) { return project.data().stations.at(i); }
};

// Each observation of a station as "target code face v_kind".
std::vector<std::string> Targets(const vrk::CStation& s) {
    std::vector<std::string> out;
    for (const auto& o : s.observations)
        out.push_back(o.target + " " + o.code + " " + o.face + " " + o.v_kind);
    return out;
}

}  // namespace

TEST(EngineBuild, StationObservationsAndTargetCoordinates) {
    Import im;
    im.Run({{{evStation, "S1"}, {evInstrumentHeight, "1.5"}, {evPointX, "100"}, {evPointY, "200"}},
            {{evTarget, "T1"},
             {evTargetHeight, "1.6"},
             {evHorAngle, "90.3000"},
             {evSlopeDist, "12.5"}},
            {{evPointX, "110"}},  // a later record still belongs to T1
            {{evOrientationStart, ""}, {evTarget, "R1"}}});
    ASSERT_EQ(im.project.data().stations.size(), 1u);
    const auto& s = im.station(0);
    EXPECT_EQ(std::tuple(s.name, s.instrument_height.value_or(0), s.x.value_or(0)),
              std::tuple("S1", 1.5, 100.0));
    ASSERT_EQ(s.observations.size(), 2u);
    EXPECT_EQ(testing_support::Readings(s),
              (std::vector<std::string>{"th=1.6 sd=12.5 hz=90.5", ""}));
    EXPECT_TRUE(!s.observations[0].orientation && s.observations[1].orientation);
    ASSERT_NE(im.project.FindPoint("T1"), nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(im.project.FindPoint("T1")->x), 110);
    EXPECT_DOUBLE_EQ(static_cast<double>(im.project.FindPoint("S1")->y), 200);
}

TEST(EngineBuild, ClassesMakeControlPointsAndNamesMerge) {
    Import im;
    im.Run({{{evPointName, "A"}, {evPointX, "1"}, {evPlanClass, "Base"}},
            {{evPointName, "B"}, {evPointX, "2"}, {evHeightClass, "P"}},
            {{evPointName, "A"}, {evPointH, "5"}}});
    EXPECT_EQ(im.project.GetActiveCPList().GetCount(), 1u);
    EXPECT_EQ(im.project.GetActiveTPList().GetCount(), 1u);
    const vrk::CVrkPoint* a = im.project.FindPoint("A");
    ASSERT_NE(a, nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(a->x), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(a->h), 5);
}

TEST(EnginePush, AcceptanceAndConversion) {
    vrk::CVrkObject project;
    vrk::CImportInfo info;
    ScriptReader r(&project, &info,
                   {{{evTarget, "T"},
                     {evSlopeDist, ""},
                     {evSlopeDist, "abc"},
                     {evOrientationStart, ""},
                     {static_cast<EventID>(16), "x"},
                     {evTemperature, "20"},
                     {evPpm, "12.5"},
                     {evHorDist, "   "},
                     {evCode, "  "},
                     {evCode, ""}}});
    r.InitImport();
    r.PrepareOneFile("a");
    // Blank numbers are not given; a blank text is still a text, an empty one is not.
    EXPECT_EQ(r.results, (std::vector<int>{1, 0, 0, 1, 0, 1, 1, 0, 1, 0}));
}

// The events command watches one pass and needs no project.
TEST(EnginePush, AWatcherOfEventsAloneSeesItsPassAndNothingIsBuilt) {
    vrk::CVrkObject project;
    vrk::CImportInfo info;
    ScriptReader r(&project, &info, {{{evStation, "S"}, {evTarget, "T"}, {evSlopeDist, "x"}}});
    std::vector<std::string> seen;
    r.Watch({[&](const vrk::PushInfo& e) {
                 seen.push_back(std::to_string(e.pass) + std::string(e.value) +
                                (e.accepted ? "" : "!"));
             },
             2, true});
    r.InitImport();
    r.PrepareOneFile("a");
    r.LoadOneFile("a");
    EXPECT_EQ(seen, (std::vector<std::string>{"2S", "2T", "2x!"}));
    EXPECT_TRUE(project.data().stations.empty());
}

TEST(EnginePush, UnitsChangingBetweenPushesApplyToTheValuesThatFollow) {
    Import im;
    im.before_record = [](vrk::CImport& r, size_t record) {
        r.m_DistUnit = record == 2 ? zut::du_foot : zut::du_metre;
        r.m_AngleUnit = record == 2 ? zut::au_gon : zut::au_dms;
    };
    im.Run({{{evStation, "S"}},
            {{evTarget, "A"}, {evHorAngle, "90.3000"}, {evSlopeDist, "100"}},
            {{evTarget, "B"}, {evHorAngle, "100"}, {evSlopeDist, "100"}, {evHeightDiffAux, "10"}}});
    EXPECT_EQ(testing_support::Readings(im.station(0)),
              (std::vector<std::string>{"sd=100 hz=90.5", "sd=30.48 dh2=3.048 hz=90"}));
    // The process-wide units are left alone.
    EXPECT_EQ(std::pair(zut::CLinear::unit(), zut::CAngular::unit()),
              std::pair(zut::du_metre, zut::au_dms));
}

TEST(EngineOptions, DeleteZerosAndForceCode) {
    Import im;
    im.info.flags = vrk::kFlagDeleteZeros | vrk::kFlagForceCode;
    im.Run({{{evStation, "0012"}},
            {{evTarget, "0003"}, {evCode, "TREE"}},
            {{evTarget, "A01"}},
            {{evTarget, "000"}, {evCode, "WALL"}},
            {{evTarget, "5"}}});
    EXPECT_EQ(im.station(0).name, "12");
    // A code holds for the targets that follow.
    EXPECT_EQ(Targets(im.station(0)),
              (std::vector<std::string>{"3 TREE  ", "A01 TREE  ", "0 WALL  ", "5 WALL  "}));
}

TEST(EngineLayer, EraseTakesBackExactlyWhatTheFileDid) {
    vrk::CVrkObject project;
    vrk::CImportInfo info;
    ScriptReader first(&project, &info,
                       {{{evStation, "S1"}, {evTarget, "P"}, {evHorAngle, "1"}},
                        {{evPointName, "P"}, {evPointX, "1"}, {evCode, "OLD"}}});
    first.InitImport();
    first.LoadOneFile("a");
    const std::string before = project.ToJson();
    // The second file adds a station and a point and changes a point of the first.
    struct Eraser : ScriptReader {
        using ScriptReader::ScriptReader;
        int ReadEvents() override {
            int r = ScriptReader::ReadEvents();
            if (!r)
                EraseImpLayer();
            return r;
        }
    } second(&project, &info,
             {{{evStation, "S2"}, {evTarget, "Q"}, {evHorAngle, "2"}},
              {{evPointName, "P"}, {evPointX, "5"}, {evCode, "NEW"}, {evPlanClass, "Base"}},
              {{evPointName, "Q"}, {evPointX, "7"}},
              {{evStation, "P"}, {evCode, "NEWER"}}});
    second.InitImport();
    second.LoadOneFile("b");
    EXPECT_EQ(project.ToJson(), before);
    EXPECT_EQ(project.FindPoint("Q"), nullptr);
    // A later file builds on the project as it was.
    ScriptReader third(&project, &info, {{{evPointName, "P"}, {evPointY, "2"}}});
    third.InitImport();
    third.LoadOneFile("c");
    ASSERT_NE(project.FindPoint("P"), nullptr);
    EXPECT_EQ(static_cast<double>(project.FindPoint("P")->y), 2.0);
    EXPECT_EQ(project.data().points.size(), 1u);
}

TEST(EngineLayer, UnreadableFileThrowsForTheReaderBase) {
    vrk::CVrkObject project;
    vrk::CImportInfo info;
    ScriptReader r(&project, &info, {});
    r.InitImport();
    EXPECT_THROW(r.LoadOneFile("unreadable"), vrk::FileError);
}

TEST(EngineLog, IdenticalEntriesOncePerRun) {
    vrk::CVrkLog log;
    log.Open(1);
    for (const char* text : {"x", "x", "y"}) log.Write(text, 0, 2);
    log.Close();
    log.Open(1);
    log.Write("x", 0, 2);
    EXPECT_EQ(log.Entries().size(), 3u);
}

TEST(EngineBuild, TargetHeightAtTheStationHoldsForItsTargets) {
    Import im;
    im.Run({{{evStation, "S1"}, {evTargetHeight, "1.7"}},
            {{evTarget, "A"}},
            {{evTarget, "B"}, {evTargetHeight, "2.0"}},
            {{evStation, "S2"}},
            {{evTarget, "C"}}});
    using testing_support::Readings;
    EXPECT_EQ(Readings(im.station(0)), (std::vector<std::string>{"th=1.7", "th=2"}));
    EXPECT_EQ(Readings(im.station(1)), std::vector<std::string>{""});
}

TEST(EngineBuild, LineEndsStayOutOfNamesAndCodes) {
    Import im;
    im.Run({{{evStation, "S1\n"}, {evCode, "WALL\r\n"}},
            {{evTarget, "T\n"}, {evCircleFace, "Left\n"}}});
    EXPECT_EQ(im.station(0).name + " " + im.station(0).code, "S1 WALL");
    EXPECT_EQ(Targets(im.station(0)), std::vector<std::string>{"T  Left "});
}

TEST(EngineBuild, DatesHoldForTheStationsThatFollow) {
    Import im;
    im.Run({{{evDate, "2020-01-02"}, {evStation, "A"}},
            {{evStation, "B"}, {evDate, "2021-03-04"}},
            {{evTarget, "T"}, {evDate, "2022-05-06"}},
            {{evStation, "C"}}});
    auto year = [&](size_t i) { return testing_support::LocalTimeText(*im.station(i).date, "%Y"); };
    EXPECT_EQ(im.project.data().stations.size(), 3u);  // no station of its own for a date
    EXPECT_EQ(year(0) + " " + year(1) + " " + year(2), "2020 2021 2022");
}

TEST(EngineBuild, InstrumentKindQualifiesTheCurrentTarget) {
    Import im;
    im.Run({{{evStation, "S"}},
            {{evTarget, "A"}, {evInstrument, "Z"}, {evVertAngle, "90.0000"}},
            {{evTarget, "B"}, {evInstrument, "H"}, {evVertAngle, "1.0000"}},
            {{evTarget, "C"}}});
    EXPECT_EQ(Targets(im.station(0)), (std::vector<std::string>{"A   Z", "B   H", "C   H"}));
}

TEST(EngineValues, AMissingNumberIsNoNumberThatCanBeRead) {
    vrk::OptDouble none, nan = std::nan(""), zero = 0.0, half = std::optional<double>(0.5);
    EXPECT_FALSE(none.has_value());
    EXPECT_TRUE(nan.has_value() && zero.has_value());
    EXPECT_EQ(std::optional<double>(none), std::nullopt);
    EXPECT_EQ(none.value_or(2), 2);
    EXPECT_EQ(half, 0.5);
    EXPECT_FALSE(half == none || none == zero);
    zero.reset();
    EXPECT_EQ(zero, none);
}
