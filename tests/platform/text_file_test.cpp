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
using Lines = std::vector<std::string>;

namespace {

class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("tavrin_textfile_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path WriteBytes(const std::string& bytes) {
        const fs::path path = m_dir / ("in" + std::to_string(++m_count));
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string ReadBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Every piece that ReadLine (or ReadString) gives, up to the end of the file.
    Lines Read(const std::string& bytes, size_t limit = TextFile::kReadLimit, bool strip = false) {
        TextFile file;
        EXPECT_TRUE(file.Open(WriteBytes(bytes), TextFile::Read)) << file.error();
        Lines lines;
        std::string line;
        while (strip ? file.ReadString(line, limit) : file.ReadLine(line, limit))
            lines.push_back(line);
        EXPECT_TRUE(file.eof());
        EXPECT_TRUE(line.empty());
        EXPECT_TRUE(file.error().empty()) << file.error();
        return lines;
    }

    fs::path m_dir;
    int m_count = 0;
};

TEST_F(TextFileTest, LineEndsAreTranslatedOnRead) {
    // CR LF becomes LF; a lone CR is data and stays; the last line may lack its LF.
    EXPECT_EQ(Read("one\r\ntwo\rthree\r\n\r\nlast"),
              (Lines{"one\n", "two\rthree\n", "\n", "last"}));
    EXPECT_EQ(Read("x\ny\r"), (Lines{"x\n", "y\r"}));
    EXPECT_EQ(Read("\r\r\n"), (Lines{"\r\n"}));
    EXPECT_EQ(Read(""), Lines{});
    EXPECT_EQ(Read("alpha\r\n beta \r\n\r\ngamma", 1023, true),
              (Lines{"alpha", " beta ", "", "gamma"}));
}

TEST_F(TextFileTest, LongLinesComeBackInPiecesOfTheLimit) {
    std::string content(100000, 'x');
    for (size_t i = 0; i < content.size(); i += 7) content[i] = static_cast<char>('a' + i % 26);
    const Lines lines = Read(content + "\r\nnext\r\n");
    // 100000 = 97 * 1023 + 769: 97 full pieces, then the rest with its line feed.
    ASSERT_EQ(lines.size(), 99u);
    std::string joined;
    for (size_t i = 0; i < 98; ++i) {
        EXPECT_EQ(lines[i].size(), i < 97 ? 1023u : 770u) << i;
        joined += lines[i];
    }
    EXPECT_EQ(joined, content + "\n");
    EXPECT_EQ(lines[98], "next\n");

    // CR LF counts as the one character it becomes; a line of exactly the limit leaves its
    // line feed for the next call, as fgets does; a limit of 0 still moves on.
    EXPECT_EQ(Read("abc\r\nabcd\r\n", 4), (Lines{"abc\n", "abcd", "\n"}));
    EXPECT_EQ(Read("ab", 0), (Lines{"a", "b"}));
}

TEST_F(TextFileTest, BinaryBytesAndNulsAreKept) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        if (i != '\n' && i != '\r')
            bytes.push_back(static_cast<char>(i));
    EXPECT_EQ(Read(std::string("a\0b\r\n", 5) + bytes + "\n"),
              (Lines{std::string("a\0b\n", 4), bytes + "\n"}));
}

TEST_F(TextFileTest, OpenFailuresExplainThemselves) {
    TextFile file;
    EXPECT_FALSE(file.Open(m_dir, TextFile::Read));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NE(file.error().find("folder"), std::string::npos) << file.error();
    EXPECT_NE(file.error().find(m_dir.string()), std::string::npos) << file.error();

    const auto missing = m_dir / "no_such_file.txt";
    EXPECT_FALSE(file.Open(missing, TextFile::Read));
    EXPECT_NE(file.error().find("no_such_file.txt': No such file"), std::string::npos)
        << file.error();
    std::string line;
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_FALSE(file.Write("x"));
    EXPECT_FALSE(file.Open(m_dir / "missing_dir" / "out.txt", TextFile::Mode::Write));

    if (::geteuid() != 0) {  // root reads everything
        const auto locked = WriteBytes("secret\n");
        fs::permissions(locked, fs::perms::none);
        EXPECT_FALSE(file.Open(locked, TextFile::Read));
        EXPECT_NE(file.error().find("Permission denied"), std::string::npos) << file.error();
    }
    EXPECT_EQ(TextFile::Length(missing), -1);
    EXPECT_EQ(TextFile::Length(m_dir), -1);
}

TEST_F(TextFileTest, WritingProducesCrLfAndAppendKeepsTheOldText) {
    const auto path = m_dir / "out.txt";
    auto write = [&](TextFile::Mode mode, std::initializer_list<std::string_view> parts) {
        TextFile file;
        ASSERT_TRUE(file.Open(path, mode)) << file.error();
        for (auto part : parts) EXPECT_TRUE(file.Write(part));
        std::string line;
        EXPECT_FALSE(file.ReadLine(line));  // not open for reading
        EXPECT_TRUE(file.Flush());
    };
    write(TextFile::Mode::Write, {"a\nb", "c\n\n", "", "lone\rcr\n"});
    EXPECT_EQ(ReadBytes(path), "a\r\nbc\r\n\r\nlone\rcr\r\n");
    EXPECT_EQ(TextFile::Length(path), 18);
    write(TextFile::Append, {"more\n"});
    EXPECT_EQ(ReadBytes(path), "a\r\nbc\r\n\r\nlone\rcr\r\nmore\r\n");
    write(TextFile::Mode::Write, {"new\n"});  // Write truncates
    EXPECT_EQ(ReadBytes(path), "new\r\n");
}

TEST_F(TextFileTest, MovingHandsOverTheOpenFile) {
    TextFile first;
    ASSERT_TRUE(first.Open(WriteBytes("1\r\n2\r\n"), TextFile::Read));
    std::string line;
    ASSERT_TRUE(first.ReadLine(line));
    TextFile second;
    second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    ASSERT_TRUE(second.ReadLine(line));
    EXPECT_EQ(line, "2\n");
    TextFile third(std::move(second));
    EXPECT_FALSE(third.ReadLine(line));
    EXPECT_TRUE(third.eof());
}

}  // namespace
