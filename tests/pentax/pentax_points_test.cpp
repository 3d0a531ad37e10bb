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
    // Odd codes: known plan position; 2, 3, 6, 7: known height; no number: no class.
    EXPECT_EQ(Read("a.csv", "A,1,,,9,\nB,,,3,6,\nC,,2,,TREE,\n"),
              (Events{"evPointName=A", "evPlanClass=Base", "evCode=9", "evPointX=1",
                      "evPointName=B", "evHeightClass=Base", "evCode=6", "evPointH=3",
                      "evPointName=C", "evCode=TREE", "evPointY=2"}));
}

TEST(PentaxCsvPoints, FieldsNeedTheirComma) {
    EXPECT_EQ(Read("a.csv", "P1,1,2,3,5\n"),
              (Events{"evPointName=P1", "evPointX=1", "evPointY=2", "evPointH=3"}));
    EXPECT_EQ(Read("a.csv", "P1,1,2,3\n"), (Events{"evPointName=P1", "evPointX=1", "evPointY=2"}));
}

TEST(PentaxFileTypes, UpperCaseExtensionIsTypedByTheFirstLine) {
    EXPECT_EQ(Read("points.CSV", "P1,1,2,3,1,\n"),
              (Events{"evPointName=P1", "evPlanClass=Base", "evCode=1", "evPointX=1", "evPointY=2",
                      "evPointH=3"}));
    // Not five commas: the file is not understood and skipped.
    ReaderHarness h;
    h.Run<CImpPENTAX>(
        {h.Write("points.CSV", "P1,1,2,3\n"), h.Write("b.txt", "00011:J:\n00021:P,1,2,3,\n")});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=P", "evPointX=1", "evPointY=2", "evPointH=3"}));
    ASSERT_EQ(h.Protocol().size(), 1u);
    EXPECT_NE(h.Protocol()[0].find("points.CSV\"\nmismatches required data format"),
              std::string::npos);
}

TEST(PentaxColonPoints, HeaderTitleAndPointLines) {
    ReaderHarness h;
    h.Run<CImpPENTAX>({h.Write(
        "a.txt", "00011:JOB 7:x\n00031:ignored,1,2,3,\n00021:P7,1,2,3,\n00021:P8,1,2,3\n")});
    EXPECT_EQ(h.Stream(), (Events{"evPointName=P7", "evPointX=1", "evPointY=2", "evPointH=3",
                                  "evPointName=P8", "evPointX=1", "evPointY=2"}));
    EXPECT_EQ(h.project.title, "JOB 7");
    EXPECT_TRUE(h.Protocol().empty());

    ReaderHarness alone;
    alone.Run<CImpPENTAX>({alone.Write("a.txt", "00011:J:\n")});
    EXPECT_TRUE(alone.ProtocolContains("mismatches required data format"));
}
