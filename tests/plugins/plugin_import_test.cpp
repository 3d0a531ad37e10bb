// Importing through plug-ins: the example CSV plug-in as a new format and a plug-in that takes
// over a built-in format, driven through the import dialog.
#include <gmock/gmock.h>

#include <string>

#include "plugin_fixture.h"
#include "readers/format_detect.h"
#include "support/noise.h"
#include "support/settings_edit.h"

using ::testing::HasSubstr;

namespace plugin_test {
namespace {

using PluginImportTest = PluginTest;

TEST_F(PluginImportTest, ANewFormatAt16ImportsItsPointsAndNamesWhatItCannotTake) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    std::vector<std::string> names;
    const auto patterns = Filters(&names);
    EXPECT_EQ(patterns.at(16) + " " + names.at(16), "*.csv CSV point files");
    tmp.Write("site.csv",
              "P1,100.5,200.25,10.125\r\n"
              "\r\n"
              " P2 , 101 , 201 , 11 , TREE \r\n"
              "\"P,3\",102,202\r\n");
    ImportThrough(16, {"site.csv"});
    EXPECT_EQ(dlg->frame().end_code, 1);
    EXPECT_EQ(prompter->beeps, 1);
    // A quoted name keeps its comma; a missing height stays unknown.
    EXPECT_EQ(Points(), "P1 100.5 200.25 10.125\nP2 101 201 11 TREE\nP,3 102 202 -\n");
    // The format was remembered with the plug-in's section.
    EXPECT_EQ(profile().GetInt("ImportSettings", "CurrentSelection", -1), 16);
    EXPECT_THAT(profile().GetString("ImportSettings\\CSVPOINTS", "FileName", ""),
                HasSubstr("site.csv"));

    // Numbers the import cannot take are named in the protocol with the file and its line;
    // nothing else is lost.
    project.data().points.clear();
    dlg->frame().end_code.reset();
    tmp.Write("bad.csv", "A,1.5x,2,3\nB,1e40,2,3\n,7,8,9\nC,4,5,6\n");
    ImportThrough(16, {"bad.csv"});
    for (const char* part : {"1.5x", "1e40", "point without a name"})
        EXPECT_TRUE(ProtocolHas({part, "bad.csv"})) << part;
    EXPECT_EQ(Points(), "A - 2 3\nB - 2 3\nC 4 5 6\n");
}

// A plug-in may offer a detector; one without it is loaded as before and never detected.
TEST_F(PluginImportTest, DetectionAsksThePluginsThatOfferADetector) {
    const std::string points = "P1,100.5,200.25,10.125\nP2,101,201,11\n";
    EXPECT_EQ(detect::DetectText(points, true, ".csv").Format(), -1);
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}, {"leica.so", FIXTURE_LEICA_PATH}});
    EXPECT_EQ(dlg->PluginMap().at(5).detect, nullptr);
    ASSERT_NE(dlg->PluginMap().at(16).detect, nullptr);
    detect::SetExtraDetectors({{16, dlg->PluginMap().at(16).detect}});
    const detect::Result r = detect::DetectText(points, true, ".csv");
    detect::SetExtraDetectors({});
    EXPECT_EQ(r.Format(), 16);
    EXPECT_EQ(detect::EvidenceText(r.ranked.front()), "name,x,y,h points on 2 of 2 lines");
}

// The fixture announces the id of format 5: its filter, settings and reading replace the
// Leica reader's, and the formats around it stay.
TEST_F(PluginImportTest, APluginOfFormatFiveTakesOverFilterSettingsAndImport) {
    profile().WriteString("ImportSettings\\LEICAPLUG", "Prefix", "L-");
    profile().WriteInt("ImportSettings\\LEICA", "CheckDel", 1);
    profile().WriteInt("ImportSettings\\LEICAPLUG", "CheckDel", 0);
    UsePlugins({{"leica.so", FIXTURE_LEICA_PATH}});
    EXPECT_EQ(dlg->HighestFormat(), 15) << "no new format";
    EXPECT_EQ(dlg->FindPlugin(4), nullptr);
    std::vector<std::string> names;
    const auto patterns = Filters(&names);
    EXPECT_EQ(patterns[4] + " " + patterns[5] + " " + names[5],
              "*.sdr;*.txt *.lpt Leica by plug-in");
    FixtureState& state = ResetState(FIXTURE_LEICA_PATH);
    dlg->frame().SetSelection(kIdTypeList, 5);
    dlg->OnTypeChange();
    EXPECT_EQ(dlg->Settings().CheckDel, 0);
    EXPECT_EQ(dlg->Settings().OnRelief, 1) << "the fixture's default";
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) { s.CheckDel = 1; });
    dlg->SaveData();
    EXPECT_EQ(profile().GetInt("ImportSettings\\LEICAPLUG", "CheckDel", -1), 1);
    EXPECT_FALSE(profile().Has("ImportSettings\\LEICAPLUG", "Format16Digits"))
        << "the Leica block is not the plug-in's";

    // A GSI word would mean something to the Leica reader; the plug-in reads its own lines.
    tmp.Write("job.lpt", "# plug-in points\nS1 10 20 30\nS2 11 21\n");
    ImportThrough(5, {"job.lpt"});
    EXPECT_EQ(state.imports, 1);
    EXPECT_GE(state.save_settings, 2) << "settings are saved before the import";
    EXPECT_EQ(Points(), "L-S1 10 20 30\nL-S2 11 21 -\n");
    EXPECT_THAT(profile().GetString("ImportSettings\\LEICAPLUG", "FileName", ""),
                HasSubstr("job.lpt"));
    EXPECT_FALSE(profile().Has("ImportSettings\\LEICA", "FileName"));
}

TEST_F(PluginImportTest, AnyBytesImportWithoutHarm) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    for (unsigned round = 0; round < 12; ++round) {
        // Separators, quotes, blanks, line ends and numbers steer the reading.
        std::string bytes = testing_support::NoiseBytes(
            round, 3000, {",", "\"", ";", "\t", "\r\n", "\n", "1.5", "-2e3", "P", "\xEF\xBB\xBF"});
        if (round == 0)
            bytes = "\"unterminated," + std::string(5000, 'x');
        const std::string name = "r" + std::to_string(round) + ".csv";
        tmp.Write(name, bytes);
        dlg->frame().end_code.reset();
        ImportThrough(16, {name});
        EXPECT_EQ(dlg->frame().end_code, 1) << round;
        for (const auto& point : project.data().points) EXPECT_FALSE(point.name.empty());
    }
}

// A plug-in that throws, or one that went away, ends its import quietly: nothing, and one beep.
TEST_F(PluginImportTest, APluginThatThrowsOrWentAwayImportsNothingButBeeps) {
    UsePlugins({{"throws.so", FIXTURE_THROWS_PATH}, {"z_csv.so", CSV_POINTS_PATH}});
    FixtureState& state = ResetState(FIXTURE_THROWS_PATH);
    tmp.Write("x.thr", "P 1 2 3\n");
    ImportThrough(16, {"x.thr"});
    EXPECT_EQ(state.imports, 1);
    EXPECT_EQ(dlg->frame().end_code, 1);
    EXPECT_EQ(prompter->beeps, 1);

    tmp.Write("p.csv", "A,1,2,3\n");
    dlg->frame().SetSelection(kIdTypeList, 17);
    dlg->OnTypeChange();
    dlg->frame().SetText(kIdNameBox, "p.csv");
    dlg->ClearPluginMap();
    dlg->OnMOK();
    EXPECT_TRUE(project.data().points.empty());
    EXPECT_EQ(prompter->beeps, 2);
}

}  // namespace
}  // namespace plugin_test
