// Writing a whole file so that a crash never leaves half of it at the target path.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The file a path names once symbolic links are followed (also when that file does not exist
// yet); empty when the links go round in a loop.
std::filesystem::path LinkTarget(const std::filesystem::path& path);

// True for the names our temporary files get ("<name>.tavrin-tmp-<pid>-<n>").
bool IsOurTemporaryName(std::string_view name);

// A new version of a file, written in pieces to a temporary file beside it and put in its place
// in one step by Commit; until then the target is untouched. Links are written through to the
// file they name; the new file keeps the old one's mode and, where the system lets us, its owner.
// Temporary files that killed runs of ours left in the folder are removed on the way. Without
// Commit the temporary file goes away.
class AtomicFile {
  public:
    explicit AtomicFile(const std::filesystem::path& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false with the reason, naming the target.
    bool Open(std::string& error);
    // Appends the bytes; false once a write has failed (Commit then reports it). written() tells
    // how many bytes got there, WriteError() why the rest did not.
    bool Write(std::string_view data);
    uint64_t written() const { return m_written; }
    std::string WriteError() const;
    // Writes the data to disk and renames the temporary file over the target. On failure the
    // temporary file is removed, or with `keep` left in place for the caller to name.
    bool Commit(std::string& error, bool keep = false);
    // Puts what got there in place even after a failed write (data that must not be lost); on
    // failure the temporary file stays, named by temp().
    bool CommitWhatWasWritten(std::string& error);
    void Discard();

    // The file replaced in the end (links followed) and the temporary one.
    const std::filesystem::path& target() const { return m_target; }
    const std::filesystem::path& temp() const { return m_temp; }

  private:
    std::string Reason(int err) const;
    std::filesystem::path m_given, m_target, m_temp;
    int m_fd = -1;
    int m_err = 0;
    bool m_created = false;
    uint64_t m_written = 0;
};

// Writes `contents` through an AtomicFile. On failure the target is untouched, the temporary file
// removed, and `error` says why.
bool AtomicWrite(const std::filesystem::path& path, std::string_view contents, std::string& error);

}  // namespace platform
