// The format map built from a plug-in folder, and importing through it: the example CSV plug-in
// as a new format and a plug-in that takes over a built-in format, driven through the dialog.
#include <gmock/gmock.h>

#include "plugin_fixture.h"
#include "readers/format_detect.h"
#include "support/noise.h"
#include "support/settings_edit.h"

using ::testing::HasSubstr;

namespace plugin_test {
namespace {

using PluginImportTest = PluginTest;
using PluginMapTest = PluginTest;

TEST_F(PluginMapTest, ThreeNewPluginsGet16To18InTheOrderOfTheirNames) {
    UsePlugins({{"1_alpha.so", FIXTURE_ALPHA_PATH},
                {"2_beta.so", FIXTURE_BETA_PATH},
                {"3_csv.so", CSV_POINTS_PATH}});
    EXPECT_EQ(dlg->HighestFormat(), 18);
    std::vector<std::string> patterns, names;
    dlg->LoadFilters(patterns, names);
    ASSERT_EQ(patterns.size(), 19u);
    EXPECT_EQ(names[16] + "|" + names[17] + "|" + names[18],
              "Alpha files|Beta files|CSV point files");
    EXPECT_EQ(patterns[17] + "|" + patterns[18], "*.bet;*.txt|*.csv");
    const PluginEntry& csv = dlg->PluginMap().at(18);
    EXPECT_EQ(csv.guid, "{5C0B3E1A-7D42-4F8E-9A61-2B7C4D9E0F13}");
    EXPECT_EQ(dlg->FindPlugin(18), csv.plugin);
    EXPECT_EQ(dlg->FindPlugin(19), nullptr);
    // A plug-in without a section of its own keeps its values in the import table itself.
    EXPECT_EQ(dlg->GetSection(16) + "|" + dlg->GetSection(17) + "|" + dlg->GetSection(18),
              "ImportSettings\\ALPHA|ImportSettings|ImportSettings\\CSVPOINTS");
    // A plug-in format has no caption of the string table.
    PickFormat(*dlg, 18);
    EXPECT_EQ(dlg->CaptionId(), 0u);

    // Names decide the order, not the disk.
    dlg->plugin_folder.clear();
    UsePlugins({{"a_csv.so", CSV_POINTS_PATH}, {"b_alpha.so", FIXTURE_ALPHA_PATH}}, "other");
    EXPECT_EQ(dlg->HighestFormat(), 17);
    EXPECT_EQ(dlg->PluginMap().at(16).filter_name + "|" + dlg->PluginMap().at(17).filter_name,
              "CSV point files|Alpha files");
}

TEST_F(PluginMapTest, OfTwoPluginsOfOneFormatTheLowerVersionServes) {
    const std::pair<Links, std::string> cases[] = {
        // The second one found has the lower version: it takes the entry.
        {{{"a.so", FIXTURE_SAME_V2_PATH}, {"b.so", FIXTURE_SAME_V1_PATH}}, "Same v1"},
        // The second one has the higher version: the first stays.
        {{{"a.so", FIXTURE_SAME_V1_PATH}, {"b.so", FIXTURE_SAME_V2_PATH}}, "Same v1"},
        // Equal versions: the first stays, whichever it is.
        {{{"a.so", FIXTURE_SAME_V1_PATH}, {"b.so", FIXTURE_SAME_V1B_PATH}}, "Same v1"},
        {{{"a.so", FIXTURE_SAME_V1B_PATH}, {"b.so", FIXTURE_SAME_V1_PATH}}, "Same v1 again"},
        // A version that cannot be read loses, first or second.
        {{{"a.so", FIXTURE_SAME_NOVERSION_PATH}, {"b.so", FIXTURE_SAME_V2_PATH}},
         "Same without version"},
        {{{"a.so", FIXTURE_SAME_V2_PATH}, {"b.so", FIXTURE_SAME_NOVERSION_PATH}}, "Same v2"},
    };
    int n = 0;
    for (const auto& [links, serving] : cases) {
        UsePlugins(links, "case" + std::to_string(n++));
        EXPECT_EQ(dlg->HighestFormat(), 16) << serving;
        EXPECT_EQ(dlg->PluginMap().at(16).filter_name, serving);
    }
    // The losing plug-ins were given back.
    dlg->ClearPluginMap();
    for (const char* lib : {FIXTURE_SAME_V1_PATH, FIXTURE_SAME_V1B_PATH, FIXTURE_SAME_V2_PATH,
                            FIXTURE_SAME_NOVERSION_PATH})
        EXPECT_EQ(StateOf(lib).live_objects, 0) << lib;
}

TEST_F(PluginMapTest, BrokenLibrariesAreSkippedWithoutHarm) {
    const fs::path folder = dir() / "plugins";
    fs::create_directories(folder / "folder.so");
    std::ofstream(folder / "0_text.so") << "this is not a shared object\n";
    std::ofstream(folder / "0_empty.so");
    std::ofstream(folder / "readme.txt") << "not a library name\n";
    fs::create_symlink(folder / "nowhere.so", folder / "0_dangling.so");
    UsePlugins({{"1_no_create.so", FIXTURE_NO_CREATE_PATH},
                {"2_no_interface.so", FIXTURE_NO_INTERFACE_PATH},
                {"3_no_format_id.so", FIXTURE_NO_FORMAT_ID_PATH},
                {"4_null_instance.so", FIXTURE_NULL_INSTANCE_PATH},
                {"5_csv.so", CSV_POINTS_PATH},
                {"6_throws.so", FIXTURE_THROWS_PATH}});
    // Only the example and the plug-in that throws from some calls are formats.
    EXPECT_EQ(dlg->HighestFormat(), 17);
    EXPECT_EQ(dlg->PluginMap().at(16).filter_name, "CSV point files");
    // The name of the one that throws could not be read: the format is named by its id.
    EXPECT_EQ(dlg->PluginMap().at(17).filter_name, "{F6081729-AEB3-44C5-D6E7-F8091A2B3C4D}");
    // Objects without the interface or without a format were released at once.
    EXPECT_EQ(StateOf(FIXTURE_NO_INTERFACE_PATH).live_objects, 0);
    EXPECT_EQ(StateOf(FIXTURE_NO_FORMAT_ID_PATH).live_objects, 0);
    // Pages that throw leave the general ones.
    PickFormat(*dlg, 17);
    size_t pages = 0;
    InSheet([&](CImpOptDlgSheet& sheet) { pages = sheet.PageCount(); });
    dlg->OnOptions();
    EXPECT_EQ(pages, 2u);
}

TEST_F(PluginMapTest, EveryPluginIsReleasedWhenTheMapIsEmptiedOrRebuilt) {
    FixtureState& alpha = StateOf(FIXTURE_ALPHA_PATH);
    const int before = alpha.live_objects;
    UsePlugins({{"alpha.so", FIXTURE_ALPHA_PATH}});
    EXPECT_EQ(alpha.live_objects, before + 1);
    {
        auto held = dlg->FindPlugin(16);
        dlg->CreatePluginMap();  // a new object replaces the old one
        EXPECT_EQ(alpha.live_objects, before + 2) << "the held reference keeps the old one";
    }
    EXPECT_EQ(alpha.live_objects, before + 1);
    dlg->ClearPluginMap();
    EXPECT_TRUE(alpha.live_objects == before && dlg->PluginMap().empty()) << alpha.live_objects;

    UsePlugins({{"alpha.so", FIXTURE_ALPHA_PATH}}, "again");
    dlg.reset();  // the dialog gives its plug-ins back when it goes
    EXPECT_EQ(alpha.live_objects, before);
}

// The folder comes from the company paths; a stored plug-in format opens while it is there.
TEST_F(PluginMapTest, TheFolderComesFromTheCompanyPaths) {
    // Without a folder only the built-in formats exist.
    dlg->CreatePluginMap();
    EXPECT_EQ(dlg->HighestFormat(), 15);
    ASSERT_EQ(dlg->PluginMap().size(), 16u);
    for (int i = -1; i <= 17; ++i) EXPECT_EQ(dlg->FindPlugin(i), nullptr) << i;

    const fs::path folder = dir() / "stored";
    fs::create_directories(folder);
    fs::create_symlink(CSV_POINTS_PATH, folder / "csv.so");
    profile().WriteInt("ImportSettings", "CurrentSelection", 16);
    for (const std::string& path :
         {(dir() / "missing").string(), folder.string() + "/", folder.string(), std::string()}) {
        profile().WriteString("Company\\Paths", "OrvelDatPlugins", path);
        int shown = -1;
        front->Queue([&](ui::Dialog& d) { shown = static_cast<CImpDEVDlg&>(d).CurrentFormat(); });
        EXPECT_EQ(dlg->DoImport(), 0);
        EXPECT_EQ(shown, path.starts_with(folder.string()) ? 16 : 0) << path;
    }
}

TEST_F(PluginImportTest, ANewFormatAt16ImportsItsPointsAndNamesWhatItCannotTake) {
    UsePlugins({{"csv_points.so", CSV_POINTS_PATH}});
    tmp.Write("site.csv",
              "P1,100.5,200.25,10.125\r\n"
              "\r\n"
              " P2 , 101 , 201 , 11 , TREE \r\n"
              "\"P,3\",102,202\r\n");
    ImportNames(*dlg, 16, "site.csv");
    EXPECT_EQ(std::pair(dlg->frame().end_code, prompter->beeps), std::pair(std::optional(1), 1));
    // A quoted name keeps its comma; a missing height stays unknown.
    EXPECT_EQ(Points(), "P1 100.5 200.25 10.125\nP2 101 201 11 TREE\nP,3 102 202 -\n");
    EXPECT_EQ(profile().GetInt("ImportSettings", "CurrentSelection", -1), 16) << "remembered";

    // Numbers it cannot take are named in the protocol with file and line; nothing else is lost.
    project.data().points.clear();
    dlg->frame().end_code.reset();
    tmp.Write("bad.csv", "A,1.5x,2,3\nB,1e40,2,3\n,7,8,9\nC,4,5,6\n");
    ImportNames(*dlg, 16, "bad.csv");
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
    std::vector<std::string> patterns, names;
    dlg->LoadFilters(patterns, names);
    EXPECT_EQ(patterns[4] + " " + patterns[5] + " " + names[5],
              "*.sdr;*.txt *.lpt Leica by plug-in");
    FixtureState& state = ResetState(FIXTURE_LEICA_PATH);
    PickFormat(*dlg, 5);
    EXPECT_EQ(dlg->Settings().CheckDel, 0);
    EXPECT_EQ(dlg->Settings().OnRelief, 1) << "the fixture's default";
    testing_support::EditSettings(*dlg, [&](ImportSettings& s) { s.CheckDel = 1; });
    dlg->SaveData();
    EXPECT_EQ(profile().GetInt("ImportSettings\\LEICAPLUG", "CheckDel", -1), 1);
    EXPECT_FALSE(profile().Has("ImportSettings\\LEICAPLUG", "Format16Digits"))
        << "the Leica block is not the plug-in's";

    // A GSI word would mean something to the Leica reader; the plug-in reads its own lines.
    tmp.Write("job.lpt", "# plug-in points\nS1 10 20 30\nS2 11 21\n");
    ImportNames(*dlg, 5, "job.lpt");
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
        ImportNames(*dlg, 16, name);
        EXPECT_EQ(dlg->frame().end_code, 1) << round;
        for (const auto& point : project.data().points) EXPECT_FALSE(point.name.empty());
    }
}

// A plug-in that throws, or one that went away, ends its import quietly: nothing, and one beep.
TEST_F(PluginImportTest, APluginThatThrowsOrWentAwayImportsNothingButBeeps) {
    UsePlugins({{"throws.so", FIXTURE_THROWS_PATH}, {"z_csv.so", CSV_POINTS_PATH}});
    FixtureState& state = ResetState(FIXTURE_THROWS_PATH);
    tmp.Write("x.thr", "P 1 2 3\n");
    ImportNames(*dlg, 16, "x.thr");
    EXPECT_EQ(std::tuple(state.imports, dlg->frame().end_code, prompter->beeps),
              std::tuple(1, std::optional(1), 1));

    tmp.Write("p.csv", "A,1,2,3\n");
    PickFormat(*dlg, 17);
    dlg->frame().SetText(kIdNameBox, "p.csv");
    dlg->ClearPluginMap();
    dlg->OnMOK();
    EXPECT_EQ(std::pair(project.data().points.size(), prompter->beeps), std::pair(0ul, 2));
}

}  // namespace
}  // namespace plugin_test
