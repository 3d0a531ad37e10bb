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
    ASSERT_NE(r.h.project.FindPoint("A_B_C"), nullptr);
    EXPECT_TRUE(r.h.project.FindPoint("A_B_C")->control);
    EXPECT_DOUBLE_EQ(static_cast<double>(r.h.project.FindPoint("A")->x), 100.0);
}

TEST(CdxChains, ParentsMayComeAfterTheirChildren) {
    CdxRun r(Section({PointLine("3", "C", "2"), PointLine("2", "B", "1"), PointLine("1", "A")}));
    EXPECT_EQ(r.Names(), (Events{"A_B_C", "A_B", "A"}));
}

TEST(CdxChains, UnknownParents) {
    // A parent index that no point has leaves the point its own name; a child of such a point
    // keeps the separator of the missing link.
    CdxRun r(
        Section({PointLine("2", "B", "99"), PointLine("3", "C", "2"), PointLine("4", "D", "-5")}));
    EXPECT_EQ(r.Names(), (Events{"B", "_B_C", "D"}));
}

TEST(CdxChains, CyclesEndAtTheFirstRepeatedIndex) {
    CdxRun r(Section({PointLine("1", "A", "2"), PointLine("2", "B", "1"), PointLine("5", "X", "1"),
                      PointLine("6", "S", "6"), PointLine("7", "T", "6")}));
    EXPECT_EQ(r.Names(), (Events{"B_A", "A_B", "B_A_X", "S", "S_T"}));
    CdxRun three(
        Section({PointLine("1", "A", "3"), PointLine("2", "B", "1"), PointLine("3", "C", "2")}));
    EXPECT_EQ(three.Names(), (Events{"B_C_A", "C_A_B", "A_B_C"}));
}

TEST(CdxChains, FirstOfSharedIndicesIsTheParent) {
    CdxRun r(Section({PointLine("1", "P"), PointLine("1", "Q"), PointLine("2", "R", "1")}));
    EXPECT_EQ(r.Names(), (Events{"P", "Q", "P_R"}));
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
    const std::string& last = names.back();
    EXPECT_LE(last.size(), CImpCDX::kMaxParentPath + 1 + 5);
    EXPECT_TRUE(last.ends_with("_N2998_N2999_N3000"));
    // The nearest ancestors are kept whole.
    EXPECT_EQ(last.front(), 'N');
    EXPECT_TRUE(r.h.ProtocolContains("The name of point \"N3000"));
}

TEST(CdxFlags, AnyLetterCaseAfterColumn85) {
    CdxRun r(Section({PointLine("1", "P", "", "", "", "", " /h junk /s"),
                      PointLine("2", "Q", "", "", "", "", "  /V\t/x")}));
    EXPECT_EQ(r.Stream(), (Events{"evPointName=P", "evPlanClass=B", "evPlanClass=S",
                                  "evPointName=Q", "evHeightClass=B"}));
    EXPECT_TRUE(r.h.project.FindPoint("P")->control);
}

TEST(CdxFlags, FlagInsideTheHeightColumnIsPartOfTheHeight) {
    CdxRun r(Section({PointLine("1", "P", "", "1", "2", "10.0     /H")}));
    EXPECT_EQ(r.Stream(), (Events{"evPointName=P", "evPointX=1", "evPointY=2"}));
    EXPECT_TRUE(r.h.ProtocolContains("Invalid symbol(s)  /H  found in string  10.0     /H"));
}
