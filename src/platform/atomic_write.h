// Writing a whole file so that a crash never leaves half of it at the target path.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// A file written in pieces to a temporary file beside `path` and renamed into place by Commit.
// Until then the target is untouched; a file never committed is removed.
class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Open(std::string& error);
    // False once a write has failed; Commit then reports it.
    bool Write(std::string_view data);
    bool Commit(std::string& error);

  private:
    std::filesystem::path m_path, m_tmp;
    int m_fd = -1;
    int m_err = 0;
};

// Writes `contents` the same way. On failure the target is untouched, the temporary file removed,
// and `error` says why.
bool AtomicWrite(const std::filesystem::path& path, std::string_view contents, std::string& error);

}  // namespace platform
