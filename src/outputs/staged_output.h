// Outputs are written by the library into memory and put on disk only when complete, each file
// through the same atomic write as every file of ours: a failed run (a full disk, a failing
// rename) never leaves half a file or replaces a good one, and it is reported with its reason.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace outputs {

class StagedOutput {
  public:
    // One file: the writer writes `path()`, a file in memory with the target's ending (drivers
    // pick their behaviour from it). A link is written through to its file.
    static StagedOutput File(const std::filesystem::path& target);
    // A set of files: the writer fills the folder in memory `path()`; Commit puts each file in
    // `target_folder` with `prefix` before its name.
    static StagedOutput Folder(const std::filesystem::path& target_folder, std::string prefix);

    StagedOutput(StagedOutput&& other) noexcept;
    StagedOutput& operator=(StagedOutput&&) = delete;
    ~StagedOutput();  // frees what the writer left in memory

    const std::string& path() const { return m_memory; }
    // Where the committed files go (after the writer has finished with `path()`).
    std::vector<std::filesystem::path> Targets() const;
    // Writes each file to disk in place of its old version; on failure `error` says why.
    bool Commit(std::string& error);

  private:
    StagedOutput() = default;
    std::vector<std::string> MemoryFiles() const;
    std::filesystem::path m_target;
    std::string m_memory, m_prefix;
    bool m_folder = false, m_moved = false;
};

}  // namespace outputs
