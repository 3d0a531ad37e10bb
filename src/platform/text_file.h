// Text files as instruments write them: a line ends in CR LF, LF or a lone CR, and reading gives
// each end as one LF; writing turns LF into CR LF. Reading goes in large blocks.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
    // refused for reading. A path served from memory (MemoryFile) is read from there.
    bool Open(const std::filesystem::path& path, Mode mode);
    // Reads `bytes` as the contents of a file called `name`; the bytes must outlive the reading.
    void OpenMemory(std::string_view bytes, const std::filesystem::path& name);
    void Close();
    bool IsOpen() const { return m_file != nullptr || m_fd >= 0 || m_memory; }
    const std::filesystem::path& path() const { return m_path; }
    // Why the last Open or read failed, in plain words.
    const std::string& error() const { return m_error; }

    // Reads the next line piece, at most `limit` characters, keeping its line feed like fgets.
    // A piece ends at a line end (given as one LF) or at the limit. False at the end of the file
    // (or on a read error, which then shows in error()).
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
    // Makes more bytes available after m_window; false at the end (or on an error).
    bool Refill();
    void ReadFailed(int err);

    std::FILE* m_file = nullptr;  // writing
    int m_fd = -1;                // reading a file
    bool m_memory = false;        // reading memory
    std::vector<char> m_block;
    std::string_view m_window;  // the bytes at hand, starting at file offset m_window_at
    size_t m_next = 0;          // the next byte within m_window
    long long m_window_at = 0;
    std::filesystem::path m_path;
    std::string m_error;
    bool m_eof = false;
    Mode m_mode = Mode::Read;
};

// While it lives, opening `name` for reading reads `bytes` instead (fuzzing and tests drive the
// readers through it). The bytes must outlive it.
class MemoryFile {
  public:
    MemoryFile(std::filesystem::path name, std::string_view bytes);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

  private:
    std::filesystem::path m_name;
};

}  // namespace platform
