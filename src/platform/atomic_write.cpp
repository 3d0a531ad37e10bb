#include "platform/atomic_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

std::string Reason(const std::filesystem::path& path, int err) {
    return "cannot write " + path.string() + ": " + std::strerror(err);
}

// Creates the temporary file itself, never through a link someone placed under its name.
int CreateFresh(const std::filesystem::path& tmp) {
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        ::unlink(tmp.c_str());  // left behind by a run that was killed
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    }
    return fd;
}

}  // namespace

bool AtomicWrite(const std::filesystem::path& path, std::string_view contents, std::string& error) {
    std::filesystem::path tmp = path;
    tmp += ".tmp" + std::to_string(::getpid());
    int fd = CreateFresh(tmp);
    if (fd < 0) {
        error = Reason(path, errno);
        return false;
    }
    const char* p = contents.data();
    size_t left = contents.size();
    int err = 0;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    // On disk before the rename, so a crash leaves the old file or the new one, never half.
    if (!err && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (!err && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
    if (!err) return true;
    ::unlink(tmp.c_str());
    error = Reason(path, err);
    return false;
}

}  // namespace platform
