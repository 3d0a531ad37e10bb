#include "platform/atomic_write.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "platform/io_fault.h"
#include "resources/strings.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTempMark = ".tavrin-tmp-";

// The process that wrote a temporary file of ours, from its name; 0 when the name is not ours.
pid_t WriterOf(std::string_view name) {
    const size_t mark = name.rfind(kTempMark);
    if (mark == std::string_view::npos || mark == 0)
        return 0;
    std::string_view rest = name.substr(mark + kTempMark.size());
    long pid = 0, serial = 0;
    auto [dash, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || pid <= 0 || dash == rest.data() + rest.size() || *dash != '-')
        return 0;
    auto [end, ec2] = std::from_chars(dash + 1, rest.data() + rest.size(), serial);
    if (ec2 != std::errc() || end != rest.data() + rest.size())
        return 0;
    return static_cast<pid_t>(pid);
}

// Temporary files of ours whose writer is gone: a run killed mid-write left them.
void RemoveStaleTemporaries(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const pid_t writer = WriterOf(name);
        if (writer == 0 || writer == ::getpid())
            continue;
        if (::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            ::unlink(it->path().c_str());
    }
}

}  // namespace

fs::path LinkTarget(const fs::path& path) {
    fs::path p = path;
    // The system's own limit of links in a row.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            return p;
        const fs::path next = fs::read_symlink(p, ec);
        if (ec)
            return p;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return {};
}

bool IsOurTemporaryName(std::string_view name) {
    return WriterOf(name) != 0;
}

AtomicFile::AtomicFile(const fs::path& target) : m_given(target), m_target(LinkTarget(target)) {
    static std::atomic<unsigned> counter{0};
    if (!m_target.empty()) {
        m_temp = m_target;
        m_temp +=
            std::string(kTempMark) + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    }
}

AtomicFile::~AtomicFile() {
    Discard();
}

std::string AtomicFile::Reason(int err) const {
    return res::Format(res::LoadString(9527), {m_given.string(), std::strerror(err)});
}

bool AtomicFile::Open(std::string& error) {
    if (m_target.empty()) {
        error = Reason(ELOOP);
        return false;
    }
    RemoveStaleTemporaries(m_target.parent_path());
    if (int planted = PlantedFailure(IoStep::Create)) {
        error = Reason(planted);
        return false;
    }
    // Created here, never through a link someone placed under its name.
    m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (m_fd < 0 && errno == EEXIST) {
        ::unlink(m_temp.c_str());
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    }
    if (m_fd < 0) {
        error = Reason(errno);
        return false;
    }
    m_created = true;
    struct stat old {};
    if (::stat(m_target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // The owner may only be kept where we may give files away; the group often can.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            if (::fchown(m_fd, old.st_uid, old.st_gid) != 0)
                (void)!::fchown(m_fd, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(m_fd, old.st_mode & 07777);
    }
    return true;
}

bool AtomicFile::Write(std::string_view data) {
    if (m_fd < 0 && m_err == 0)
        m_err = EBADF;
    while (m_err == 0 && !data.empty()) {
        const int planted = PlantedFailure(IoStep::Write);
        const ssize_t n = planted ? (errno = planted, -1) : ::write(m_fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_err = errno;
            break;
        }
        data.remove_prefix(static_cast<size_t>(n));
        m_written += static_cast<uint64_t>(n);
    }
    return m_err == 0;
}

std::string AtomicFile::WriteError() const {
    return m_err ? Reason(m_err) : std::string();
}

bool AtomicFile::Commit(std::string& error, bool keep) {
    if (m_fd < 0) {
        error = Reason(EBADF);
        return false;
    }
    int err = m_err;
    // On disk before the rename, so a crash leaves the old file or the new one, never half.
    if (!err && (err = PlantedFailure(IoStep::Sync)) == 0 && ::fsync(m_fd) != 0)
        err = errno;
    const int close_planted = PlantedFailure(IoStep::Close);
    if (::close(m_fd) != 0 && !err)
        err = errno;
    if (close_planted && !err)
        err = close_planted;
    m_fd = -1;
    if (!err && (err = PlantedFailure(IoStep::Rename)) == 0 &&
        ::rename(m_temp.c_str(), m_target.c_str()) != 0)
        err = errno;
    if (err) {
        error = Reason(err);
        if (keep)
            m_created = false;
        Discard();
        return false;
    }
    m_created = false;
    return true;
}

bool AtomicFile::CommitWhatWasWritten(std::string& error) {
    m_err = 0;
    return Commit(error, true);
}

void AtomicFile::Discard() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (m_created)
        ::unlink(m_temp.c_str());
    m_created = false;
}

bool AtomicWrite(const fs::path& path, std::string_view contents, std::string& error) {
    AtomicFile file(path);
    return file.Open(error) && (file.Write(contents), file.Commit(error));
}

}  // namespace platform
