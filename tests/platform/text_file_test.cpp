#include "platform/text_file.h"

#include <gmock/gmock.h>

#include <vector>

#include "support/temp_dir.h"

using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

using platform::TextFile;
using Lines = std::vector<std::string>;

class TextFileTest : public ::testing::Test {
  protected:
    testing_support::TempDir tmp;

    // Every piece that ReadLine (or ReadString) gives, up to the end of the file; the same bytes
    // read from memory give the same pieces.
    Lines Read(const std::string& bytes, size_t limit = TextFile::kReadLimit, bool strip = false) {
        Lines lines[2];
        for (bool memory : {false, true}) {
            TextFile file;
            if (memory)
                file.OpenMemory(bytes, "in");
            else
                EXPECT_TRUE(file.Open(tmp.Write("in", bytes), TextFile::Read)) << file.error();
            std::string line;
            while (strip ? file.ReadString(line, limit) : file.ReadLine(line, limit))
                lines[memory].push_back(line);
            EXPECT_TRUE(file.eof());
            EXPECT_TRUE(line.empty());
            EXPECT_TRUE(file.error().empty()) << file.error();
        }
        EXPECT_EQ(lines[0], lines[1]);
        return lines[0];
    }
};

TEST_F(TextFileTest, LineEndsAreTranslatedOnRead) {
    std::string bytes;  // every byte but the line ends, and a NUL in the first line
    for (int i = 0; i < 256; ++i)
        if (i != '\n' && i != '\r')
            bytes.push_back(static_cast<char>(i));
    struct Row {
        std::string bytes;
        Lines expected;
        size_t limit = TextFile::kReadLimit;
        bool strip = false;
    };
    const std::vector<Row> rows = {
        // CR LF, LF and a lone CR each end a line, given as LF; the last line may lack its end.
        {"one\r\ntwo\rthree\r\n\r\nlast", {"one\n", "two\n", "three\n", "\n", "last"}},
        {"x\ny\r", {"x\n", "y\n"}},
        {"\r\r\n", {"\n", "\n"}},
        {"a\n\rb\r\r", {"a\n", "\n", "b\n", "\n"}},
        // A CR LF split between two blocks of the reader is still one end.
        {std::string(65535, 'x') + "\r\nz", {std::string(65535, 'x') + "\n", "z"}, 70000},
        {"", {}},
        {"alpha\r\n beta \r\n\r\ngamma", {"alpha", " beta ", "", "gamma"}, 1023, true},
        {std::string("a\0b\r\n", 5) + bytes + "\n", {std::string("a\0b\n", 4), bytes + "\n"}},
        // CR LF counts as the one character it becomes; a line of exactly the limit leaves its
        // line feed for the next call, as fgets does; a limit of 0 still moves on.
        {"abc\r\nabcd\r\n", {"abc\n", "abcd", "\n"}, 4},
        {"abc\rabcd\r", {"abc\n", "abcd", "\n"}, 4},
        {"ab", {"a", "b"}, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Read(row.bytes, row.limit, row.strip), row.expected) << row.bytes;
}

TEST_F(TextFileTest, OpenFailuresExplainThemselves) {
    TextFile file;
    EXPECT_FALSE(file.Open(tmp.path(), TextFile::Read));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THAT(file.error(), HasSubstr("folder"));
    EXPECT_THAT(file.error(), HasSubstr(tmp.path().string()));

    const auto missing = tmp.path() / "no_such_file.txt";
    EXPECT_FALSE(file.Open(missing, TextFile::Read));
    EXPECT_THAT(file.error(), HasSubstr("no_such_file.txt': No such file"));
    std::string line;
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_FALSE(file.Write("x"));
    EXPECT_FALSE(file.Open(tmp.path() / "missing_dir" / "out.txt", TextFile::Mode::Write));

    if (::geteuid() != 0) {  // root reads everything
        const auto locked = tmp.Write("locked", "secret\n");
        fs::permissions(locked, fs::perms::none);
        EXPECT_FALSE(file.Open(locked, TextFile::Read));
        EXPECT_THAT(file.error(), HasSubstr("Permission denied"));
    }
    EXPECT_EQ(TextFile::Length(missing), -1);
    EXPECT_EQ(TextFile::Length(tmp.path()), -1);
}

TEST_F(TextFileTest, WritingProducesCrLfAndAppendKeepsTheOldText) {
    const auto path = tmp.path() / "out.txt";
    auto write = [&](TextFile::Mode mode, std::initializer_list<std::string_view> parts) {
        TextFile file;
        ASSERT_TRUE(file.Open(path, mode)) << file.error();
        for (auto part : parts) EXPECT_TRUE(file.Write(part));
        std::string line;
        EXPECT_FALSE(file.ReadLine(line));  // not open for reading
        EXPECT_TRUE(file.Flush());
    };
    write(TextFile::Mode::Write, {"a\nb", "c\n\n", "", "lone\rcr\n"});
    EXPECT_EQ(tmp.Read(path), "a\r\nbc\r\n\r\nlone\rcr\r\n");
    EXPECT_EQ(TextFile::Length(path), 18);
    write(TextFile::Append, {"more\n"});
    EXPECT_EQ(tmp.Read(path), "a\r\nbc\r\n\r\nlone\rcr\r\nmore\r\n");
    write(TextFile::Mode::Write, {"new\n"});  // Write truncates
    EXPECT_EQ(tmp.Read(path), "new\r\n");
}

}  // namespace
