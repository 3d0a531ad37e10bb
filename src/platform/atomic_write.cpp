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

AtomicFile::AtomicFile(std::filesystem::path path) : m_path(std::move(path)) {
    m_tmp = m_path;
    m_tmp += ".tmp" + std::to_string(::getpid());
}

AtomicFile::~AtomicFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tmp.c_str());
    }
}

bool AtomicFile::Open(std::string& error) {
    m_fd = CreateFresh(m_tmp);
    if (m_fd < 0) {
        error = Reason(m_path, errno);
        return false;
    }
    return true;
}

bool AtomicFile::Write(std::string_view data) {
    while (m_err == 0 && m_fd >= 0 && !data.empty()) {
        ssize_t n = ::write(m_fd, data.data(), data.size());
        if (n < 0) {
            if (errno != EINTR)
                m_err = errno;
            continue;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return m_err == 0 && m_fd >= 0;
}

bool AtomicFile::Commit(std::string& error) {
    if (m_fd < 0) {
        error = Reason(m_path, EBADF);  // never opened
        return false;
    }
    int err = m_err;
    // On disk before the rename, so a crash leaves the old file or the new one, never half.
    if (!err && ::fsync(m_fd) != 0)
        err = errno;
    if (::close(m_fd) != 0 && !err)
        err = errno;
    m_fd = -1;
    if (!err && ::rename(m_tmp.c_str(), m_path.c_str()) != 0)
        err = errno;
    if (!err)
        return true;
    ::unlink(m_tmp.c_str());
    error = Reason(m_path, err);
    return false;
}

bool AtomicWrite(const std::filesystem::path& path, std::string_view contents, std::string& error) {
    AtomicFile file(path);
    return file.Open(error) && (file.Write(contents), file.Commit(error));
}

}  // namespace platform
