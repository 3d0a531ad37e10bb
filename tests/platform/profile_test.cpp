#include "platform/profile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using platform::Profile;

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tavrin_profile_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path WriteText(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
        return m_dir / name;
    }
    static std::string ReadText(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path m_dir;
};

TEST_F(ProfileTest, ValuesRoundTripThroughTheFile) {
    const fs::path path = m_dir / "nested" / "deeper" / "settings.toml";
    static const char kOdd[] = "line1\nline2\t\"#x\"\\ nul\0\x01\x7f";
    const std::string odd_value(kOdd, sizeof kOdd - 1);
    {
        Profile profile(path);
        EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 5));
        EXPECT_TRUE(profile.WriteInt("ImportSettings\\LEICA", "Hi412", -43));
        EXPECT_TRUE(profile.WriteString("ImportSettings\\LEICA", "Filters", "*.gsi;*.txt"));
        EXPECT_TRUE(profile.WriteString("Section import from TDEV", "File name", "/д/3TA5.txt"));
        EXPECT_TRUE(profile.WriteString("Company\\Paths", "Viewer", ""));
        EXPECT_TRUE(profile.WriteString("Odd", "a.b = \"c\"\n", odd_value));
        EXPECT_TRUE(profile.error().empty()) << profile.error();
    }
    // The section with a backslash is one quoted table, not a nested one.
    EXPECT_NE(ReadText(path).find("[\"ImportSettings\\\\LEICA\"]"), std::string::npos);

    Profile again(path);
    EXPECT_TRUE(again.error().empty()) << again.error();
    EXPECT_EQ(again.GetInt("ImportSettings", "CurrentSelection", 0), 5);
    EXPECT_EQ(again.GetInt("ImportSettings\\LEICA", "Hi412", 0), -43);
    EXPECT_EQ(again.GetString("ImportSettings\\LEICA", "Filters", "?"), "*.gsi;*.txt");
    EXPECT_EQ(again.GetString("Section import from TDEV", "File name", "?"), "/д/3TA5.txt");
    EXPECT_TRUE(again.Has("Company\\Paths", "Viewer"));
    EXPECT_EQ(again.GetString("Company\\Paths", "Viewer", "?"), "");
    EXPECT_EQ(again.GetString("Odd", "a.b = \"c\"\n", "?"), odd_value);
    EXPECT_FALSE(again.Has("ImportSettings", "Hi412"));
}

TEST_F(ProfileTest, LookupsConvertOrFallBack) {
    Profile profile(m_dir / "s.toml");
    for (const char* text : {" 42 ", "+42"}) {
        profile.WriteString("S", "K", text);
        EXPECT_EQ(profile.GetInt("S", "K", -1), 42) << text;
    }
    for (const char* text : {"abc", "12abc", "", "99999999999"}) {
        profile.WriteString("S", "K", text);
        EXPECT_EQ(profile.GetInt("S", "K", -1), -1) << text;
    }
    profile.WriteInt("S", "K", -3);
    EXPECT_EQ(profile.GetString("S", "K", "?"), "-3");
    EXPECT_EQ(profile.GetInt("S", "Missing", 9), 9);
    EXPECT_EQ(profile.GetString("Nowhere", "K", "dflt"), "dflt");
    EXPECT_FALSE(profile.Has("Nowhere", "K"));
}

TEST_F(ProfileTest, HandWrittenFilesAreReadAndKeptOnSaving) {
    const auto path = WriteText("hand.toml",
                                "top = 1\n[ImportSettings]\nCurrentSelection = 3\nFlag = true\n"
                                "X0 = 1.5\n[ImportSettings.SDR]\nCodeSep = \"/\"\n");
    Profile profile(path);
    EXPECT_TRUE(profile.error().empty()) << profile.error();
    EXPECT_EQ(profile.GetInt("ImportSettings", "Flag", 0), 1);
    // A dotted table written by hand is the backslash section.
    EXPECT_EQ(profile.GetString("ImportSettings\\SDR", "CodeSep", ""), "/");

    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 4));
    Profile again(path);
    EXPECT_EQ(again.GetInt("ImportSettings", "CurrentSelection", 0), 4);
    EXPECT_EQ(again.GetString("ImportSettings\\SDR", "CodeSep", ""), "/");
    EXPECT_EQ(again.GetString("ImportSettings", "X0", ""), "1.5");
    EXPECT_EQ(again.GetInt("", "top", 0), 1);
}

TEST_F(ProfileTest, BrokenFilesGiveDefaultsAndAreKeptAsideOnSaving) {
    const std::string text = "[ImportSettings]\nCurrentSelection = = 3\n[[[";
    const auto path = WriteText("settings.toml", text);
    Profile profile(path);
    EXPECT_NE(profile.error().find("settings.toml"), std::string::npos) << profile.error();
    EXPECT_NE(profile.error().find("line 2"), std::string::npos) << profile.error();
    EXPECT_EQ(profile.GetInt("ImportSettings", "CurrentSelection", 7), 7);

    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 6));
    EXPECT_NE(profile.error().find("settings.toml.broken"), std::string::npos) << profile.error();
    EXPECT_EQ(ReadText(m_dir / "settings.toml.broken"), text);
    // Later saves replace only the good file.
    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 8));
    EXPECT_EQ(ReadText(m_dir / "settings.toml.broken"), text);
    Profile fresh(path);
    EXPECT_TRUE(fresh.error().empty()) << fresh.error();
    EXPECT_EQ(fresh.GetInt("ImportSettings", "CurrentSelection", 0), 8);

    EXPECT_FALSE(Profile(WriteText("bin.toml", std::string("\0\xff[\x01=\"", 6))).error().empty());

    // A folder in the way is not read and not saved over; the value still holds for the run.
    Profile folder(m_dir);
    EXPECT_NE(folder.error().find("folder"), std::string::npos) << folder.error();
    EXPECT_FALSE(folder.WriteInt("A", "B", 2));
    EXPECT_EQ(folder.GetInt("A", "B", 1), 2);
    EXPECT_TRUE(fs::is_directory(m_dir));

    if (::geteuid() != 0) {  // root reads everything
        const auto locked = WriteText("locked.toml", "[A]\nB = 1\n");
        fs::permissions(locked, fs::perms::none);
        Profile unreadable(locked);
        EXPECT_NE(unreadable.error().find("Permission denied"), std::string::npos);
        EXPECT_EQ(unreadable.GetInt("A", "B", 5), 5);
    }
}

TEST_F(ProfileTest, MissingFileAndSavingLeaveNoStrayFiles) {
    const auto path = m_dir / "settings.toml";
    Profile profile(path);
    EXPECT_TRUE(profile.error().empty());
    EXPECT_FALSE(fs::exists(path));  // reading alone creates nothing

    for (int i = 0; i < 20; ++i) ASSERT_TRUE(profile.WriteInt("S", "K" + std::to_string(i), i));
    // Text that is not UTF-8 is kept for the run but not written, so the file stays readable.
    EXPECT_FALSE(profile.WriteString("S", "Bad", "\xC0\xE0"));
    EXPECT_EQ(profile.GetString("S", "Bad", ""), "\xC0\xE0");
    EXPECT_TRUE(profile.WriteInt("S", "After", 1));

    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
    Profile again(path);
    EXPECT_TRUE(again.error().empty()) << again.error();
    EXPECT_EQ(again.GetInt("S", "K19", -1), 19);
    EXPECT_FALSE(again.Has("S", "Bad"));
}

TEST_F(ProfileTest, DefaultPathFollowsTheEnvironment) {
    struct Case {
        const char* config;
        const char* xdg;
        const char* expected;
    } const cases[] = {
        {"/tmp/x/explicit.toml", "/xdg", "/tmp/x/explicit.toml"},
        {"", "/xdg", "/xdg/tavrin/settings.toml"},
        {nullptr, nullptr, "/home/someone/.config/tavrin/settings.toml"},
        {nullptr, "relative/dir", "/home/someone/.config/tavrin/settings.toml"},
    };
    const std::string saved[] = {getenv("TAVRIN_CONFIG") ? getenv("TAVRIN_CONFIG") : "",
                                 getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "",
                                 getenv("HOME") ? getenv("HOME") : ""};
    auto set = [](const char* name, const char* value) {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    };
    for (const auto& c : cases) {
        set("TAVRIN_CONFIG", c.config);
        set("XDG_CONFIG_HOME", c.xdg);
        set("HOME", "/home/someone");
        EXPECT_EQ(Profile::DefaultPath(), fs::path(c.expected));
    }
    set("TAVRIN_CONFIG", saved[0].empty() ? nullptr : saved[0].c_str());
    set("XDG_CONFIG_HOME", saved[1].empty() ? nullptr : saved[1].c_str());
    set("HOME", saved[2].empty() ? nullptr : saved[2].c_str());
}

TEST_F(ProfileTest, TheProcessWideStoreSwitchesFiles) {
    const auto first = WriteText("first.toml", "[S]\nK = 1\n");
    const auto second = WriteText("second.toml", "[S]\nK = 2\n");
    Profile::UseFile(first);
    Profile& store = Profile::Instance();
    EXPECT_EQ(store.GetInt("S", "K", 0), 1);

    Profile::UseFile(second);
    EXPECT_EQ(&Profile::Instance(), &store);  // references taken earlier stay good
    EXPECT_EQ(store.path(), second);
    EXPECT_TRUE(store.WriteInt("S", "K", 3));
    EXPECT_EQ(Profile(second).GetInt("S", "K", 0), 3);
    EXPECT_EQ(Profile(first).GetInt("S", "K", 0), 1);

    Profile::UseFile(m_dir / "absent.toml");
    EXPECT_EQ(store.GetInt("S", "K", 0), 0);
}

}  // namespace
