// Text files with Windows text-mode semantics: instruments write CR LF, so reading turns CR LF
// into LF and writing turns LF into CR LF.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

class TextFile {
public:
    // Scoped, because Write is also the name of the writing call below (use Mode::Write).
    enum class Mode { Read, Write, Append };
    // Shortcuts for the modes whose names do not clash with a member.
    static constexpr Mode Read = Mode::Read;
    static constexpr Mode Append = Mode::Append;
    // Longest line piece one read returns, as the readers' 1024-byte buffers require.
    static constexpr size_t kReadLimit = 1023;

    TextFile() = default;
    ~TextFile();
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Opens the file; false with a reason (error()) when it cannot be opened. A directory is
    // refused for reading.
    bool Open(const std::filesystem::path& path, Mode mode);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    const std::filesystem::path& path() const { return m_path; }
    // Why the last Open or read failed, in plain words.
    const std::string& error() const { return m_error; }

    // Reads the next line piece, at most `limit` characters, keeping its line feed like fgets.
    // A piece ends at a line feed or at the limit. False at the end of the file (or on a read
    // error, which then shows in error()).
    bool ReadLine(std::string& line, size_t limit = kReadLimit);
    // The same without the line feed.
    bool ReadString(std::string& line, size_t limit = kReadLimit);
    // True once a read has met the end of the file.
    bool eof() const { return m_eof; }
    // Where the next read starts, for readers that look ahead and come back; -1 when unknown.
    long long Tell() const;
    // Goes back to a position that Tell gave; the end-of-file state is cleared.
    bool Seek(long long position);

    // Writes text, turning each LF into CR LF.
    bool Write(std::string_view text);
    bool Flush();

    // Length of the file in bytes, -1 when unknown.
    static long long Length(const std::filesystem::path& path);

private:
    std::FILE* m_file = nullptr;
    std::filesystem::path m_path;
    std::string m_error;
    bool m_eof = false;
    Mode m_mode = Mode::Read;
};

}  // namespace platform
