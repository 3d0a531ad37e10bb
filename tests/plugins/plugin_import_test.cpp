// Importing through plug-ins: the example CSV plug-in as a new format and a plug-in that takes
// over a built-in format, driven through the import dialog.
#include <cmath>
#include <random>
#include <string>

#include "plugin_fixture.h"

namespace plugin_test {
namespace {

using PluginImportTest = PluginTest;

constexpr const char* kCsvSection = "ImportSettings\\CSVPOINTS";

bool Contains(const std::vector<std::string>& texts, const std::string& part) {
    for (const auto& t : texts)
        if (t.find(part) != std::string::npos)
            return true;
    return false;
}

TEST_F(PluginImportTest, ANewFormatImportsItsPointsThroughTheEngine) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    WriteFile("site.csv",
              "P1,100.5,200.25,10.125\r\n"
              "\r\n"
              " P2 , 101 , 201 , 11 , TREE \r\n"
              "\"P,3\",102,202\r\n");
    ImportThrough(16, {"site.csv"});
    EXPECT_EQ(dlg->frame().end_code, 1);
    EXPECT_EQ(prompter->beeps, 1);

    ASSERT_EQ(project.data().points.size(), 3u);
    const vrk::CVrkPoint* p1 = Point("P1");
    ASSERT_NE(p1, nullptr);
    EXPECT_DOUBLE_EQ(p1->x, 100.5);
    EXPECT_DOUBLE_EQ(p1->y, 200.25);
    EXPECT_DOUBLE_EQ(p1->h, 10.125);
    EXPECT_FALSE(p1->control);
    const vrk::CVrkPoint* p2 = Point("P2");
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->code, "TREE");
    EXPECT_DOUBLE_EQ(p2->h, 11.0);
    // A quoted name keeps its comma; a missing height stays unknown.
    const vrk::CVrkPoint* p3 = Point("P,3");
    ASSERT_NE(p3, nullptr);
    EXPECT_DOUBLE_EQ(p3->y, 202.0);
    EXPECT_FALSE(p3->h.valid());
    EXPECT_TRUE(project.data().stations.empty());
    // The format was remembered with the plug-in's section.
    EXPECT_EQ(profile().GetInt("ImportSettings", "CurrentSelection", -1), 16);
    EXPECT_NE(profile().GetString(kCsvSection, "FileName", "").find("site.csv"), std::string::npos);
}

TEST_F(PluginImportTest, NumbersTheImportCannotTakeAreNamedInTheProtocol) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    WriteFile("bad.csv", "A,1.5x,2,3\nB,1e40,2,3\n,7,8,9\nC,4,5,6\n");
    ImportThrough(16, {"bad.csv"});
    const auto protocol = Protocol();
    EXPECT_TRUE(Contains(protocol, "1.5x")) << ::testing::PrintToString(protocol);
    EXPECT_TRUE(Contains(protocol, "1e40")) << ::testing::PrintToString(protocol);
    EXPECT_TRUE(Contains(protocol, "point without a name"));
    // The message says where: the file and its line.
    EXPECT_TRUE(Contains(protocol, "bad.csv")) << ::testing::PrintToString(protocol);
    // Nothing else is lost.
    ASSERT_NE(Point("A"), nullptr);
    EXPECT_FALSE(Point("A")->x.valid());
    EXPECT_DOUBLE_EQ(Point("A")->y, 2.0);
    ASSERT_NE(Point("C"), nullptr);
    EXPECT_DOUBLE_EQ(Point("C")->h, 6.0);
}

TEST_F(PluginImportTest, TheCsvOptionsShapeTheImport) {
    profile().WriteString(kCsvSection, "Separator", ";");
    profile().WriteString(kCsvSection, "Header", "1");
    profile().WriteString(kCsvSection, "ControlPoints", "1");
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    WriteFile("known.csv", "\xEF\xBB\xBFname;x;y;h\nK1;1,5;2;3\nK2;4;5;6\n");
    WriteFile("more.csv", "name;x;y;h\nK3;7;8;9\n");
    ImportThrough(16, {"known.csv", "more.csv"});
    EXPECT_EQ(Point("name"), nullptr) << "the header line of each file is skipped";
    for (const char* name : {"K1", "K2", "K3"}) {
        const vrk::CVrkPoint* p = Point(name);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(p->control) << name;
    }
    // With ";" as the separator a comma is no decimal point.
    EXPECT_FALSE(Point("K1")->x.valid());
    EXPECT_DOUBLE_EQ(Point("K3")->h, 9.0);
}

TEST_F(PluginImportTest, APluginOfFormatFiveImportsInsteadOfTheLeicaReader) {
    profile().WriteString("ImportSettings\\LEICAPLUG", "Prefix", "L-");
    UsePlugins({{"leica.so", FIXTURE_LEICA_PATH}});
    FixtureState& state = ResetState(FIXTURE_LEICA_PATH);
    // A GSI word would mean something to the Leica reader; the plug-in reads its own lines.
    WriteFile("job.lpt", "# plug-in points\nS1 10 20 30\nS2 11 21\n");
    ImportThrough(5, {"job.lpt"});
    EXPECT_EQ(state.imports, 1);
    EXPECT_GE(state.load_settings, 1);
    EXPECT_GE(state.save_settings, 1) << "settings are saved before the import";
    ASSERT_EQ(project.data().points.size(), 2u);
    const vrk::CVrkPoint* s1 = Point("L-S1");
    ASSERT_NE(s1, nullptr);
    EXPECT_DOUBLE_EQ(s1->h, 30.0);
    ASSERT_NE(Point("L-S2"), nullptr);
    EXPECT_FALSE(Point("L-S2")->h.valid());
    EXPECT_EQ(profile().GetString("ImportSettings\\LEICAPLUG", "FileName", "").find("job.lpt") !=
                  std::string::npos,
              true);
    EXPECT_FALSE(profile().Has("ImportSettings\\LEICA", "FileName"));
}

TEST_F(PluginImportTest, APluginThatThrowsEndsItsImportQuietly) {
    UsePlugins({{"throws.so", FIXTURE_THROWS_PATH}});
    FixtureState& state = ResetState(FIXTURE_THROWS_PATH);
    WriteFile("x.thr", "P 1 2 3\n");
    ImportThrough(16, {"x.thr"});
    EXPECT_EQ(state.imports, 1);
    EXPECT_TRUE(project.data().points.empty());
    EXPECT_EQ(dlg->frame().end_code, 1);
    EXPECT_EQ(prompter->beeps, 1);
}

TEST_F(PluginImportTest, AnyBytesImportWithoutHarm) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    // Separators, quotes, blanks, line ends and NULs are the bytes that steer the reading.
    const std::string alphabet =
        std::string(",\"\"  ;\t\r\n\n0123456789.-eE+Pq\xEF\xBB\xBF\xC0") + '\0';
    std::mt19937 random(20240611);
    for (int round = 0; round < 20; ++round) {
        std::string bytes;
        const size_t size = random() % 3000;
        for (size_t i = 0; i < size; ++i)
            bytes += (random() % 8 == 0) ? static_cast<char>(random() % 256)
                                         : alphabet[random() % alphabet.size()];
        if (round == 0)
            bytes = "\"unterminated," + std::string(5000, 'x');
        const std::string name = "r" + std::to_string(round) + ".csv";
        WriteFile(name, bytes);
        dlg->frame().end_code.reset();
        ImportThrough(16, {name});
        EXPECT_EQ(dlg->frame().end_code, 1) << round;
        for (const auto& point : project.data().points) EXPECT_FALSE(point.name.empty());
    }
}

TEST_F(PluginImportTest, AFormatWithoutAPluginImportsNothingButBeeps) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    WriteFile("p.csv", "A,1,2,3\n");
    dlg->frame().SetSelection(kIdTypeList, 16);
    dlg->OnTypeChange();
    dlg->frame().SetText(kIdNameBox, "p.csv");
    // The plug-in went away under the open dialog.
    dlg->ClearPluginMap();
    dlg->OnMOK();
    EXPECT_TRUE(project.data().points.empty());
    EXPECT_EQ(prompter->beeps, 1);
}

}  // namespace
}  // namespace plugin_test
