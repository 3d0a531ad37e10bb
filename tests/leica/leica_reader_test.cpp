#include "readers/leica/leica_reader.h"

#include "support/event_cases.h"

using namespace testing_support;

TEST(LeicaWords, PointsMeasurementsAndCodes) {
    const std::vector<EventCase> cases = {
        // Measurement words in file order.
        {"110001+0000P123 22.324+12345278 21.322+03496940 33..00-00000588 31..00+00012345\n",
         {"evTarget=P123", "evVertAngle=123 45 27.8", "evHorAngle=034.96940",
          "evHeightDiff=-00000.588", "evSlopeDist=00012.345"}},
        {"110002+000000S1 84..00+00001000 85..00+00002000 86..00-00000300\n",
         {"evPointName=S1", "evStation=S1", "evPointY=00001.000", "evPointX=00002.000",
          "evPointH=-00000.300"}},
        // Whichever deciding word comes first wins (word 88 outside a station block gives no
        // height); a point word alone is a plain point.
        {"110004+000000S2 25.342+20904010 88..10+00001350 21.322+03496940\n",
         {"evPointName=S2", "evStation=S2", "evHorAngle=034.96940"}},
        {"110005+000000P5\n", {"evPointName=P5"}},
        // Empty names, and names with a blank inside their 15 characters, push nothing.
        {"110001+00000000 31..00+00012345\n", {"evSlopeDist=00012.345"}},
        {"110001+0000P12  31..00+00012345\n", {"evSlopeDist=00012.345"}},
        // "...2" on an angle means degrees-minutes-seconds; a distance keeps unit code 2.
        {"110001+0000000A 21...2+12345278 22...2-09000000 31...2+00012345\n",
         {"evTarget=A", "evHorAngle=123 45 27.8", "evVertAngle=-090 00 00.0",
          "evSlopeDist=000.12345"}},
        // "...." on a target height means metres.
        {"110001+0000000A 87....+00001500\n", {"evTarget=A", "evTargetHeight=00001.500"}},
        // Codes are raw data; words 70 and 80 are no code words.
        {"110001+0000000A 71....+0000MK27 72....-00000012 79....+0000000/ 71....+00000000 "
         "70....+0000MK27 80....+0000MK27\n",
         {"evPointName=A", "evCode=MK27", "evCode=-12", "evCode=/"}},
        {"110001+0000000A\n110001+0000000B 31..00+0001x345\n",
         {"evPointName=A", "evTarget=B"},
         {"Invalid symbol(s)  x.345  found in string  0001x.345", "string  2"}},
        {"87..10+00001500\n", {"evTargetHeight=00001.500"}, {"mismatches required data format"}},
    };
    CheckEvents<CImpLEICA>("job.gsi", cases);
}

TEST(LeicaWords, CodeBlocks) {
    auto user = [](ImportSettings& s) {
        s.StationW41 = "st";
        s.Station412 = 45;
        s.HiW41 = "st";
        s.Hi412 = 46;
        s.HvW41 = "7";
        s.Hv412 = 44;
    };
    auto code3 = [](ImportSettings& s) { s.CodeW41 = "3"; };
    const std::vector<EventCase> cases = {
        // Default blocks: 1 station and instrument height, 2 code, 3 target height.
        {"410001+00000001 42....+0000ST01 43...0+00001550\n",
         {"evPointName=ST01", "evStation=ST01", "evInstrumentHeight=00001.550"}},
        {"410001+00000003 42...0+00001700 43...0+00009999\n", {"evTargetHeight=00001.700"}},
        {"410001+00000002 42....+0000TREE 43....+0000BUSH 88..10+00001600\n", {"evCode=TREE"}},
        // The block holds on in the following lines; words 42 to 49 before any word 41 say
        // nothing.
        {"410001+00000001\n42....+0000ST01\n42....+0000ST02\n",
         {"evPointName=ST01", "evStation=ST01", "evPointName=ST02", "evStation=ST02"}},
        {"42....+0000ST01 43...0+00001550\n", {}},
        // Block codes above 99 are codes.
        {"410001+00000123 42....+0000ST01\n", {"evCode=123"}},
        {"410001+00000099 42....+0000ST01\n", {}},
        {"410001-00000100\n", {"evCode=-100"}},
        {"410001+00000001\n410001+0000001A 42....+0000ST01\n",
         {"evPointName=ST01", "evStation=ST01"},
         {"Code false in word 41"}},
        // Word 88 right after word 41 compares "00000001" with "1"; after word 42 the code is
        // "1". In another block (above), or before any word 41, it pushes nothing.
        {"410001+00000001 88..10+00001550 42....+0000ST01 88..10+00001600\n",
         {"evPointName=ST01", "evStation=ST01", "evInstrumentHeight=00001.600"}},
        // User settings; items whose code no word 41 can hold stay silent.
        {"410001+00000007 44...0+00001200 45....+0000ST01\n",
         {"evTargetHeight=00001.200"},
         {},
         false,
         user},
        // With code block "3" every word of block 3 is a code, unless an earlier item matches.
        {"410001+00000003 42...0+00001700 45....+0000TREE 49....+000OAK12\n",
         {"evTargetHeight=00001.700", "evCode=TREE", "evCode=OAK12"},
         {},
         false,
         code3},
    };
    CheckEvents<CImpLEICA>("job.gsi", cases);
}

TEST(LeicaWords, SixteenDigitsAndBrokenLines) {
    const std::vector<EventCase> cases = {
        {"*110001+000000000000P123 21.324+0000000012345278 "
         "81..00+0000000515836123 83..00-0000000000003079\n",
         {"evTarget=P123", "evHorAngle=123 45 27.8", "evPointY=000515836.123",
          "evPointH=-000000003.079"},
         {},
         false,
         [](ImportSettings& s) { s.Format16Digits = 1; }},
        // The last word decides its own length, so one-word lines read either way.
        {"*110001+000000000000P123\n", {"evPointName=P123"}},
        // Cut every 16 characters, the words lose their alignment: the point word keeps only
        // zeros, most pieces have no index, and the data of word 22 turns into a stray angle.
        {"*110001+000000000000P123 21.324+0000000012345278 22.324+0000000009000000 "
         "31..00+0000000000012345\n",
         {"evVertAngle=000 00 00.0"},
         {"Code false 00"}},
        // A malformed word drops the rest of its line.
        {"110001+0000000A 31..00+0001234\n110001+0000000B\n",
         {"evPointName=A", "evPointName=B"},
         {"Unknown LEICA format : 31..00+0001234", "string  1"}},
        // Bad indices are named unless blank.
        {"ab0001+0000000A 110001+0000000B\n  0001+0000000C 110001+0000000D\n",
         {"evPointName=B", "evPointName=D"},
         {"Code false ab", "Code false"}},
    };
    CheckEvents<CImpLEICA>("job.gsi", cases);
}

TEST(LeicaValues, UnitsReachTheEngine) {
    using Field = vrk::OptDouble vrk::CObservation::*;
    const struct {
        std::string words;
        Field field;
        double value;
    } kCases[] = {
        {"21.322+10000000", &vrk::CObservation::hz, 90 * kDeg},  // gon
        {"21.324+04530000", &vrk::CObservation::hz, 45.5 * kDeg},
        {"22.323+04500000", &vrk::CObservation::v, 45 * kDeg},  // decimal degrees
        {"22.325+16000000", &vrk::CObservation::v, 90 * kDeg},  // mil
        {"31..01+00010000", &vrk::CObservation::sd, 10 * 0.3048},
        {"31..07+00010000", &vrk::CObservation::sd, 10 * 0.3048},
        {"32..06+00010000", &vrk::CObservation::hd, 1.0},  // metres, 4 decimals
        {"31..08+00010000", &vrk::CObservation::sd, 0.1},  // metres, 5 decimals
        // No unit in the height word: the first distance word of the file gives feet, or else
        // metres; a unit in the word wins.
        {"32..11+00010000 87..1.+00001500", &vrk::CObservation::target_height, 1.5 * 0.3048},
        {"87..1.+00001500", &vrk::CObservation::target_height, 1.5},
        {"32..11+00010000 87..16+00015000", &vrk::CObservation::target_height, 1.5},
        // Five lines whose word has no unit end the search: a later foot word does not count.
        {"87..1.+00001500\n"
         "110001+0000000X 32..1.+00010000\n110001+0000000X 32..1.+00010000\n"
         "110001+0000000X 32..1.+00010000\n110001+0000000X 32..1.+00010000\n"
         "110001+0000000Y 32..11+00010000",
         &vrk::CObservation::target_height, 1.5},
    };
    for (const auto& c : kCases) {
        ReaderHarness h;
        h.Run<CImpLEICA>({h.Write("job.gsi", "110001+0000000T " + c.words + "\n")});
        const auto& value = h.project.data().stations.at(0).observations.at(0).*c.field;
        ASSERT_TRUE(value.has_value()) << c.words;
        EXPECT_NEAR(*value, c.value, 1e-9) << c.words;
    }
}

TEST(LeicaFiles, LineEndsStarsAndRecords) {
    ReaderHarness h;
    h.Run<CImpLEICA>({h.Write("job.gsi", "\r\n   \r\n**110001+0000000A  \t\r\n\n110001+0000000B")});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=A", "evPointName=B"}));
    // One record per non-empty line; the line counter counts every line.
    std::vector<std::pair<long, long>> where;
    for (const auto& e : h.events)
        if (e.pass == 2)
            where.emplace_back(e.record, e.line);
    EXPECT_EQ(where, (std::vector<std::pair<long, long>>{{2, 3}, {3, 5}}));
}

TEST(LeicaFiles, TheBlockCodeOfOneFileHoldsInTheNext) {
    ReaderHarness h;
    h.Run<CImpLEICA>(
        {h.Write("a.gsi", "410001+00000001\n"), h.Write("b.gsi", "42....+0000ST01\n")});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=ST01", "evStation=ST01"}));
    EXPECT_FALSE(h.ProtocolContains("b.gsi"));
}
