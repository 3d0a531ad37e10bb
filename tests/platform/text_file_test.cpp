#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::TextFile;

namespace {

// A fresh folder per test, removed afterwards.
class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("tavrin_textfile_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path WriteBytes(const std::string& name, const std::string& bytes) {
        const fs::path path = m_dir / name;
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static std::string ReadBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::vector<std::string> AllLines(const fs::path& path, size_t limit = 1023) {
        TextFile file;
        EXPECT_TRUE(file.Open(path, TextFile::Read)) << file.error();
        std::vector<std::string> lines;
        std::string line;
        while (file.ReadLine(line, limit)) lines.push_back(line);
        EXPECT_TRUE(file.eof());
        return lines;
    }

    fs::path m_dir;
};

TEST_F(TextFileTest, LineEndsAreTranslatedOnRead) {
    // CR LF becomes LF; a lone CR is data and stays; the last line may lack its LF.
    const auto path = WriteBytes("a.txt", "one\r\ntwo\rthree\r\n\r\nlast");
    const auto lines = AllLines(path);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "one\n");
    EXPECT_EQ(lines[1], "two\rthree\n");
    EXPECT_EQ(lines[2], "\n");
    EXPECT_EQ(lines[3], "last");

    // A bare LF is a line end too, and a CR at the very end of the file stays.
    EXPECT_EQ(AllLines(WriteBytes("b.txt", "x\ny\r")), (std::vector<std::string>{"x\n", "y\r"}));
    EXPECT_EQ(AllLines(WriteBytes("c.txt", "\r\r\n")), (std::vector<std::string>{"\r\n"}));
}

TEST_F(TextFileTest, ReadStringStripsTheLineFeedOnly) {
    const auto path = WriteBytes("a.txt", "alpha\r\n beta \r\n\r\ngamma");
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::Mode::Read));
    std::string line;
    std::vector<std::string> got;
    while (file.ReadString(line)) got.push_back(line);
    EXPECT_EQ(got, (std::vector<std::string>{"alpha", " beta ", "", "gamma"}));
    EXPECT_TRUE(file.eof());
    EXPECT_TRUE(file.error().empty());
    // Reading on after the end stays at the end and does not fail differently.
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.empty());
}

TEST_F(TextFileTest, LongLinesComeBackInPiecesOfTheLimit) {
    std::string content(100000, 'x');
    for (size_t i = 0; i < content.size(); i += 7) content[i] = static_cast<char>('a' + i % 26);
    const auto path = WriteBytes("long.txt", content + "\r\nnext\r\n");

    const auto lines = AllLines(path, TextFile::kReadLimit);
    // 100000 = 97 * 1023 + 769: 97 full pieces, then the rest with its line feed.
    ASSERT_EQ(lines.size(), 99u);
    std::string joined;
    for (size_t i = 0; i < 97; ++i) {
        ASSERT_EQ(lines[i].size(), 1023u) << i;
        ASSERT_EQ(lines[i].find('\n'), std::string::npos) << i;
        joined += lines[i];
    }
    EXPECT_EQ(lines[97].size(), 770u);
    EXPECT_EQ(lines[97].back(), '\n');
    joined += lines[97];
    EXPECT_EQ(joined, content + "\n");
    EXPECT_EQ(lines[98], "next\n");
}

TEST_F(TextFileTest, ACrLfAtTheLimitCountsAsOneCharacter) {
    // Three characters and CR LF fit a limit of 4 as "abc\n"; a line of exactly the limit
    // leaves its line feed for the next call, as fgets does.
    EXPECT_EQ(AllLines(WriteBytes("a.txt", "abc\r\nabcd\r\n"), 4),
              (std::vector<std::string>{"abc\n", "abcd", "\n"}));
    // A limit of 0 still moves on one character at a time instead of stalling.
    EXPECT_EQ(AllLines(WriteBytes("b.txt", "ab"), 0), (std::vector<std::string>{"a", "b"}));
}

TEST_F(TextFileTest, EmptyFileEndsAtOnce) {
    const auto path = WriteBytes("empty.txt", "");
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::Mode::Read));
    std::string line = "stale";
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_TRUE(line.empty());
    EXPECT_TRUE(file.eof());
    EXPECT_TRUE(file.error().empty());
    EXPECT_EQ(TextFile::Length(path), 0);
}

TEST_F(TextFileTest, BinaryBytesAndNulsAreKept) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        if (i != '\n' && i != '\r')
            bytes.push_back(static_cast<char>(i));
    const auto path = WriteBytes("bin.dat", std::string("a\0b\r\n", 5) + bytes + "\n");
    const auto lines = AllLines(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string("a\0b\n", 4));
    EXPECT_EQ(lines[1], bytes + "\n");
}

TEST_F(TextFileTest, OpenFailuresExplainThemselves) {
    TextFile file;
    EXPECT_FALSE(file.Open(m_dir, TextFile::Mode::Read));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NE(file.error().find("folder"), std::string::npos) << file.error();
    EXPECT_NE(file.error().find(m_dir.string()), std::string::npos) << file.error();

    const auto missing = m_dir / "no_such_file.txt";
    EXPECT_FALSE(file.Open(missing, TextFile::Mode::Read));
    EXPECT_NE(file.error().find("No such file"), std::string::npos) << file.error();
    EXPECT_NE(file.error().find("no_such_file.txt"), std::string::npos) << file.error();
    std::string line;
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_FALSE(file.Write("x"));

    EXPECT_FALSE(file.Open(m_dir / "missing_dir" / "out.txt", TextFile::Mode::Write));
    EXPECT_FALSE(file.error().empty());

    if (::geteuid() != 0) {  // root reads everything
        const auto locked = WriteBytes("locked.txt", "secret\n");
        fs::permissions(locked, fs::perms::none);
        EXPECT_FALSE(file.Open(locked, TextFile::Mode::Read));
        EXPECT_NE(file.error().find("Permission denied"), std::string::npos) << file.error();
        fs::permissions(locked, fs::perms::owner_all);
    }

    EXPECT_EQ(TextFile::Length(missing), -1);
    EXPECT_EQ(TextFile::Length(m_dir), -1);
}

TEST_F(TextFileTest, WritingProducesCrLfAndAppendKeepsTheOldText) {
    const auto path = m_dir / "out.txt";
    {
        TextFile file;
        ASSERT_TRUE(file.Open(path, TextFile::Mode::Write)) << file.error();
        EXPECT_TRUE(file.Write("a\nb"));
        EXPECT_TRUE(file.Write("c\n\n"));
        EXPECT_TRUE(file.Write(""));
        EXPECT_TRUE(file.Write("lone\rcr\n"));
        std::string line;
        EXPECT_FALSE(file.ReadLine(line));  // not open for reading
        EXPECT_TRUE(file.Flush());
        EXPECT_EQ(TextFile::Length(path), 18);
    }
    EXPECT_EQ(ReadBytes(path), "a\r\nbc\r\n\r\nlone\rcr\r\n");

    {
        TextFile file;
        ASSERT_TRUE(file.Open(path, TextFile::Mode::Append));
        EXPECT_TRUE(file.Write("more\n"));
    }
    EXPECT_EQ(ReadBytes(path), "a\r\nbc\r\n\r\nlone\rcr\r\nmore\r\n");

    {
        TextFile file;  // Write truncates
        ASSERT_TRUE(file.Open(path, TextFile::Mode::Write));
        EXPECT_TRUE(file.Write("new\n"));
    }
    EXPECT_EQ(ReadBytes(path), "new\r\n");

    // What was written reads back as it was given.
    EXPECT_EQ(AllLines(path), std::vector<std::string>{"new\n"});
}

TEST_F(TextFileTest, MovingHandsOverTheOpenFile) {
    const auto path = WriteBytes("a.txt", "1\r\n2\r\n");
    TextFile first;
    ASSERT_TRUE(first.Open(path, TextFile::Mode::Read));
    std::string line;
    ASSERT_TRUE(first.ReadLine(line));

    TextFile second(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    ASSERT_TRUE(second.IsOpen());
    EXPECT_EQ(second.path(), path);
    ASSERT_TRUE(second.ReadLine(line));
    EXPECT_EQ(line, "2\n");

    TextFile third;
    third = std::move(second);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(third.ReadLine(line));
    EXPECT_TRUE(third.eof());
    third.Close();
    EXPECT_FALSE(third.IsOpen());
}

}  // namespace
