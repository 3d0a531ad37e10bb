#include <cmath>
#include <numbers>

#include "readers/tds6_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;
using Events = std::vector<std::string>;

namespace {

Events Read(const std::string& text) {
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("job.txt", text)});
    return h.Stream();
}

double Gons(double radians) {
    return radians * 200 / std::numbers::pi;
}

}  // namespace

TEST(Tds6Words, StationHeightsAndCodes) {
    EXPECT_EQ(Read("'ST1 _)1.550_( TREE _*WALL_,1.3_"),
              (Events{"evStation=ST1", "evInstrumentHeight=1.550", "evCode=TREE", "evCode=WALL",
                      "evTargetHeight=1.3"}));
    // Heights without a value are zero.
    EXPECT_EQ(Read(")_,_"), (Events{"evInstrumentHeight=0", "evTargetHeight=0"}));
}

TEST(Tds6Words, LastWordWithoutSeparator) {
    EXPECT_EQ(Read("'ST1_'ST2"), (Events{"evStation=ST1", "evStation=ST2"}));
    // Line ends inside the stream are no part of any word.
    EXPECT_EQ(Read("'ST1_\r\n'S\r\nT2_\r\n"), (Events{"evStation=ST1", "evStation=ST2"}));
}

TEST(Tds6Words, EndOfTransmission) {
    // Directly after a separator it ends the data, whatever follows.
    EXPECT_EQ(Read("'ST1_\x04'ST2_'ST3_"), (Events{"evStation=ST1"}));
    // Inside a word it ends that word; the next end of the data drops a partial word.
    EXPECT_EQ(Read("'ST1\x04'ST2_'ST3"), (Events{"evStation=ST1", "evStation=ST2"}));
    EXPECT_EQ(Read("'ST1\x04'ST2_'ST3_"),
              (Events{"evStation=ST1", "evStation=ST2", "evStation=ST3"}));
}

TEST(Tds6Words, FramingCharactersAreRemoved) {
    // Start of text, and end of text with the four check characters before it.
    EXPECT_EQ(Read(std::string("\x02'ST1_)1.5ABCD\x03_\x02,1.2_")),
              (Events{"evStation=ST1", "evInstrumentHeight=1.5", "evTargetHeight=1.2"}));
    // Fewer than four characters before the end of text.
    EXPECT_EQ(Read(std::string("ab\x03'ST9_")), (Events{"evStation=ST9"}));
}

TEST(Tds6Words, ApostrophesKeepOnlyTheCorrectedText) {
    EXPECT_EQ(Read("(OLD'NEW_*A'B'C_'S'T_"), (Events{"evCode=NEW", "evCode=C", "evStation=T"}));
    // Nothing after the last apostrophe: nothing is pushed.
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("a.txt", "*ABC'_")});
    EXPECT_TRUE(h.Stream(2, false).empty());
}

TEST(Tds6Words, UnknownTypesPushNothingAndSilentFilesAreReported) {
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("a.txt", "#abc_-1_ q123_+P1 #123_")});
    EXPECT_TRUE(h.Stream(2, false).empty());
    EXPECT_TRUE(h.ProtocolContains("mismatches required data format"));
    EXPECT_FALSE(h.ProtocolContains("Not blank"));
}

TEST(Tds6Points, CoordinateWords) {
    // Nine-character fields with three decimals, eleven-character ones with four.
    EXPECT_EQ(Read("+P7 U" + std::string("001000000") + "002000000" + "000300000" + "M_" +
                   "+P8 x12345678901_ y12345678901_ z00001005000_" + "+P9 /" + "00001000000" +
                   "00002000000" + "00003000000" + "F_"),
              (Events{"evPointName=P7", "evPointX=001000.000", "evPointY=002000.000",
                      "evPointH=000300.000", "evPointName=P8", "evPointX=1234567.8901",
                      "evPointY=1234567.8901", "evPointH=0000100.5000", "evPointName=P9",
                      "evPointX=0000100.0000", "evPointY=0000200.0000", "evPointH=0000300.0000"}));
}

TEST(Tds6Points, UnitLetterQualifiesTheValuesBeforeIt) {
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("a.txt", "+P1 U" + std::string("000010000") + "000020000" +
                                          "000030000" + "F_" + "+P2 D000010000_")});
    const auto* p1 = h.project.FindPoint("P1");
    ASSERT_NE(p1, nullptr);
    EXPECT_NEAR(static_cast<double>(p1->x), 10 * 0.3048, 1e-9);
    EXPECT_NEAR(static_cast<double>(p1->h), 30 * 0.3048, 1e-9);
    // The unit holds for the words that follow.
    const auto& stations = h.project.data().stations;
    ASSERT_EQ(stations.size(), 1u);
    ASSERT_EQ(stations[0].observations.size(), 1u);
    EXPECT_NEAR(*stations[0].observations[0].sd, 10 * 0.3048, 1e-9);
}

TEST(Tds6Measurements, SlopeDistanceAndAnglesInDegrees) {
    EXPECT_EQ(Read("+P1 ?001234567M0901234+1801020D000000000_"),
              (Events{"evTarget=P1", "evSlopeDist=001234.567", "evVertAngle=090.12.34.0",
                      "evHorAngle=+180.10.20.0"}));
    EXPECT_EQ(Read("+P2 R000050000M0450000-0100000D_"),
              (Events{"evTarget=P2", "evHorDist=000050.000", "evVertAngle=045.00.00.0",
                      "evHorAngle=-010.00.00.0"}));
    EXPECT_EQ(Read("+P3 <0901234+1801020xxxxxD_"),
              (Events{"evTarget=P3", "evVertAngle=090.12.34.0", "evHorAngle=+180.10.20.0"}));
}

TEST(Tds6Measurements, AnglesInGonsKeepThreeWholeDigits) {
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("a.txt", "+P1 ?001234567M1001234+1801020G_")});
    EXPECT_EQ(h.Stream(), (Events{"evTarget=P1", "evSlopeDist=001234.567", "evVertAngle=100.12340",
                                  "evHorAngle=180.10200"}));
    const auto& obs = h.project.data().stations.at(0).observations.at(0);
    EXPECT_NEAR(Gons(*obs.v), 100.1234, 1e-9);
    EXPECT_NEAR(Gons(*obs.hz), 180.102, 1e-9);
}

TEST(Tds6Measurements, SingleValueSelectors) {
    EXPECT_EQ(Read("+P1 D000010000_+P1 A000009000_+P1 E-00001000_"),
              (Events{"evTarget=P1", "evSlopeDist=000010.000", "evTarget=P1",
                      "evHorDist=000009.000", "evTarget=P1", "evHeightDiff=-00001.000"}));
}

TEST(Tds6Measurements, LongForms) {
    EXPECT_EQ(Read("+P1 (" + std::string("0000100000") + "M" + "09012340" + "+18010200" + "D" +
                   "0000090000_"),
              (Events{"evTarget=P1", "evSlopeDist=000010.0000", "evVertAngle=090.12.34.0",
                      "evHorAngle=+180.10.20.0", "evHorDist=000009.0000"}));
    EXPECT_EQ(Read("+P2 *" + std::string("0000090000") + "M" + "09000000" + "+00000000" + "D" +
                   "-000001000_"),
              (Events{"evTarget=P2", "evHorDist=000009.0000", "evVertAngle=090.00.00.0",
                      "evHorAngle=+000.00.00.0", "evHeightDiff=-00000.1000"}));
    EXPECT_EQ(Read("+P3 '09000000+12345300abcdefD_+P4 \\09000000+12345300abcdefD_"),
              (Events{"evTarget=P3", "evVertAngle=090.00.00.0", "evHorAngle=+123.45.30.0",
                      "evTarget=P4", "evVertAngle=090.00.00.0", "evHorAngle=+123.45.30.0"}));
    // Coordinates with the measurement; the angles as they are.
    EXPECT_EQ(Read("+P5 W" + std::string("0000100000") + "M" + "090.0000" + "+180.0000" +
                   "00001000000" + "00002000000" + "00003000000_"),
              (Events{"evTarget=P5", "evSlopeDist=000010.0000", "evVertAngle=090.0000",
                      "evHorAngle=+180.0000", "evPointX=0000100.0000", "evPointY=0000200.0000",
                      "evPointH=0000300.0000"}));
}

TEST(Tds6Measurements, CorrectedFieldIsReplacedByTheWiderOne) {
    EXPECT_EQ(Read("+P1 D111111111'222222222_"), (Events{"evTarget=P1", "evSlopeDist=222222.222"}));
    // A signed field keeps its width and its sign.
    EXPECT_EQ(Read("+P1 E-00001000'00002000_"), (Events{"evTarget=P1", "evHeightDiff=-00002.000"}));
}

TEST(Tds6Measurements, NameFillsTheWord) {
    // The data is the next word.
    EXPECT_EQ(Read("+P1_ D000010000_'S2_"),
              (Events{"evTarget=P1", "evSlopeDist=000010.000", "evStation=S2"}));
    // The next word must start with a blank: its first character is dropped after a message.
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("a.txt", "'S1_+P1_D000010000_+P2_XD000020000_")});
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1", "evTarget=P2", "evSlopeDist=000020.000"}));
    EXPECT_TRUE(h.ProtocolContains("P1"));
    EXPECT_TRUE(h.ProtocolContains("P2"));
}

TEST(Tds6Measurements, NameAtTheEndOfTheData) {
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("a.txt", "'S1_+P1_")});
    EXPECT_EQ(h.Stream(), (Events{"evStation=S1"}));
    bool reported = false;
    for (const auto& t : h.Protocol())
        if (t.find("P1") != std::string::npos && t.find("mismatches") == std::string::npos)
            reported = true;
    EXPECT_TRUE(reported) << ::testing::PrintToString(h.Protocol());
}

TEST(Tds6Measurements, MessagesCountWords) {
    ReaderHarness h;
    const std::string path = h.Write("a.txt", "'S1_,1.5_+P1 D1x3456789_");
    h.Run<CImpTDS6>({path});
    EXPECT_TRUE(h.ProtocolContains("string  3")) << ::testing::PrintToString(h.Protocol());
}
