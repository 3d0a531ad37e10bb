#include "readers/leica_reader.h"

#include <cmath>
#include <functional>
#include <numbers>

#include "support/reader_harness.h"

using testing_support::ReaderHarness;
using Events = std::vector<std::string>;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

struct Leica {
    ReaderHarness h;
    explicit Leica(const std::function<void(ImportSettings&)>& tune = nullptr) {
        if (tune)
            tune(h.dlg.settings);
    }
    Leica& Run(const std::string& text) {
        h.Run<CImpLEICA>({h.Write("job.gsi", text)});
        return *this;
    }
    Events Stream() const { return h.Stream(); }
    // Every push of pass 2, accepted or not.
    Events Pushed() const { return h.Stream(2, false); }
    int Count(const std::string& piece) const {
        int n = 0;
        for (const auto& t : h.Protocol()) n += t.find(piece) != std::string::npos;
        return n;
    }
};

Events Read(const std::string& text, const std::function<void(ImportSettings&)>& tune = nullptr) {
    Leica l(tune);
    return l.Run(text).Stream();
}

void Wide(ImportSettings& s) {
    s.Format16Digits = 1;
}

}  // namespace

TEST(LeicaPoints, PointWordIsATargetStationOrPoint) {
    EXPECT_EQ(Read("110001+0000P123 21.324+12345278 31..00+00012345\n"),
              (Events{"evTarget=P123", "evHorAngle=123 45 27.8", "evSlopeDist=00012.345"}));
    EXPECT_EQ(Read("110002+000000S1 84..00+00001000 85..00+00002000 86..00-00000300\n"),
              (Events{"evPointName=S1", "evStation=S1", "evPointY=00001.000", "evPointX=00002.000",
                      "evPointH=-00000.300"}));
    EXPECT_EQ(Read("110003+00000017 81..00+00001000 82..00+00002000 83..00+00000300\n"),
              (Events{"evPointName=17", "evPointY=00001.000", "evPointX=00002.000",
                      "evPointH=00000.300"}));
    // Whichever deciding word comes first wins; a point word alone is a plain point.
    EXPECT_EQ(Read("110004+000000S2 25.342+20904010 88..10+00001350 21.322+03496940\n"),
              (Events{"evPointName=S2", "evStation=S2", "evHorAngle=034.96940"}));
    EXPECT_EQ(Read("110005+000000P5\n"), (Events{"evPointName=P5"}));
}

TEST(LeicaPoints, EmptyOrPaddedNamesPushNothing) {
    EXPECT_EQ(Read("110001+00000000 31..00+00012345\n"), (Events{"evSlopeDist=00012.345"}));
    // A name word with a blank inside its 15 characters is one character short.
    EXPECT_EQ(Read("110001+0000P12  31..00+00012345\n"), (Events{"evSlopeDist=00012.345"}));
}

TEST(LeicaValues, MeasurementWordsInFileOrder) {
    EXPECT_EQ(Read("110001+00000007 22.322+09364360 21.322+03496940 33..00-00000588 "
                   "32..10+00030333 31..00+00030485\n"),
              (Events{"evTarget=7", "evVertAngle=093.64360", "evHorAngle=034.96940",
                      "evHeightDiff=-00000.588", "evHorDist=00030.333", "evSlopeDist=00030.485"}));
}

TEST(LeicaValues, UnitCodesReachTheEngine) {
    Leica l;
    l.Run(
        "110001+0000000A 21.322+10000000 22.323+04500000 31..01+00010000 32..06+00010000\n"
        "110002+0000000B 21.324+04530000 22.325+16000000 31..08+00010000\n");
    const auto& obs = l.h.project.data().stations.at(0).observations;
    ASSERT_EQ(obs.size(), 2u);
    EXPECT_NEAR(*obs[0].hz, 90 * kDeg, 1e-12);   // 100 gon
    EXPECT_NEAR(*obs[0].v, 45 * kDeg, 1e-12);    // decimal degrees
    EXPECT_NEAR(*obs[0].sd, 10 * 0.3048, 1e-9);  // feet
    EXPECT_NEAR(*obs[0].hd, 1.0, 1e-12);         // metres, 4 decimals
    EXPECT_NEAR(*obs[1].hz, 45.5 * kDeg, 1e-12);
    EXPECT_NEAR(*obs[1].v, 90 * kDeg, 1e-12);  // 1600 mil
    EXPECT_NEAR(*obs[1].sd, 0.1, 1e-12);       // metres, 5 decimals
}

TEST(LeicaValues, InformationBlockReplacements) {
    // "...2" on an angle means degrees-minutes-seconds.
    EXPECT_EQ(Read("110001+0000000A 21...2+12345278 22...2-09000000\n"),
              (Events{"evTarget=A", "evHorAngle=123 45 27.8", "evVertAngle=-090 00 00.0"}));
    // Other words keep it: the unit code 2 of a distance word places the point as for gon.
    EXPECT_EQ(Read("110001+0000000A 31...2+00012345\n"),
              (Events{"evTarget=A", "evSlopeDist=000.12345"}));
    // "...." on a target height means metres.
    EXPECT_EQ(Read("110001+0000000A 87....+00001500\n"),
              (Events{"evTarget=A", "evTargetHeight=00001.500"}));
}

TEST(LeicaValues, BadNumbersAreReportedWithFileAndLine) {
    Leica l;
    l.Run("110001+0000000A\n110001+0000000B 31..00+0001x345\n");
    EXPECT_EQ(l.Stream(), (Events{"evPointName=A", "evTarget=B"}));
    EXPECT_EQ(l.Count("Invalid symbol(s)  x.345  found in string  0001x.345"), 1);
    EXPECT_EQ(l.Count("string  2"), 1);
}

TEST(LeicaCodes, CodeWordsAreRawData) {
    EXPECT_EQ(Read("110001+0000000A 71....+0000MK27 72....-00000012 79....+0000000/ "
                   "71....+00000000\n"),
              (Events{"evPointName=A", "evCode=MK27", "evCode=-12", "evCode=/"}));
    // Word 70 and 80 are no code words.
    EXPECT_EQ(Read("110001+0000000A 70....+0000MK27 80....+0000MK27\n"), (Events{"evPointName=A"}));
}

TEST(LeicaCodeBlocks, DefaultBlocks) {
    // Block 1: station in word 42, instrument height in word 43.
    EXPECT_EQ(Read("410001+00000001 42....+0000ST01 43...0+00001550\n"),
              (Events{"evPointName=ST01", "evStation=ST01", "evInstrumentHeight=00001.550"}));
    // Block 3: target height in word 42; block 2: code in word 42.
    EXPECT_EQ(Read("410001+00000003 42...0+00001700 43...0+00009999\n"),
              (Events{"evTargetHeight=00001.700"}));
    EXPECT_EQ(Read("410001+00000002 42....+0000TREE 43....+0000BUSH\n"), (Events{"evCode=TREE"}));
    // The block holds on in the following lines.
    EXPECT_EQ(Read("410001+00000001\n42....+0000ST01\n42....+0000ST02\n"),
              (Events{"evPointName=ST01", "evStation=ST01", "evPointName=ST02", "evStation=ST02"}));
    // Words 42 to 49 before any word 41 mean nothing.
    EXPECT_EQ(Read("42....+0000ST01 43...0+00001550\n"), (Events{}));
}

TEST(LeicaCodeBlocks, BlockCodesAbove99AreCodes) {
    EXPECT_EQ(Read("410001+00000123 42....+0000ST01\n"), (Events{"evCode=123"}));
    EXPECT_EQ(Read("410001+00000099 42....+0000ST01\n"), (Events{}));
    EXPECT_EQ(Read("410001-00000100\n"), (Events{"evCode=-100"}));
}

TEST(LeicaCodeBlocks, BadBlockCodeKeepsTheOldOne) {
    Leica l;
    l.Run("410001+00000001\n410001+0000001A 42....+0000ST01\n");
    EXPECT_EQ(l.Stream(), (Events{"evPointName=ST01", "evStation=ST01"}));
    EXPECT_EQ(l.Count("Code false in word 41"), 1);
}

TEST(LeicaCodeBlocks, InstrumentHeightOnlyOnceTheBlockCodeIsStripped) {
    // Word 88 right after word 41 compares "00000001" with "1"; after word 42 the code is "1".
    EXPECT_EQ(Read("410001+00000001 88..10+00001550 42....+0000ST01 88..10+00001600\n"),
              (Events{"evPointName=ST01", "evStation=ST01", "evInstrumentHeight=00001.600"}));
    // In another block word 88 pushes nothing.
    EXPECT_EQ(Read("410001+00000002 42....+0000TREE 88..10+00001600\n"), (Events{"evCode=TREE"}));
    // Before any word 41 neither.
    EXPECT_EQ(Read("110001+000000S1 88..10+00001350\n"),
              (Events{"evPointName=S1", "evStation=S1"}));
}

TEST(LeicaCodeBlocks, UserBlockSettings) {
    auto tune = [](ImportSettings& s) {
        s.StationW41 = "st";
        s.Station412 = 45;
        s.HiW41 = "st";
        s.Hi412 = 46;
        s.HvW41 = "7";
        s.Hv412 = 44;
    };
    // Items follow the settings; items whose code no word 41 can hold stay silent.
    EXPECT_EQ(Read("410001+00000007 44...0+00001200 45....+0000ST01\n", tune),
              (Events{"evTargetHeight=00001.200"}));
    auto code3 = [](ImportSettings& s) { s.CodeW41 = "3"; };
    // With code block "3" every word of block 3 is a code, except where an earlier item matches.
    EXPECT_EQ(Read("410001+00000003 42...0+00001700 45....+0000TREE 49....+000OAK12\n", code3),
              (Events{"evTargetHeight=00001.700", "evCode=TREE", "evCode=OAK12"}));
}

TEST(LeicaHeights, UnitFromTheWordOrTheFile) {
    // No unit in the height word: the first distance word of the file gives feet.
    Leica feet;
    feet.Run("110001+0000000T 32..11+00010000 87..1.+00001500\n");
    const auto& o = feet.h.project.data().stations.at(0).observations.at(0);
    EXPECT_NEAR(*o.target_height, 1.5 * 0.3048, 1e-9);
    EXPECT_NEAR(*o.hd, 10 * 0.3048, 1e-9);
    // Nothing found: metres.
    Leica metres;
    metres.Run("110001+0000000T 87..1.+00001500\n");
    EXPECT_NEAR(*metres.h.project.data().stations.at(0).observations.at(0).target_height, 1.5,
                1e-12);
    // A unit in the word wins.
    Leica own;
    own.Run("110001+0000000T 32..11+00010000 87..16+00015000\n");
    EXPECT_NEAR(*own.h.project.data().stations.at(0).observations.at(0).target_height, 1.5, 1e-12);
}

TEST(LeicaHeights, HeightsAloneDoNotMakeAFileRead) {
    Leica l;
    l.Run("87..10+00001500\n");
    EXPECT_EQ(l.Stream(), (Events{"evTargetHeight=00001.500"}));
    EXPECT_EQ(l.Count("mismatches required data format"), 1);
}

TEST(LeicaWide, SixteenDigitFiles) {
    EXPECT_EQ(Read("*110001+000000000000P123 21.324+0000000012345278 "
                   "81..00+0000000515836123 83..00-0000000000003079\n",
                   Wide),
              (Events{"evTarget=P123", "evHorAngle=123 45 27.8", "evPointY=000515836.123",
                      "evPointH=-000000003.079"}));
    // The last word decides its own length, so one-word lines read either way.
    EXPECT_EQ(Read("*110001+000000000000P123\n"), (Events{"evPointName=P123"}));
}

TEST(LeicaWide, SixteenDigitFileReadAsEightDigit) {
    // Cut every 16 characters, the words lose their alignment: the point word keeps only
    // zeros, most pieces have no index, and the data of word 22 turns into a stray angle.
    Leica l;
    l.Run(
        "*110001+000000000000P123 21.324+0000000012345278 22.324+0000000009000000 "
        "31..00+0000000000012345\n");
    EXPECT_EQ(l.Stream(), (Events{"evVertAngle=000 00 00.0"}));
    EXPECT_EQ(l.Count("Code false 00"), 1);
    // Two such words give nothing at all.
    Leica two;
    two.Run("*110001+000000000000P123 21.324+0000000012345678\n");
    EXPECT_EQ(two.Stream(), (Events{}));
    EXPECT_EQ(two.Count("Code false 00"), 1);
    EXPECT_EQ(two.Count("mismatches required data format"), 1);
}

TEST(LeicaLines, MalformedWordsDropTheRestOfTheLine) {
    Leica l;
    l.Run("110001+0000000A 31..00+0001234\n110001+0000000B\n");
    EXPECT_EQ(l.Stream(), (Events{"evPointName=A", "evPointName=B"}));
    EXPECT_EQ(l.Count("Unknown LEICA format : 31..00+0001234"), 1);
    EXPECT_EQ(l.Count("string  1"), 1);
}

TEST(LeicaLines, BadIndicesAreNamedUnlessBlank) {
    Leica l;
    l.Run("ab0001+0000000A 110001+0000000B\n  0001+0000000C 110001+0000000D\n");
    EXPECT_EQ(l.Stream(), (Events{"evPointName=B", "evPointName=D"}));
    EXPECT_EQ(l.Count("Code false ab"), 1);
    EXPECT_EQ(l.Count("Code false"), 1);
}

TEST(LeicaLines, StarsBlankLinesAndLineEnds) {
    Leica l;
    l.Run("\r\n   \r\n**110001+0000000A  \t\r\n\n110001+0000000B");
    EXPECT_EQ(l.Stream(), (Events{"evPointName=A", "evPointName=B"}));
    // One record per non-empty line; the line counter counts every line.
    std::vector<std::pair<long, long>> where;
    for (const auto& e : l.h.events)
        if (e.pass == 2)
            where.emplace_back(e.record, e.line);
    EXPECT_EQ(where, (std::vector<std::pair<long, long>>{{2, 3}, {3, 5}}));
}

TEST(LeicaFiles, BlockCodeAndWordLengthCarryOverBetweenFiles) {
    ReaderHarness h;
    std::string a = h.Write("a.gsi", "410001+00000001\n");
    std::string b = h.Write("b.gsi", "42....+0000ST01\n");
    h.Run<CImpLEICA>({a, b});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=ST01", "evStation=ST01"}));
}

TEST(LeicaFiles, EmptyAndMissingFilesAreReported) {
    ReaderHarness h;
    std::string good = h.Write("good.gsi", "110001+0000000A\n");
    std::string empty = h.Write("empty.gsi", "");
    std::string missing = (h.dir / "missing.gsi").string();
    h.Run<CImpLEICA>({good, missing, empty});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=A"}));
    EXPECT_TRUE(h.ProtocolContains("missing.gsi"));
    EXPECT_TRUE(h.ProtocolContains("\"" + empty + "\"\nmismatches required data format"));
    EXPECT_FALSE(h.ProtocolContains("\"" + good + "\""));
}
