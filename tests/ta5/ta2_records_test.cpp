#include "readers/ta5/ta2_reader.h"
#include "support/event_cases.h"
#include "ta5_fixture.h"

using namespace ta5_test;
using testing_support::ReaderHarness;

TEST(Ta2Records, HeaderAndMeasurementWords) {
    const std::vector<testing_support::EventCase> cases = {
        {"Z010203 ST1 BS 1234530 1550\r\n",
         {"evDate=010203", "evStation=ST1", "evBacksight=BS", "evDirectionName=ST1\\BS",
          "evDirectionAngle=123.45.30", "evInstrumentHeight=1.550", "evTarget=BS",
          "evHorAngle=0000000"}},
        // A blank after Z moves every word one place on: the date is read as the station.
        {"Z 010203 ST1\n",
         {"evStation=010203", "evBacksight=ST1", "evTarget=ST1", "evHorAngle=0000000"}},
        // Measurements refer to the last named point.
        {"NP1\n01 1500 1234530 0900000 CODE\n",
         {"evTarget=P1", "evTargetHeight=1.500", "evHorAngle=123.45.30", "evVertAngle=90.00.00",
          "evCode=CODE"}},
        // Packed angles: leading zeros go, short ones are padded, the sign stays in front.
        {"NP1\n01 1500 0012345 -0901500\n",
         {"evTarget=P1", "evTargetHeight=1.500", "evHorAngle=1.23.45", "evVertAngle=-90.15.00"}},
        {"NP1\n01 1500 12 0000000\n",
         {"evTarget=P1", "evTargetHeight=1.500", "evHorAngle=000.00.12", "evVertAngle=000.00.00"}},
        // A blank after N gives an empty name: P1 stays current.
        {"NP1\nN P2\n04 1234530 25000 C\n",
         {"evTarget=P1", "evHorAngle=123.45.30", "evHorDist=25.000", "evCode=C"}},
        // Record 00 names a point too, starting from its second character.
        {"00P5\n01 1500\n", {"evTarget=0P5", "evTargetHeight=1.500"}},
        // Double blanks leave a value out in place.
        {"NP1\n02 12345  1234530 0900000 C\n",
         {"evTarget=P1", "evSlopeDist=12.345", "evHorAngle=123.45.30", "evVertAngle=90.00.00",
          "evCode=C"}},
        {"NP3\n03 1000  300 1500\n",
         {"evPointName=P3", "evPointX=1.000", "evPointH=0.300", "evTargetHeight=1.500"}},
    };
    testing_support::CheckEvents<CImp2TA5>("data.txt", cases);
}

TEST(Ta2Records, UnknownLines) {
    ReaderHarness h;
    h.Run<CImp2TA5>({h.Write("a.txt", "NP1\n05 1 2 3\n1 X\n01 1500\n")});
    EXPECT_EQ(h.Stream(), (Events{"evTarget=P1", "evTargetHeight=1.500"}));
    EXPECT_TRUE(h.ProtocolContains("Can't convert to integer  1 "));
    EXPECT_FALSE(h.ProtocolContains("Can't convert to integer  05"));
    EXPECT_FALSE(h.ProtocolContains("mismatches required data format"));

    ReaderHarness none;
    none.Run<CImp2TA5>({none.Write("a.txt", "\n  \nNP1\n05\n")});
    EXPECT_TRUE(none.Stream().empty());
    EXPECT_TRUE(none.ProtocolContains("mismatches required data format"));
}

TEST(Ta2Backsight, SettledByLoneNNextHeaderOrEnd) {
    EXPECT_EQ(Read<CImp2TA5>("Z010203 ST1 BS\nNP1\n01 1500\nN\nNP2\n01 1600\n"),
              (Events{"evDate=010203", "evStation=ST1", "evBacksight=BS", "evTarget=P1",
                      "evTargetHeight=1.500", "evTarget=BS", "evHorAngle=0000000", "evTarget=P2",
                      "evTargetHeight=1.600"}));
    // Next header, and the second header's own backsight at the end of the file.
    EXPECT_EQ(Read<CImp2TA5>("Z010203 ST1 BS\nZ010203 ST2 ST1\n"),
              (Events{"evDate=010203", "evStation=ST1", "evBacksight=BS", "evTarget=BS",
                      "evHorAngle=0000000", "evDate=010203", "evStation=ST2", "evBacksight=ST1",
                      "evTarget=ST1", "evHorAngle=0000000"}));
    // A measured backsight adds nothing.
    EXPECT_EQ(Read<CImp2TA5>("Z010203 ST1 BS\nNBS\n01 1500\n"),
              (Events{"evDate=010203", "evStation=ST1", "evBacksight=BS", "evTarget=BS",
                      "evTargetHeight=1.500"}));
}
