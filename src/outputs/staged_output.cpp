#include "outputs/staged_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/atomic_write.h"

namespace outputs {
namespace fs = std::filesystem;
namespace {

std::string TempSuffix() {
    return ".tmp" + std::to_string(::getpid());
}

// On disk before the rename, so a crash leaves the old file or the new one.
int SyncFile(const fs::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = ::fsync(fd) != 0 ? errno : 0;
    ::close(fd);
    return err;
}

std::string Reason(const fs::path& path, int err) {
    return path.string() + ": " + std::strerror(err);
}

}  // namespace

StagedOutput StagedOutput::File(const fs::path& target) {
    StagedOutput s;
    s.m_target = platform::LinkTarget(target);
    if (s.m_target.empty())  // links in a loop: the rename then fails with the system's reason
        s.m_target = target;
    // ".name.tmpPID.ext": hidden, beside the target, and with the target's ending.
    const fs::path& t = s.m_target;
    fs::path name = "." + t.stem().string() + TempSuffix() + t.extension().string();
    s.m_temp = t.parent_path() / name;
    std::error_code ec;
    fs::remove_all(s.m_temp, ec);  // left behind by a run that was killed
    return s;
}

StagedOutput StagedOutput::Folder(const fs::path& target_folder, std::string prefix) {
    StagedOutput s;
    s.m_folder = true;
    s.m_target = target_folder;
    s.m_prefix = std::move(prefix);
    fs::path parent = target_folder.parent_path();
    std::string base = target_folder.filename().string();
    if (base.empty() || base == ".")
        base = "output";
    s.m_temp = parent / ("." + base + TempSuffix());
    std::error_code ec;
    fs::remove_all(s.m_temp, ec);
    return s;
}

StagedOutput::StagedOutput(StagedOutput&& other) noexcept
    : m_target(std::move(other.m_target)),
      m_temp(std::move(other.m_temp)),
      m_prefix(std::move(other.m_prefix)),
      m_folder(other.m_folder),
      m_done(other.m_done) {
    other.m_done = true;
}

StagedOutput::~StagedOutput() {
    if (m_done)
        return;
    std::error_code ec;
    fs::remove_all(m_temp, ec);
}

std::vector<fs::path> StagedOutput::Targets() const {
    if (!m_folder)
        return {m_target};
    std::vector<fs::path> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(m_temp, ec))
        out.push_back(m_target / (m_prefix + e.path().filename().string()));
    return out;
}

bool StagedOutput::Commit(std::string& error) {
    std::error_code ec;
    if (!m_folder) {
        if (int err = SyncFile(m_temp); err != 0) {
            error = Reason(m_target, err);
            return false;
        }
        if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
            error = Reason(m_target, errno);
            return false;
        }
        m_done = true;
        return true;
    }
    fs::create_directories(m_target, ec);
    if (ec) {
        error = m_target.string() + ": " + ec.message();
        return false;
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(m_temp, ec)) files.push_back(e.path());
    for (const auto& f : files)
        if (int err = SyncFile(f); err != 0) {
            error = Reason(f, err);
            return false;
        }
    // Each file replaces its old version whole; the set is complete before the first rename.
    for (const auto& f : files) {
        const fs::path to = m_target / (m_prefix + f.filename().string());
        if (::rename(f.c_str(), to.c_str()) != 0) {
            error = Reason(to, errno);
            return false;
        }
    }
    fs::remove(m_temp, ec);
    m_done = true;
    return true;
}

}  // namespace outputs
