// Outputs are written beside their target under a temporary name and renamed into place only
// when complete, so a failed run never leaves half a file or replaces a good one.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace outputs {

class StagedOutput {
  public:
    // One file: the writer writes `path()`, a temporary file beside `target` with the same
    // ending (drivers pick their behaviour from it). A link is written through to its file.
    static StagedOutput File(const std::filesystem::path& target);
    // A set of files: the writer fills the temporary folder `path()` beside the target folder;
    // Commit moves each file into `target_folder` with `prefix` before its name.
    static StagedOutput Folder(const std::filesystem::path& target_folder, std::string prefix);

    StagedOutput(StagedOutput&& other) noexcept;
    StagedOutput& operator=(StagedOutput&&) = delete;
    ~StagedOutput();  // removes what was not committed

    const std::filesystem::path& path() const { return m_temp; }
    // Where the committed files go (after the writer has finished with `path()`).
    std::vector<std::filesystem::path> Targets() const;
    // Flushes to disk and renames into place; on failure `error` says why.
    bool Commit(std::string& error);

  private:
    StagedOutput() = default;
    std::filesystem::path m_target, m_temp;
    std::string m_prefix;
    bool m_folder = false, m_done = false;
};

}  // namespace outputs
