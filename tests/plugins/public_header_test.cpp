// The helpers that plug-in authors get with the public header.
#include <gtest/gtest.h>

#include "import/plugin_host.h"
#include "tavrin/import_plugin.h"

namespace {

TEST(PluginHeader, GuidsReadAndWriteTheirRegistryText) {
    tavrin::Guid g;
    // Braces may be left out and letters may be small; the text is always the same.
    for (const char* text :
         {"{736DD3C8-BF6A-4DA1-BBD2-4202CAC2420A}", "736dd3c8-bf6a-4da1-bbd2-4202cac2420a"}) {
        ASSERT_TRUE(tavrin::GuidFromText(text, g)) << text;
        EXPECT_EQ(g, tavrin::kIidRegImportServer);
        EXPECT_EQ(tavrin::GuidToText(g), "{736DD3C8-BF6A-4DA1-BBD2-4202CAC2420A}");
    }
    EXPECT_EQ(tavrin::GuidToText(tavrin::kIidPluginObject),
              "{00000000-0000-0000-C000-000000000046}");

    const tavrin::Guid before = g;
    for (const char* bad :
         {"", "{}", "{736DD3C8-BF6A-4DA1-BBD2-4202CAC2420}",
          "{736DD3C8-BF6A-4DA1-BBD2-4202CAC2420AA}", "736DD3C8BF6A4DA1BBD24202CAC2420A",
          "{736DD3C8-BF6A-4DA1-BBD2-4202CAC2420G}", "(736DD3C8-BF6A-4DA1-BBD2-4202CAC2420A)",
          "{736DD3C8-BF6A-4DA1-BBD2_4202CAC2420A}"}) {
        EXPECT_FALSE(tavrin::GuidFromText(bad, g)) << bad;
        EXPECT_EQ(g, before) << bad;
    }
}

TEST(PluginHeader, FileListsBecomeFullPaths) {
    using V = std::vector<std::string>;
    EXPECT_EQ(tavrin::SplitFileList("/data/a.csv"), V{"/data/a.csv"});
    EXPECT_EQ(tavrin::SplitFileList("/data/a.csv;b.csv; c d.csv ;/other/e.csv;"),
              (V{"/data/a.csv", "/data/b.csv", "/data/c d.csv", "/other/e.csv"}));
    for (const char* none : {"", ";;"}) EXPECT_EQ(tavrin::SplitFileList(none), V{}) << none;
    EXPECT_EQ(tavrin::SplitFileList("a.csv;b.csv"), (V{"a.csv", "b.csv"}));
}

// Each field has its own value, so that two fields mixed up show.
TEST(PluginHeader, TheRecordAndTheDialogSettingsMapBothWays) {
    ImportPluginSettings record{
        .flags = 0x80 | tavrin::kFlagDeleteZeros | tavrin::kFlagCodeFromProject,
        .north_style = 1,
        .false_northing = -1234.5,
        .east_style = 2,
        .false_easting = 500000,
        .zone_number = 37,
        .zone_type = 3,
        .code_system_names = "A;B;",
        .separators = {'/', '\0', ';', '#'}};
    ImportSettings s;
    SettingsFromRecord(record, s);
    EXPECT_EQ(std::vector({s.CheckUnique, s.CheckDel, s.CSFromProject, s.XStyle, s.YStyle, s.NZone,
                           s.Zone}),
              std::vector({0, 1, 1, 1, 2, 37, 3}));
    EXPECT_EQ(std::pair(s.X0, s.Y0), std::pair(-1234.5, 500000.0));
    EXPECT_EQ(s.CodeSep, "/") << "an empty separator gives the default";

    s.CheckUnique = 1;
    s.CheckDel = 0;
    s.Link = "=";
    s.NZone = 100000;  // beyond the record's field
    RecordFromSettings(s, record);
    EXPECT_EQ(record.flags, 0x80 | tavrin::kFlagUniqueNames | tavrin::kFlagCodeFromProject)
        << "bits the settings do not hold are kept";
    EXPECT_EQ(std::tuple(record.separators[1], record.zone_number, record.code_system_names),
              std::tuple('=', 32767, "A;B;"));
}

}  // namespace
