// Shapes that real jobs have: codes before coordinates, records without names, files in either
// encoding, files that do not say their angle unit.
#include <algorithm>

#include "readers/elta/elta_column_guess.h"
#include "readers/elta/elta_r4_reader.h"
#include "readers/elta/elta_rec500_reader.h"
#include "readers/geodimeter/geodimeter_reader.h"
#include "support/reader_harness.h"
#include "support/settings_edit.h"

using testing_support::ReaderHarness;

namespace {

// The point of that name; a point with nothing set when there is none.
vrk::CVrkPoint PointOf(ReaderHarness& h, const std::string& name) {
    const vrk::CVrkPoint* p = h.project.FindPoint(name);
    return p ? *p : vrk::CVrkPoint{};
}

// A Rec 500 coordinate line: record number, then `head` (name and code columns) and the data.
std::string Rec500(const std::string& head, int x) {
    return "    0001" + head + " X " + std::to_string(x) + ".000 Y 5.000\n";
}

}  // namespace

TEST(RealFiles, CodeBeforeCoordinatesBelongsToThePoint) {
    std::string job = "2=ST1\n3=1.5\n5=P1\n4=OAK\n9=10.000\n37=10.000\n38=20.000\n39=30.000\n";
    std::string cr_only = job;
    std::replace(cr_only.begin(), cr_only.end(), '\n', '\r');  // as older loggers write them
    for (const std::string& text : {job, cr_only}) {
        ReaderHarness geod;
        geod.Run<CImpGEOD>({geod.Write("a.are", text)}, 0);
        EXPECT_EQ(PointOf(geod, "P1").code, "OAK");
        EXPECT_EQ(geod.project.data().stations.at(0).observations.at(0).code, "OAK");
    }

    ReaderHarness elta;
    elta.Run<CImpELTAR4>({elta.Write("a.dat", "For R4|KR NTR1100|X 1.000 m|Y 2.000 m|\n")},
                         std::string("For R4"));
    EXPECT_EQ(PointOf(elta, "1100").code, "NTR");
}

TEST(RealFiles, NamelessRecordsAreReportedNeverMerged) {
    ReaderHarness h;
    // Columns that find no name.
    testing_support::EditSettings(h.dlg, [](ImportSettings& s) { s.NameWidthE = 0; });
    const std::string text =
        Rec500("P1            OAK          ", 1) + Rec500("P2                         ", 2);
    const std::string path = h.Write("a.dat", text);
    h.Run<CImpELTAREC500>({path}, std::string("Rec 500"));
    EXPECT_EQ(h.project.FindPoint(""), nullptr);
    EXPECT_EQ(h.project.tally.nameless_records, 2u);
    EXPECT_EQ(h.Count("has no point name"), 2u);
    // Said once for the file, with the line under a ruler and the settings to change.
    for (const char* piece :
         {"string  2:\nThe record has no point name", "....+....1....+....2....+....3....+....4",
          ".\nP1            OAK ", "Change the settings NameStartE, NameWidthE"})
        EXPECT_EQ(h.Count(piece), 1u) << piece;

    // The guess gives each record its name, and the reader takes it.
    std::string error;
    const auto guess = readers::GuessColumns(path, false, error);
    ASSERT_TRUE(guess) << error;
    EXPECT_EQ(guess->name_start, 1);
    EXPECT_EQ(guess->code_start, guess->name_start + guess->name_width);
    ReaderHarness again;
    testing_support::EditSettings(
        again.dlg, testing_support::Columns(guess->name_start, guess->name_width, guess->code_start,
                                            guess->code_width, true));
    again.Run<CImpELTAREC500>({again.Write("a.dat", text)}, std::string("Rec 500"));
    EXPECT_EQ(static_cast<double>(PointOf(again, "P2").x), 2.0);
    EXPECT_EQ(PointOf(again, "P1").code, "OAK");
    EXPECT_EQ(again.project.tally.nameless_records, 0u);
    // Names that repeat cannot be told apart by any columns.
    EXPECT_FALSE(
        readers::GuessColumns(h.Write("b.dat", Rec500("P1 ", 1) + Rec500("P1 ", 2)), false, error));
}

TEST(RealFiles, EncodingIsDecidedOncePerFile) {
    const std::string cp1251_r_yo =
        "\xD0\xB8"
        "7";  // "Рё7" in CP1251, also UTF-8 for "и7"
    // The name of the first point, as UTF-8.
    const std::pair<std::string, std::string> cases[] = {
        // Another name that is no UTF-8 decides the file, so the first one stays CP1251.
        {"5=" + cp1251_r_yo + "\n5=\xCF\xF3\xED\xEA\xF2\n", "Рё7"},
        {"5=" + cp1251_r_yo + "\n", "и7"},
        // A byte order mark says UTF-8, and is no part of the first line.
        {"\xEF\xBB\xBF"
         "5=Ёж\n",
         "Ёж"},
    };
    for (const auto& [bytes, name] : cases) {
        ReaderHarness h;
        h.Run<CImpGEOD>({h.Write("a.are", bytes)}, 1);
        ASSERT_FALSE(h.project.data().points.empty()) << name;
        EXPECT_EQ(h.project.data().points.front().name, name);
    }
}

TEST(RealFiles, AnglesOutOfRangeInAnUnstatedUnitGetAHint) {
    ReaderHarness h;
    h.Run<CImpGEOD>({h.Write("a.are", "5=P1\n7=392.4461\n8=101.2050\n")}, 0);
    EXPECT_EQ(h.Count("The value '392.4461' is out of range"), 1u);
    EXPECT_EQ(h.Count("states no angle unit; its angles look like gon: try --angle-unit gon"), 1u);
    // A file that says its unit gets no hint.
    ReaderHarness stated;
    stated.Run<CImpGEOD>({stated.Write("a.are", "23=1122\n5=P1\n7=392.4461\n")}, 0);
    EXPECT_EQ(stated.Count("out of range"), 1u);
    EXPECT_EQ(stated.Count("--angle-unit"), 0u);
}
