#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "resources/strings.h"

namespace platform {

FileLock::~FileLock() {
    Release();
}

void FileLock::Release() {
    if (m_fd >= 0)
        ::close(m_fd);  // closing drops the lock
    m_fd = -1;
}

bool FileLock::Acquire(const std::filesystem::path& path, const std::function<void()>& on_wait,
                       std::string& error) {
    Release();
    bool told = false;
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            error = res::Format(res::LoadString(9528), {path.string(), std::strerror(errno)});
            return false;
        }
        int r = ::flock(fd, LOCK_EX | LOCK_NB);
        if (r != 0 && errno == EWOULDBLOCK) {
            if (!told && on_wait)
                on_wait();
            told = true;
            while ((r = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
            }
        }
        if (r != 0) {
            error = res::Format(res::LoadString(9528), {path.string(), std::strerror(errno)});
            ::close(fd);
            return false;
        }
        // The writer before us may have put a new file in the path's place.
        struct stat held {
        }, now{};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &now) == 0 &&
            held.st_dev == now.st_dev && held.st_ino == now.st_ino) {
            m_fd = fd;
            return true;
        }
        ::close(fd);
    }
}

}  // namespace platform
