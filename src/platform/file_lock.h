// An advisory lock on a file for a whole read-modify-write, held by another run's writer too.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace platform {

class FileLock {
  public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locks the existing file `path` exclusively. When another process holds it, `on_wait` is
    // called once and the lock is waited for. A file replaced (renamed over) while we waited is
    // locked anew, so the lock always covers what the path names now. False with the reason.
    bool Acquire(const std::filesystem::path& path, const std::function<void()>& on_wait,
                 std::string& error);
    void Release();

  private:
    int m_fd = -1;
};

}  // namespace platform
