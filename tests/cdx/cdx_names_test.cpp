#include "cdx_fixture.h"

using cdx_test::CdxRun;
using cdx_test::Events;
using cdx_test::PointLine;
using cdx_test::Section;

TEST(CdxChains, ParentsNameTheirChildren) {
    CdxRun r(Section({PointLine("1", "A", "", "100.0", "200.0", "10.0"),
                      PointLine("2", "B", "1", "1", "2", "3"),
                      PointLine("3", "C", "2", "", "", "", " /H")}));
    EXPECT_EQ(r.Stream(), (Events{"evPointName=A", "evPointX=100.0", "evPointY=200.0",
                                  "evPointH=10.0", "evPointName=A_B", "evPointX=1", "evPointY=2",
                                  "evPointH=3", "evPointName=A_B_C", "evPlanClass=B"}));
    // Empty coordinates are still offered to the engine, which refuses them.
    EXPECT_EQ(r.h.Stream(2, false).size(), 13u);
    EXPECT_TRUE(r.h.Protocol().empty());
}

TEST(CdxChains, NamesAndMessagesOfAFile) {
    const struct {
        std::string text;
        Events names;
        std::vector<std::string> messages = {};
    } kCases[] = {
        // Parents may come after their children.
        {Section({PointLine("3", "C", "2"), PointLine("2", "B", "1"), PointLine("1", "A")}),
         {"A_B_C", "A_B", "A"}},
        // An unknown parent leaves the point its own name; its child keeps the separator of the
        // missing link.
        {Section({PointLine("2", "B", "99"), PointLine("3", "C", "2"), PointLine("4", "D", "-5")}),
         {"B", "_B_C", "D"}},
        // Cycles end at the first repeated index.
        {Section({PointLine("1", "A", "2"), PointLine("2", "B", "1"), PointLine("5", "X", "1"),
                  PointLine("6", "S", "6"), PointLine("7", "T", "6")}),
         {"B_A", "A_B", "B_A_X", "S", "S_T"}},
        {Section({PointLine("1", "A", "3"), PointLine("2", "B", "1"), PointLine("3", "C", "2")}),
         {"B_C_A", "C_A_B", "A_B_C"}},
        // The first of shared indices is the parent.
        {Section({PointLine("1", "P"), PointLine("1", "Q"), PointLine("2", "R", "1")}),
         {"P", "Q", "P_R"}},
        // Only lines inside a closed section are points.
        {PointLine("9", "OUT1") + "END POINTS\n" + Section({PointLine("1", "A")}) +
             PointLine("8", "OUT2") + "BEGIN POINTS\n" + PointLine("7", "OPEN"),
         {"A"}},
        // A second start drops the points so far; parents are looked up in their own section.
        {"BEGIN POINTS\n" + PointLine("1", "A") + "BEGIN POINTS\n" + PointLine("2", "B", "1") +
             "END POINTS\n" + Section({PointLine("3", "C", "2")}),
         {"B", "C"}},
        // Comment and empty lines are skipped but counted.
        {"* header\n\nBEGIN POINTS\n*  1 COMMENTED\n" + PointLine("1", "A", "", "x1") +
             "END POINTS\n" + Section({PointLine("", "B")}),
         {"A", "B"},
         {"string  5:\nInvalid symbol(s)  x1  found in string  x1",
          "string  8:\nThe point index is missing."}},
        // A point without an index is kept; a point without a name is dropped.
        {Section({PointLine("", "NOINDEX"), PointLine("1", ""), PointLine("12a", "BADINDEX"),
                  PointLine("3", "CHILD", "12"), PointLine("4", "BADPARENT", "x")}),
         {"NOINDEX", "BADINDEX", "CHILD", "BADPARENT"},
         {"string  2:\nThe point index is missing.", "string  3:\nThe point name is missing.",
          "string  4:\nInvalid symbol(s)  a  found in string  12a",
          "string  6:\nInvalid symbol(s)  x  found in string  x"}},
    };
    for (const auto& c : kCases) {
        CdxRun r(c.text);
        EXPECT_EQ(r.Names(), c.names) << c.text;
        for (const auto& m : c.messages) EXPECT_TRUE(r.h.ProtocolContains(m)) << m;
    }
}

TEST(CdxChains, DeepChainsStayLinearAndBounded) {
    std::vector<std::string> lines;
    const int depth = 3000;
    for (int i = 1; i <= depth; ++i)
        lines.push_back(PointLine(std::to_string(i), "N" + std::to_string(i),
                                  i > 1 ? std::to_string(i - 1) : ""));
    CdxRun r(Section(lines));
    const Events names = r.Names();
    ASSERT_EQ(names.size(), static_cast<size_t>(depth));
    EXPECT_EQ(names[3], "N1_N2_N3_N4");
    // The nearest ancestors are kept whole.
    const std::string& last = names.back();
    EXPECT_LE(last.size(), CImpCDX::kMaxParentPath + 1 + 5);
    EXPECT_TRUE(last.ends_with("_N2998_N2999_N3000"));
    EXPECT_EQ(last.front(), 'N');
    EXPECT_TRUE(r.h.ProtocolContains("The name of point \"N3000"));
}

TEST(CdxFlags, AnyLetterCaseAfterColumn85) {
    CdxRun r(Section({PointLine("1", "P", "", "", "", "", " /h junk /s"),
                      PointLine("2", "Q", "", "", "", "", "  /V\t/x"),
                      PointLine("3", "R", "", "1", "2", "10.0     /H")}));
    // A flag inside the height column is part of the height.
    EXPECT_EQ(r.Stream(),
              (Events{"evPointName=P", "evPlanClass=B", "evPlanClass=S", "evPointName=Q",
                      "evHeightClass=B", "evPointName=R", "evPointX=1", "evPointY=2"}));
    EXPECT_TRUE(r.h.ProtocolContains("Invalid symbol(s)  /H  found in string  10.0     /H"));
}
