#include "platform/profile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace fs = std::filesystem;
using platform::Profile;

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("tavrin_profile_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path WriteText(const std::string& name, const std::string& text) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string ReadText(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path m_dir;
};

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST_F(ProfileTest, ValuesRoundTripThroughTheFile) {
    const fs::path path = m_dir / "nested" / "deeper" / "settings.toml";
    {
        Profile profile(path);
        EXPECT_TRUE(profile.error().empty());
        EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 5));
        EXPECT_TRUE(profile.WriteInt("ImportSettings\\LEICA", "Hi412", 43));
        EXPECT_TRUE(profile.WriteInt("ImportSettings\\LEICA", "Negative", -17));
        EXPECT_TRUE(profile.WriteString("ImportSettings\\LEICA", "StationW41", "1"));
        EXPECT_TRUE(profile.WriteString("ImportSettings\\LEICA", "Filters", "*.gsi;*.txt"));
        EXPECT_TRUE(profile.WriteString("Section import from TDEV", "File name",
                                        "/home/u/Данные \"3TA5\"\\a.txt"));
        EXPECT_TRUE(profile.WriteString("Company\\Paths", "Viewer", ""));
        EXPECT_TRUE(profile.WriteString("Odd", "Tab\tand\nnewline", "line1\nline2\t#x"));
        EXPECT_TRUE(profile.WriteString("Odd", "a.b = c", std::string("nul\0\x01\x7f", 6)));
        EXPECT_TRUE(profile.error().empty()) << profile.error();
    }
    // The section with a backslash is one table, not a nested one.
    const std::string text = ReadText(path);
    EXPECT_NE(text.find("[\"ImportSettings\\\\LEICA\"]"), std::string::npos) << text;

    Profile again(path);
    EXPECT_TRUE(again.error().empty()) << again.error();
    EXPECT_EQ(again.GetInt("ImportSettings", "CurrentSelection", 0), 5);
    EXPECT_EQ(again.GetInt("ImportSettings\\LEICA", "Hi412", 0), 43);
    EXPECT_EQ(again.GetInt("ImportSettings\\LEICA", "Negative", 0), -17);
    EXPECT_EQ(again.GetString("ImportSettings\\LEICA", "StationW41", "?"), "1");
    EXPECT_EQ(again.GetString("ImportSettings\\LEICA", "Filters", "?"), "*.gsi;*.txt");
    EXPECT_EQ(again.GetString("Section import from TDEV", "File name", "?"),
              "/home/u/Данные \"3TA5\"\\a.txt");
    EXPECT_TRUE(again.Has("Company\\Paths", "Viewer"));
    EXPECT_EQ(again.GetString("Company\\Paths", "Viewer", "?"), "");
    EXPECT_EQ(again.GetString("Odd", "Tab\tand\nnewline", "?"), "line1\nline2\t#x");
    EXPECT_EQ(again.GetString("Odd", "a.b = c", "?"), std::string("nul\0\x01\x7f", 6));
    // The plain section and its backslash subsection do not mix.
    EXPECT_FALSE(again.Has("ImportSettings", "Hi412"));
    EXPECT_FALSE(again.Has("ImportSettings\\LEICA", "CurrentSelection"));
}

TEST_F(ProfileTest, LookupsConvertAndFallBack) {
    Profile profile(m_dir / "s.toml");
    profile.WriteString("S", "Number", " 42 ");
    profile.WriteString("S", "Plus", "+7");
    profile.WriteString("S", "Word", "abc");
    profile.WriteString("S", "Trailing", "12abc");
    profile.WriteString("S", "Huge", "99999999999");
    profile.WriteInt("S", "Int", -3);

    EXPECT_EQ(profile.GetInt("S", "Number", -1), 42);
    EXPECT_EQ(profile.GetInt("S", "Plus", -1), 7);
    EXPECT_EQ(profile.GetInt("S", "Word", -1), -1);
    EXPECT_EQ(profile.GetInt("S", "Trailing", -1), -1);
    EXPECT_EQ(profile.GetInt("S", "Huge", -1), -1);
    EXPECT_EQ(profile.GetString("S", "Int", "?"), "-3");
    EXPECT_EQ(profile.GetInt("S", "Missing", 9), 9);
    EXPECT_EQ(profile.GetInt("Nowhere", "Int", 9), 9);
    EXPECT_EQ(profile.GetString("Nowhere", "Int", "dflt"), "dflt");
    EXPECT_FALSE(profile.Has("Nowhere", "Int"));

    // Overwriting changes the type too.
    profile.WriteInt("S", "Word", 11);
    EXPECT_EQ(Profile(m_dir / "s.toml").GetInt("S", "Word", -1), 11);
}

TEST_F(ProfileTest, HandWrittenFilesAreUnderstood) {
    const auto path = WriteText("hand.toml",
                                "# comment\n"
                                "top = 1\n"
                                "[ImportSettings]\n"
                                "CurrentSelection = 3\n"
                                "Flag = true\n"
                                "X0 = 1.5\n"
                                "[ImportSettings.SDR]\n"
                                "CodeSep = \"/\"\n"
                                "[\"ImportSettings\\\\LEICA\"]\n"
                                "Hv412 = 44\n");
    Profile profile(path);
    EXPECT_TRUE(profile.error().empty()) << profile.error();
    EXPECT_EQ(profile.GetInt("ImportSettings", "CurrentSelection", 0), 3);
    EXPECT_EQ(profile.GetInt("ImportSettings", "Flag", 0), 1);
    EXPECT_EQ(profile.GetString("ImportSettings", "X0", ""), "1.5");
    // A dotted table written by hand is the backslash section.
    EXPECT_EQ(profile.GetString("ImportSettings\\SDR", "CodeSep", ""), "/");
    EXPECT_EQ(profile.GetInt("ImportSettings\\LEICA", "Hv412", 0), 44);
    // Saving keeps what was read.
    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 4));
    Profile again(path);
    EXPECT_EQ(again.GetInt("ImportSettings", "CurrentSelection", 0), 4);
    EXPECT_EQ(again.GetString("ImportSettings\\SDR", "CodeSep", ""), "/");
    EXPECT_EQ(again.GetString("ImportSettings", "X0", ""), "1.5");
    EXPECT_EQ(again.GetInt("ImportSettings\\LEICA", "Hv412", 0), 44);
    EXPECT_EQ(again.GetInt("", "top", 0), 1);
}

TEST_F(ProfileTest, BrokenOrUnreadableFilesGiveDefaultsAndAReason) {
    const auto broken = WriteText("broken.toml", "[ImportSettings]\nCurrentSelection = = 3\n[[[");
    Profile profile(broken);
    EXPECT_FALSE(profile.error().empty());
    EXPECT_NE(profile.error().find("broken.toml"), std::string::npos) << profile.error();
    EXPECT_NE(profile.error().find("line 2"), std::string::npos) << profile.error();
    EXPECT_EQ(profile.GetInt("ImportSettings", "CurrentSelection", 7), 7);
    EXPECT_FALSE(profile.Has("ImportSettings", "CurrentSelection"));

    // Binary rubbish is no different.
    const auto rubbish = WriteText("rubbish.toml", std::string("\0\xff\xfe[\x01=\"", 7));
    Profile garbage(rubbish);
    EXPECT_FALSE(garbage.error().empty());
    EXPECT_EQ(garbage.GetString("A", "B", "d"), "d");

    Profile folder(m_dir);
    EXPECT_NE(folder.error().find("folder"), std::string::npos) << folder.error();
    EXPECT_EQ(folder.GetInt("A", "B", 1), 1);
    // A folder in the way cannot be saved over; the value still holds for this run.
    EXPECT_FALSE(folder.WriteInt("A", "B", 2));
    EXPECT_FALSE(folder.error().empty());
    EXPECT_EQ(folder.GetInt("A", "B", 1), 2);
    EXPECT_TRUE(fs::is_directory(m_dir));

    if (::geteuid() != 0) {
        const auto locked = WriteText("locked.toml", "[A]\nB = 1\n");
        fs::permissions(locked, fs::perms::none);
        Profile unreadable(locked);
        EXPECT_NE(unreadable.error().find("Permission denied"), std::string::npos)
            << unreadable.error();
        EXPECT_EQ(unreadable.GetInt("A", "B", 5), 5);
    }

    // Fixing the file and reloading clears the complaint.
    WriteText("broken.toml", "[ImportSettings]\nCurrentSelection = 3\n");
    profile.Reload();
    EXPECT_TRUE(profile.error().empty()) << profile.error();
    EXPECT_EQ(profile.GetInt("ImportSettings", "CurrentSelection", 7), 3);
}

TEST_F(ProfileTest, SavingOverABrokenFileKeepsItAside) {
    const std::string text = "[ImportSettings]\nCurrentSelection = \"unterminated\n";
    const auto path = WriteText("settings.toml", text);
    Profile profile(path);
    ASSERT_FALSE(profile.error().empty());

    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 6));
    EXPECT_NE(profile.error().find("settings.toml.broken"), std::string::npos) << profile.error();
    EXPECT_EQ(ReadText(m_dir / "settings.toml.broken"), text);
    Profile fresh(path);
    EXPECT_TRUE(fresh.error().empty()) << fresh.error();
    EXPECT_EQ(fresh.GetInt("ImportSettings", "CurrentSelection", 0), 6);

    // Only the first save moves the file; later ones simply replace the good file.
    EXPECT_TRUE(profile.WriteInt("ImportSettings", "CurrentSelection", 7));
    EXPECT_EQ(ReadText(m_dir / "settings.toml.broken"), text);
    EXPECT_EQ(Profile(path).GetInt("ImportSettings", "CurrentSelection", 0), 7);
}

TEST_F(ProfileTest, MissingFileIsEmptyWithoutComplaint) {
    const auto path = m_dir / "none" / "settings.toml";
    Profile profile(path);
    EXPECT_TRUE(profile.error().empty());
    EXPECT_EQ(profile.GetInt("ImportSettings", "CurrentSelection", 2), 2);
    EXPECT_FALSE(fs::exists(path));  // reading alone creates nothing
    EXPECT_EQ(profile.path(), path);
}

TEST_F(ProfileTest, SavingLeavesOnlyTheTargetFile) {
    const auto path = m_dir / "settings.toml";
    Profile profile(path);
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(profile.WriteInt("S", "K" + std::to_string(i), i));
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        ++files;
        EXPECT_EQ(entry.path().filename(), "settings.toml");
    }
    EXPECT_EQ(files, 1u);
    EXPECT_EQ(Profile(path).GetInt("S", "K19", -1), 19);

    // Text that is not UTF-8 is kept for the run but not written, so the file stays readable.
    EXPECT_FALSE(profile.WriteString("S", "Bad", "\xC0\xE0"));
    EXPECT_FALSE(profile.error().empty());
    EXPECT_EQ(profile.GetString("S", "Bad", ""), "\xC0\xE0");
    EXPECT_TRUE(profile.WriteInt("S", "After", 1));
    Profile again(path);
    EXPECT_TRUE(again.error().empty()) << again.error();
    EXPECT_FALSE(again.Has("S", "Bad"));
    EXPECT_EQ(again.GetInt("S", "After", 0), 1);
}

TEST_F(ProfileTest, DefaultPathFollowsTheEnvironment) {
    {
        ScopedEnv config("TAVRIN_CONFIG", "/tmp/x/explicit.toml");
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(Profile::DefaultPath(), fs::path("/tmp/x/explicit.toml"));
    }
    {
        ScopedEnv config("TAVRIN_CONFIG", "");
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(Profile::DefaultPath(), fs::path("/xdg/tavrin/settings.toml"));
    }
    {
        ScopedEnv config("TAVRIN_CONFIG", nullptr);
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(Profile::DefaultPath(), fs::path("/home/someone/.config/tavrin/settings.toml"));
        // A relative XDG folder is ignored.
        ScopedEnv relative("XDG_CONFIG_HOME", "relative/dir");
        EXPECT_EQ(Profile::DefaultPath(), fs::path("/home/someone/.config/tavrin/settings.toml"));
    }
}

TEST_F(ProfileTest, TheProcessWideStoreSwitchesFiles) {
    const auto first = WriteText("first.toml", "[S]\nK = 1\n");
    const auto second = WriteText("second.toml", "[S]\nK = 2\n");

    Profile::UseFile(first);
    Profile& store = Profile::Instance();
    EXPECT_EQ(store.path(), first);
    EXPECT_EQ(store.GetInt("S", "K", 0), 1);

    Profile::UseFile(second);
    // The same object, now reading the other file.
    EXPECT_EQ(&Profile::Instance(), &store);
    EXPECT_EQ(store.GetInt("S", "K", 0), 2);
    EXPECT_TRUE(store.WriteInt("S", "K", 3));
    EXPECT_EQ(Profile(second).GetInt("S", "K", 0), 3);
    EXPECT_EQ(Profile(first).GetInt("S", "K", 0), 1);

    Profile::UseFile(m_dir / "absent.toml");
    EXPECT_EQ(store.GetInt("S", "K", 0), 0);
    EXPECT_TRUE(store.error().empty());
}

}  // namespace
