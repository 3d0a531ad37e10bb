#include "readers/ta2_reader.h"
#include "ta5_fixture.h"

using namespace ta5_test;
using testing_support::ReaderHarness;

TEST(Ta2Values, PackedForms) {
    std::string out;
    CImp2TA5::SetPointAngle("1234530", out);
    EXPECT_EQ(out, "123.45.30");
    CImp2TA5::SetPointAngle("0012345", out);
    EXPECT_EQ(out, "1.23.45");
    CImp2TA5::SetPointAngle("  -0901500", out);
    EXPECT_EQ(out, "-90.15.00");
    CImp2TA5::SetPointAngle("12", out);
    EXPECT_EQ(out, "000.00.12");
    CImp2TA5::SetPointAngle("0000000", out);
    EXPECT_EQ(out, "000.00.00");
    for (auto [in, want] :
         {std::pair{"5", "0.005"}, {"12345", "12.345"}, {"-5", "-0.005"}, {"1000", "1.000"}}) {
        std::string v = in;
        CImp2TA5::SetLengthDist(v);
        EXPECT_EQ(v, want) << in;
    }
    EXPECT_TRUE(CImp2TA5::StrIsDigit(""));
    EXPECT_TRUE(CImp2TA5::StrIsDigit("0123"));
    EXPECT_FALSE(CImp2TA5::StrIsDigit("1 "));
}

TEST(Ta2Records, HeaderWords) {
    EXPECT_EQ(Read<CImp2TA5>("Z010203 ST1 BS 1234530 1550\r\n"),
              (Events{"evDate=010203", "evStation=ST1", "evBacksight=BS", "evDirectionName=ST1\\BS",
                      "evDirectionAngle=123.45.30", "evInstrumentHeight=1.550", "evTarget=BS",
                      "evHorAngle=0000000"}));
    // A blank after Z moves every word one place on: the date is read as the station.
    EXPECT_EQ(Read<CImp2TA5>("Z 010203 ST1\n"), (Events{"evStation=010203", "evBacksight=ST1",
                                                        "evTarget=ST1", "evHorAngle=0000000"}));
}

TEST(Ta2Records, MeasurementsReferToTheLastNamedPoint) {
    EXPECT_EQ(Read<CImp2TA5>("NP1\n01 1500 1234530 0900000 CODE\n"),
              (Events{"evTarget=P1", "evTargetHeight=1.500", "evHorAngle=123.45.30",
                      "evVertAngle=90.00.00", "evCode=CODE"}));
    // A blank after N gives an empty name: P1 stays current.
    EXPECT_EQ(Read<CImp2TA5>("NP1\nN P2\n04 1234530 25000 C\n"),
              (Events{"evTarget=P1", "evHorAngle=123.45.30", "evHorDist=25.000", "evCode=C"}));
    // Record 00 names a point too, starting from its second character.
    EXPECT_EQ(Read<CImp2TA5>("00P5\n01 1500\n"), (Events{"evTarget=0P5", "evTargetHeight=1.500"}));
}

TEST(Ta2Records, DoubleBlanksLeaveAValueOutInPlace) {
    EXPECT_EQ(Read<CImp2TA5>("NP1\n02 12345  1234530 0900000 C\n"),
              (Events{"evTarget=P1", "evSlopeDist=12.345", "evHorAngle=123.45.30",
                      "evVertAngle=90.00.00", "evCode=C"}));
    EXPECT_EQ(
        Read<CImp2TA5>("NP3\n03 1000  300 1500\n"),
        (Events{"evPointName=P3", "evPointX=1.000", "evPointH=0.300", "evTargetHeight=1.500"}));
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
    // Lone N.
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

TEST(Ta2Date, SharesTheTa5Rule) {
    ReaderHarness h;
    CImp2TA5 reader(&h.project, &h.dlg, &h.dlg.ImportInfo());
    int64_t t = 0;
    ASSERT_EQ(reader.GetDate("311299", &t), 1);
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    EXPECT_EQ(tm.tm_year + 1900, 1999);
    EXPECT_EQ(tm.tm_mon + 1, 12);
    EXPECT_EQ(tm.tm_mday, 31);
    ASSERT_EQ(reader.GetDate("010279", &t), 1);
    tt = static_cast<std::time_t>(t);
    localtime_r(&tt, &tm);
    EXPECT_EQ(tm.tm_year + 1900, 2079);
}
