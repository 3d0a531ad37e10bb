// Each processing option of the import changes the project, and in the way it promises.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numbers>

#include "host/processing/processing.h"
#include "readers/geodimeter/geodimeter_reader.h"
#include "support/reader_harness.h"

namespace {

// Station A (known) oriented on B; P1..P4 coded, P5 in both faces, P6 measured twice.
const char kJob[] =
    "23=1113\n2=B\n37=0\n38=100\n39=0\n"
    "2=A\n37=0\n38=0\n39=10\n3=1.5\n62=B\n7=0\n"
    "5=P1\n4=FENCE=1;H#1.2/TREE;D#0.3\n6=1.5\n7=10\n8=90\n9=20\n"
    "5=P2\n4=FENCE=1\n6=1.5\n7=20\n8=90\n9=20\n"
    "5=P3\n4=12\n7=30\n8=90\n9=20\n"
    "5=P4\n4=12\n7=40\n8=90\n9=20\n"
    "5=P5\n4=WALL\n7=50.0030\n8=85\n9=30\n"
    "5=P5\n4=WALL\n7=230\n8=275\n9=30\n"
    "5=P6\n4=WALL\n7=60\n8=90\n9=25\n"
    "5=P6\n4=WALL\n7=60\n8=90\n9=25.04\n";

struct Imported {
    testing_support::ReaderHarness h;
    std::string json;
};

void Import(Imported& out, const std::function<void(vrk::CImportInfo&)>& change) {
    vrk::CClassificator cs;
    cs.slots[0] = {true, "Main", {{"12", "Kerb", vrk::CCodeEntry::Kind::Line}}};
    cs.slots[1] = {true, "Other", {{"FENCE", "Fence", vrk::CCodeEntry::Kind::Point}}};
    out.h.project.SetClassificator(cs);
    vrk::CImportInfo& info = out.h.dlg.ImportInfo();
    info.SetCodeSystem(&out.h.project, 0);
    change(info);
    out.h.Run<CImpGEOD>({out.h.Write("job.are", kJob)}, 0);
    processing::Compute(out.h.project);
    out.json = out.h.project.ToJson();
}

const vrk::CCodeItem* Item(vrk::CVrkObject& p, const std::string& point, size_t i) {
    const vrk::CVrkPoint* pt = p.FindPoint(point);
    return pt && i < pt->code_items.size() ? &pt->code_items[i] : nullptr;
}

bool HasLine(const vrk::CVrkObject& p, const std::string& code) {
    const auto& lines = p.data().lines;
    return std::any_of(lines.begin(), lines.end(), [&](const auto& l) { return l.code == code; });
}

TEST(ProcessingOptions, EachOptionChangesTheProject) {
    Imported base;
    Import(base, [](vrk::CImportInfo&) {});
    vrk::CVrkObject& b = base.h.project;
    // What the defaults give.
    ASSERT_NE(Item(b, "P1", 1), nullptr);
    EXPECT_EQ(Item(b, "P1", 0)->line, "1");
    EXPECT_EQ(Item(b, "P1", 0)->attributes, (std::vector<vrk::CCodeAttribute>{{"H", "1.2"}}));
    EXPECT_EQ(Item(b, "P1", 1)->attributes, (std::vector<vrk::CCodeAttribute>{{"D", "0.3"}}));
    EXPECT_EQ(Item(b, "P3", 0)->name, "Kerb");
    EXPECT_EQ(b.data().lines,
              (std::vector<vrk::CLine>{{"FENCE", "1", {"P1", "P2"}}, {"12", "*1", {"P3", "P4"}}}));
    EXPECT_EQ(b.FindPoint("P6(2)"), nullptr);
    EXPECT_EQ(b.FindPoint("P1")->relief, vrk::Relief::Relief);
    ASSERT_TRUE(b.data().stations[1].collimation_error);
    EXPECT_NEAR(*b.data().stations[1].collimation_error * 180 / std::numbers::pi * 3600, 5.4, 0.01);

    using Check = std::function<bool(vrk::CVrkObject&)>;
    const struct {
        const char* option;
        std::function<void(vrk::CImportInfo&)> change;
        Check check;
    } rows[] = {
        {"CheckUnique", [](auto& i) { i.flags &= ~vrk::kFlagUnique; },
         [](auto& p) { return p.FindPoint("P6(2)") != nullptr; }},
        {"CheckAuto", [](auto& i) { i.flags &= ~vrk::kFlagAuto; },
         [](auto& p) { return !p.data().stations[1].collimation_error; }},
        {"CodeNumeric", [](auto& i) { i.flags &= ~vrk::kFlagNumericCode; },
         [](auto& p) { return Item(p, "P3", 0)->name.empty() && !HasLine(p, "12"); }},
        {"LinesAttr", [](auto& i) { i.flags |= vrk::kFlagLinesAttr; },
         [](auto& p) { return HasLine(p, "WALL"); }},
        {"CSFromProject", [](auto& i) { i.flags |= vrk::kFlagCodeFromProject; },
         [](auto& p) { return Item(p, "P1", 0)->name == "Fence"; }},
        {"CodeSystem", [](auto& i) { i.SetCodeSystem(nullptr, 1); },
         [](auto& p) {
             return Item(p, "P1", 0)->name == "Fence" && Item(p, "P3", 0)->name.empty();
         }},
        {"OnRelief", [](auto& i) { i.SetDTM(2); },
         [](auto& p) { return p.FindPoint("P5")->relief == vrk::Relief::NonRelief; }},
        {"CodeSep", [](auto& i) { i.separators[0] = '+'; },
         [](auto& p) { return Item(p, "P1", 1) == nullptr; }},
        {"Link", [](auto& i) { i.separators[1] = ':'; },
         [](auto& p) { return Item(p, "P1", 0)->code == "FENCE=1"; }},
        {"AtrAtr", [](auto& i) { i.separators[2] = '&'; },
         [](auto& p) { return Item(p, "P1", 0)->line == "1;H#1.2"; }},
        {"AtrVal", [](auto& i) { i.separators[3] = ':'; },
         [](auto& p) { return Item(p, "P1", 0)->attributes[0].name == "H#1.2"; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.option);
        Imported changed;
        Import(changed, row.change);
        EXPECT_NE(changed.json, base.json);
        EXPECT_TRUE(row.check(changed.h.project));
    }
}

}  // namespace
