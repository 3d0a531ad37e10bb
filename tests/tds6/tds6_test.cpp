#include "readers/tds6/tds6_reader.h"
#include "support/event_cases.h"

using namespace testing_support;

TEST(Tds6Words, CuttingTheStream) {
    const std::vector<EventCase> cases = {
        {"'ST1 _)1.550_( TREE _*WALL_,1.3_",
         {"evStation=ST1", "evInstrumentHeight=1.550", "evCode=TREE", "evCode=WALL",
          "evTargetHeight=1.3"}},
        // Heights without a value are zero.
        {")_,_", {"evInstrumentHeight=0", "evTargetHeight=0"}},
        // The last word needs no separator; line ends are no part of any word.
        {"'ST1_\r\n'S\r\nT2", {"evStation=ST1", "evStation=ST2"}},
        // An end of transmission directly after a separator ends the data.
        {"'ST1_\x04'ST2_'ST3_", {"evStation=ST1"}},
        // Inside a word it ends that word; the next end of the data drops a partial word.
        {"'ST1\x04'ST2_'ST3", {"evStation=ST1", "evStation=ST2"}},
        {"'ST1\x04'ST2_'ST3_", {"evStation=ST1", "evStation=ST2", "evStation=ST3"}},
        // Start of text, and end of text with the four check characters before it, or fewer.
        {"\x02'ST1_)1.5ABCD\x03_\x02,1.2_",
         {"evStation=ST1", "evInstrumentHeight=1.5", "evTargetHeight=1.2"}},
        {"ab\x03'ST9_", {"evStation=ST9"}},
        // Apostrophes keep only the corrected text; nothing after the last one, no push.
        {"(OLD'NEW_*A'B'C_'S'T_", {"evCode=NEW", "evCode=C", "evStation=T"}},
        {"*ABC'_", {}, {}, true},
        // 1023 characters make a word; the rest of the run is the next one.
        {"'" + std::string(1022, 'A') + "'B_",
         {"evStation=" + std::string(1022, 'A'), "evStation=B"}},
        // Unknown types push nothing, and the file is reported.
        {"#abc_-1_ q123_+P1 #123_", {}, {"mismatches required data format"}, true},
    };
    CheckEvents<CImpTDS6>("job.txt", cases);
}

TEST(Tds6Measurements, Selectors) {
    const std::vector<EventCase> cases = {
        // Coordinates: nine-character fields with three decimals, eleven with four.
        {"+P7 U001000000002000000000300000M_+P8 x12345678901_ y12345678901_ z00001005000_"
         "+P9 /000010000000000200000000003000000F_",
         {"evPointName=P7", "evPointX=001000.000", "evPointY=002000.000", "evPointH=000300.000",
          "evPointName=P8", "evPointX=1234567.8901", "evPointY=1234567.8901",
          "evPointH=0000100.5000", "evPointName=P9", "evPointX=0000100.0000",
          "evPointY=0000200.0000", "evPointH=0000300.0000"}},
        {"+P1 ?001234567M0901234+1801020D000000000_",
         {"evTarget=P1", "evSlopeDist=001234.567", "evVertAngle=090.12.34.0",
          "evHorAngle=+180.10.20.0"}},
        {"+P2 R000050000M0450000-0100000D_",
         {"evTarget=P2", "evHorDist=000050.000", "evVertAngle=045.00.00.0",
          "evHorAngle=-010.00.00.0"}},
        {"+P3 <0901234+1801020xxxxxD_",
         {"evTarget=P3", "evVertAngle=090.12.34.0", "evHorAngle=+180.10.20.0"}},
        {"+P1 D000010000_+P1 A000009000_+P1 E-00001000_",
         {"evTarget=P1", "evSlopeDist=000010.000", "evTarget=P1", "evHorDist=000009.000",
          "evTarget=P1", "evHeightDiff=-00001.000"}},
        // Long forms.
        {"+P1 (0000100000M09012340+18010200D0000090000_",
         {"evTarget=P1", "evSlopeDist=000010.0000", "evVertAngle=090.12.34.0",
          "evHorAngle=+180.10.20.0", "evHorDist=000009.0000"}},
        {"+P2 *0000090000M09000000+00000000D-000001000_",
         {"evTarget=P2", "evHorDist=000009.0000", "evVertAngle=090.00.00.0",
          "evHorAngle=+000.00.00.0", "evHeightDiff=-00000.1000"}},
        {"+P3 '09000000+12345300abcdefD_+P4 \\09000000+12345300abcdefD_",
         {"evTarget=P3", "evVertAngle=090.00.00.0", "evHorAngle=+123.45.30.0", "evTarget=P4",
          "evVertAngle=090.00.00.0", "evHorAngle=+123.45.30.0"}},
        // Coordinates with the measurement; the angles as they are.
        {"+P5 W0000100000M090.0000+180.0000000010000000000200000000003000000_",
         {"evTarget=P5", "evSlopeDist=000010.0000", "evVertAngle=090.0000", "evHorAngle=+180.0000",
          "evPointX=0000100.0000", "evPointY=0000200.0000", "evPointH=0000300.0000"}},
        // A corrected field is replaced by the wider one; a signed one keeps width and sign.
        {"+P1 D111111111'222222222_", {"evTarget=P1", "evSlopeDist=222222.222"}},
        {"+P1 E-00001000'00002000_", {"evTarget=P1", "evHeightDiff=-00002.000"}},
        // A name that fills its word takes the next word as its data.
        {"+P1_ D000010000_'S2_", {"evTarget=P1", "evSlopeDist=000010.000", "evStation=S2"}},
        // That word must start with a blank: its first character is dropped after a message.
        {"'S1_+P1_D000010000_+P2_XD000020000_",
         {"evStation=S1", "evTarget=P2", "evSlopeDist=000020.000"},
         {"P1", "P2"}},
        // A name at the end of the data is reported.
        {"'S1_+P1_", {"evStation=S1"}, {"P1"}},
        // The file is named as holding nothing when the last push of its words failed.
        {"+P1 D1x3456789_", {"evTarget=P1"}, {"mismatches required data format"}},
        // Empty fields are completed by their rules like any other.
        {"+P2 <_+P1 D_",
         {"evTarget=P2", "evVertAngle=000.00.00.0", "evHorAngle=000.00.00.0", "evTarget=P1",
          "evSlopeDist=."},
         {},
         true},
        // Messages count words.
        {"'S1_,1.5_+P1 D1x3456789_",
         {"evStation=S1", "evTargetHeight=1.5", "evTarget=P1"},
         {"string  3"}},
    };
    CheckEvents<CImpTDS6>("job.txt", cases);
}

TEST(Tds6Measurements, UnitLetterQualifiesTheValues) {
    ReaderHarness h;
    h.Run<CImpTDS6>({h.Write("a.txt",
                             "+P1 U000010000000020000000030000F_+P2 D000010000_+P3 "
                             "?001234567M1001234+1801020G_")});
    const auto* p1 = h.project.FindPoint("P1");
    ASSERT_NE(p1, nullptr);
    EXPECT_NEAR(static_cast<double>(p1->x), 10 * 0.3048, 1e-9);
    EXPECT_NEAR(static_cast<double>(p1->h), 30 * 0.3048, 1e-9);
    // The unit holds for the words that follow.
    // Angles in gons keep three whole digits: 100.1234 and 180.102 gon.
    EXPECT_EQ(h.Stream().back(), "evHorAngle=180.10200");
    EXPECT_EQ(Readings(h.project.data().stations.at(0)),
              (Events{"sd=3.048", "sd=1234.567 hz=162.0918 v=90.11106"}));
}
