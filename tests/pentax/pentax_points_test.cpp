#include "readers/pentax_reader.h"
#include "support/reader_harness.h"

using testing_support::ReaderHarness;
using Events = std::vector<std::string>;

namespace {

Events Read(const std::string& name, const std::string& text) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write(name, text)});
    return h.Stream();
}

}  // namespace

TEST(PentaxCsvPoints, CodeGivesTheClasses) {
    EXPECT_EQ(Read("a.csv", "P1,100.000,200.000,10.000,3,x\n"),
              (Events{"evPointName=P1", "evPlanClass=Base", "evHeightClass=Base", "evCode=3",
                      "evPointX=100.000", "evPointY=200.000", "evPointH=10.000"}));
    EXPECT_EQ(Read("a.csv", "P1,100.000,200.000,10.000,4,x\n"),
              (Events{"evPointName=P1", "evCode=4", "evPointX=100.000", "evPointY=200.000",
                      "evPointH=10.000"}));
    EXPECT_EQ(Read("a.csv", "A,1,2,3,9,\nB,1,2,3,6,\nC,1,2,3,7,\n"),
              (Events{"evPointName=A", "evPlanClass=Base", "evCode=9", "evPointX=1", "evPointY=2",
                      "evPointH=3", "evPointName=B", "evHeightClass=Base", "evCode=6", "evPointX=1",
                      "evPointY=2", "evPointH=3", "evPointName=C", "evPlanClass=Base",
                      "evHeightClass=Base", "evCode=7", "evPointX=1", "evPointY=2", "evPointH=3"}));
    // A code that is no number is kept as a code and gives no class.
    EXPECT_EQ(Read("a.csv", "P,1,2,3,TREE,\n"),
              (Events{"evPointName=P", "evCode=TREE", "evPointX=1", "evPointY=2", "evPointH=3"}));
}

TEST(PentaxCsvPoints, FieldsNeedTheirComma) {
    // Without a comma after it the code is empty: no class, no code.
    EXPECT_EQ(Read("a.csv", "P1,1,2,3,5\n"),
              (Events{"evPointName=P1", "evPointX=1", "evPointY=2", "evPointH=3"}));
    // Without a comma after the elevation it is not read either.
    EXPECT_EQ(Read("a.csv", "P1,1,2,3\n"), (Events{"evPointName=P1", "evPointX=1", "evPointY=2"}));
    // Empty fields are not pushed.
    EXPECT_EQ(Read("a.csv", "P1,,2,,1,\n"),
              (Events{"evPointName=P1", "evPlanClass=Base", "evCode=1", "evPointY=2"}));
}

TEST(PentaxCsvPoints, PointsBecomeControlPoints) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.csv", "K1,100.5,200.25,10,3,\nS1,1,2,3,4,\n")});
    vrk::CVrkPoint* k = h.project.FindPoint("K1");
    ASSERT_NE(k, nullptr);
    EXPECT_TRUE(k->control);
    EXPECT_DOUBLE_EQ(static_cast<double>(k->x), 100.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(k->y), 200.25);
    EXPECT_DOUBLE_EQ(static_cast<double>(k->h), 10.0);
    vrk::CVrkPoint* s = h.project.FindPoint("S1");
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->control);
    EXPECT_EQ(s->code, "4");
}

TEST(PentaxFileTypes, UpperCaseExtensionIsTypedByTheFirstLine) {
    // Five commas on the first line make a comma point file whatever the name.
    EXPECT_EQ(Read("points.CSV", "P1,1,2,3,1,\n"),
              (Events{"evPointName=P1", "evPlanClass=Base", "evCode=1", "evPointX=1", "evPointY=2",
                      "evPointH=3"}));
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("points.CSV", "P1,1,2,3\n")});
    EXPECT_TRUE(h.Stream(1, false).empty());
    EXPECT_TRUE(h.Stream(2, false).empty());
    EXPECT_TRUE(h.ProtocolContains("mismatches required data format"));
    // The same text in a lower-case .csv file is read without a look at the first line.
    EXPECT_EQ(Read("points.csv", "P1,1,2,3\n"),
              (Events{"evPointName=P1", "evPointX=1", "evPointY=2"}));
}

TEST(PentaxFileTypes, UnknownFileIsSkippedAndTheNextIsRead) {
    ReaderHarness h;
    h.Run<CImpPENTAX>(
        {h.Write("a.txt", "hello\nSTS:S1\n"), h.Write("b.txt", "00011:J:\n00021:P,1,2,3,\n")});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=P", "evPointX=1", "evPointY=2", "evPointH=3"}));
    ASSERT_EQ(h.Protocol().size(), 1u);
    EXPECT_NE(h.Protocol()[0].find("a.txt"), std::string::npos);
}

TEST(PentaxColonPoints, HeaderTitleAndPointLines) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.txt", "00011:JOB 7:x\n00031:ignored,1,2,3,\n00021:P7,1,2,3,\n")});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=P7", "evPointX=1", "evPointY=2", "evPointH=3"}));
    EXPECT_EQ(h.project.title, "JOB 7");
    EXPECT_TRUE(h.Protocol().empty());
}

TEST(PentaxColonPoints, ElevationNeedsItsComma) {
    EXPECT_EQ(Read("a.txt", "00011:J:\n00021:P7,1,2,3\n"),
              (Events{"evPointName=P7", "evPointX=1", "evPointY=2"}));
}

TEST(PentaxColonPoints, HeaderAloneImportsNothing) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write("a.txt", "00011:J:\n")});
    EXPECT_EQ(h.project.title, "J");
    EXPECT_TRUE(h.ProtocolContains("mismatches required data format"));
}
