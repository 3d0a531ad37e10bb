#include "platform/profile.h"

#include <gmock/gmock.h>

#include <tuple>
#include <vector>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

using platform::Profile;
class ProfileTest : public ::testing::Test {
  protected:
    testing_support::TempDir tmp;
};

TEST_F(ProfileTest, ValuesRoundTripThroughTheFile) {
    static const char kOdd[] = "line1\nline2\t\"#x\"\\ nul\0\x01\x7f";
    struct Row {
        std::string section, key, value;
    };
    const std::vector<Row> rows = {
        {"ImportSettings\\LEICA", "Filters", "*.gsi;*.txt"},
        {"Section import from TDEV", "File name", "/д/3TA5.txt"},
        {"Company\\Paths", "Viewer", ""},
        {"Odd", "a.b = \"c\"\n", std::string(kOdd, sizeof kOdd - 1)},
    };
    const fs::path path = tmp.path() / "nested" / "deeper" / "settings.toml";
    {
        Profile profile(path);
        EXPECT_TRUE(profile.WriteInt("ImportSettings\\LEICA", "Hi412", -43));
        for (const Row& row : rows)
            EXPECT_TRUE(profile.WriteString(row.section, row.key, row.value));
        EXPECT_TRUE(profile.error().empty()) << profile.error();
    }
    // The section with a backslash is one quoted table, not a nested one.
    EXPECT_THAT(tmp.Read(path), HasSubstr("[\"ImportSettings\\\\LEICA\"]"));

    Profile again(path);
    EXPECT_TRUE(again.error().empty()) << again.error();
    EXPECT_EQ(again.GetInt("ImportSettings\\LEICA", "Hi412", 0), -43);
    for (const Row& row : rows) {
        EXPECT_TRUE(again.Has(row.section, row.key)) << row.key;
        EXPECT_EQ(again.GetString(row.section, row.key, "?"), row.value) << row.key;
    }
    EXPECT_FALSE(again.Has("ImportSettings", "Hi412"));
}

TEST_F(ProfileTest, LookupsConvertOrFallBack) {
    Profile profile(tmp.path() / "s.toml");
    const std::pair<const char*, int> rows[] = {{" 42 ", 42},  {"+42", 42}, {"abc", -1},
                                                {"12abc", -1}, {"", -1},    {"99999999999", -1}};
    for (auto [text, expected] : rows) {
        profile.WriteString("S", "K", text);
        EXPECT_EQ(profile.GetInt("S", "K", -1), expected) << text;
    }
    profile.WriteInt("S", "K", -3);
    EXPECT_EQ(profile.GetString("S", "K", "?"), "-3");
}

TEST_F(ProfileTest, HandWrittenFilesAreReadAndKeptOnSaving) {
    const auto path = tmp.Write("hand.toml",
                                "top = 1\n[ImportSettings]\nCurrentSelection = 3\nFlag = true\n"
                                "X0 = 1.5\n[ImportSettings.SDR]\nCodeSep = \"/\"\n");
    Profile profile(path);
    EXPECT_TRUE(profile.error().empty()) << profile.error();
    EXPECT_EQ(profile.GetInt("ImportSettings", "Flag", 0), 1);
    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 4));

    Profile again(path);
    EXPECT_EQ(again.GetInt("ImportSettings", "CurrentSelection", 0), 4);
    // A dotted table written by hand is the backslash section.
    EXPECT_EQ(again.GetString("ImportSettings\\SDR", "CodeSep", ""), "/");
    EXPECT_EQ(again.GetString("ImportSettings", "X0", ""), "1.5");
    EXPECT_EQ(again.GetInt("", "top", 0), 1);
}

TEST_F(ProfileTest, BrokenFilesAreMovedAsideAndEarlierCopiesKept) {
    const std::string text = "[ImportSettings]\nCurrentSelection = = 3\n[[[";
    const auto path = tmp.Write("settings.toml", text);
    Profile profile(path);
    EXPECT_THAT(profile.problem(), HasSubstr("line 2"));
    EXPECT_EQ(profile.moved_aside(), tmp.path() / "settings.toml.broken");
    EXPECT_EQ(profile.GetInt("ImportSettings", "CurrentSelection", 7), 7);
    EXPECT_EQ(tmp.Read(tmp.path() / "settings.toml.broken"), text);
    // The next save makes a good file; a second breakage does not replace the first copy.
    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 8));
    EXPECT_EQ(Profile(path).GetInt("ImportSettings", "CurrentSelection", 0), 8);
    tmp.Write("settings.toml", "x = = 1");
    EXPECT_EQ(Profile(path).moved_aside(), tmp.path() / "settings.toml.broken.2");
    EXPECT_EQ(tmp.Read(tmp.path() / "settings.toml.broken"), text);
    EXPECT_EQ(tmp.Read(tmp.path() / "settings.toml.broken.2"), "x = = 1");

    EXPECT_FALSE(Profile(tmp.Write("bin.toml", std::string("\0\xff[\x01=\"", 6))).error().empty());

    // A folder in the way is not read and not saved over; the value still holds for the run.
    Profile folder(tmp.path());
    EXPECT_THAT(folder.error(), HasSubstr("folder"));
    EXPECT_FALSE(folder.WriteInt("A", "B", 2));
    EXPECT_EQ(folder.GetInt("A", "B", 1), 2);
    EXPECT_TRUE(fs::is_directory(tmp.path()));

    if (::geteuid() != 0) {  // root reads everything
        const auto locked = tmp.Write("locked.toml", "[A]\nB = 1\n");
        fs::permissions(locked, fs::perms::none);
        Profile unreadable(locked);
        EXPECT_THAT(unreadable.error(), HasSubstr("Permission denied"));
        EXPECT_EQ(unreadable.GetInt("A", "B", 5), 5);
    }
}

TEST_F(ProfileTest, DeferredWritesAreSavedOnceAndVolatileOnesNever) {
    const auto path = tmp.path() / "settings.toml";
    Profile profile(path);
    profile.SetDeferred(true);
    profile.WriteInt("S", "A", 1);
    profile.WriteString("S", "B", "two");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(Profile(path).GetString("S", "B", ""), "two");
    const auto saved = fs::last_write_time(path);
    profile.SetVolatile(true);
    profile.WriteInt("S", "A", 5);
    profile.SetVolatile(false);
    EXPECT_TRUE(profile.Flush());  // nothing to save
    EXPECT_EQ(fs::last_write_time(path), saved);
    EXPECT_EQ(Profile(path).GetInt("S", "A", 0), 1);
}

TEST_F(ProfileTest, MissingFileAndTextThatIsNotUtf8) {
    const auto path = tmp.path() / "settings.toml";
    Profile profile(path);
    EXPECT_TRUE(profile.error().empty());
    EXPECT_FALSE(fs::exists(path));  // reading alone creates nothing

    // Text that is not UTF-8 is kept for the run but not written, so the file stays readable.
    EXPECT_FALSE(profile.WriteString("S", "Bad", "\xC0\xE0"));
    EXPECT_EQ(profile.GetString("S", "Bad", ""), "\xC0\xE0");
    EXPECT_TRUE(profile.WriteInt("S", "After", 1));
    Profile again(path);
    EXPECT_TRUE(again.error().empty()) << again.error();
    EXPECT_EQ(again.GetInt("S", "After", -1), 1);
    EXPECT_FALSE(again.Has("S", "Bad"));
}

TEST_F(ProfileTest, DefaultPathFollowsTheEnvironment) {
    // TAVRIN_CONFIG, XDG_CONFIG_HOME and the path they give.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"/tmp/x/explicit.toml", "/xdg", "/tmp/x/explicit.toml"},
        {"", "/xdg", "/xdg/tavrin/settings.toml"},
        {nullptr, nullptr, "/home/someone/.config/tavrin/settings.toml"},
        {nullptr, "relative/dir", "/home/someone/.config/tavrin/settings.toml"},
    };
    testing_support::ScopedEnv env;
    for (auto [config, xdg, expected] : rows) {
        env.Set("TAVRIN_CONFIG", config);
        env.Set("XDG_CONFIG_HOME", xdg);
        env.Set("HOME", "/home/someone");
        EXPECT_EQ(Profile::DefaultPath(), fs::path(expected));
    }
}

TEST_F(ProfileTest, TheProcessWideStoreSwitchesFiles) {
    const auto first = tmp.Write("first.toml", "[S]\nK = 1\n");
    const auto second = tmp.Write("second.toml", "[S]\nK = 2\n");
    Profile::UseFile(first);
    Profile& store = Profile::Instance();
    EXPECT_EQ(store.GetInt("S", "K", 0), 1);

    Profile::UseFile(second);
    EXPECT_EQ(&Profile::Instance(), &store);  // references taken earlier stay good
    EXPECT_TRUE(store.WriteInt("S", "K", 3));
    EXPECT_EQ(Profile(second).GetInt("S", "K", 0), 3);
    EXPECT_EQ(Profile(first).GetInt("S", "K", 0), 1);

    Profile::UseFile(tmp.path() / "absent.toml");
    EXPECT_EQ(store.GetInt("S", "K", 0), 0);
}

}  // namespace
