// Building the format map from a plug-in folder.
#include <gmock/gmock.h>

#include <string>

#include "plugin_fixture.h"

using ::testing::HasSubstr;

namespace plugin_test {
namespace {

using PluginMapTest = PluginTest;

TEST_F(PluginMapTest, ThreeNewPluginsGet16To18InTheOrderOfTheirNames) {
    UsePlugins({{"1_alpha.so", FIXTURE_ALPHA_PATH},
                {"2_beta.so", FIXTURE_BETA_PATH},
                {"3_csv.so", CSV_POINTS_PATH}});
    EXPECT_EQ(dlg->HighestFormat(), 18);
    std::vector<std::string> names;
    const auto patterns = Filters(&names);
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
    dlg->SetOFN();
    EXPECT_THAT(dlg->FilterText(), HasSubstr("CSV point files (*.csv)"));
    // A plug-in format has no caption of the string table.
    dlg->SetCurrentFormat(18);
    dlg->frame().SetSelection(kIdTypeList, 18);
    dlg->OnTypeChange();
    EXPECT_EQ(dlg->CaptionId(), 0u);

    // Names decide the order, not the disk.
    dlg->plugin_folder.clear();
    UsePlugins({{"a_csv.so", CSV_POINTS_PATH}, {"b_alpha.so", FIXTURE_ALPHA_PATH}}, "other");
    EXPECT_EQ(dlg->HighestFormat(), 17);
    EXPECT_EQ(dlg->PluginMap().at(16).filter_name + "|" + dlg->PluginMap().at(17).filter_name,
              "CSV point files|Alpha files");
}

TEST_F(PluginMapTest, OfTwoPluginsOfOneFormatTheLowerVersionServes) {
    struct Case {
        Links links;
        std::string serving;
    };
    const Case cases[] = {
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
    for (const auto& c : cases) {
        UsePlugins(c.links, "case" + std::to_string(n++));
        EXPECT_EQ(dlg->HighestFormat(), 16) << c.serving;
        const PluginEntry& entry = dlg->PluginMap().at(16);
        EXPECT_EQ(entry.guid, "{0D5E7A61-3C2B-4E8F-9B14-6A7C8D9E0F21}");
        EXPECT_EQ(entry.filter_name, c.serving);
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
    const PluginEntry& throws = dlg->PluginMap().at(17);
    EXPECT_EQ(throws.filter_pattern, "*.thr");
    // Its name could not be read: the format is named by its id.
    EXPECT_EQ(throws.filter_name, "{F6081729-AEB3-44C5-D6E7-F8091A2B3C4D}");
    // Objects without the interface or without a format were released at once.
    EXPECT_EQ(StateOf(FIXTURE_NO_INTERFACE_PATH).live_objects, 0);
    EXPECT_EQ(StateOf(FIXTURE_NO_FORMAT_ID_PATH).live_objects, 0);
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
    EXPECT_EQ(alpha.live_objects, before);
    EXPECT_TRUE(dlg->PluginMap().empty());

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
    EXPECT_EQ(dlg->PluginMap().at(15).guid, "{11811C15-FA4E-4D93-BA1D-CFB7323D65FB}");
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

}  // namespace
}  // namespace plugin_test
