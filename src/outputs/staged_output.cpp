#include "outputs/staged_output.h"

#include <cpl_string.h>
#include <cpl_vsi.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string_view>

#include "platform/atomic_write.h"

namespace outputs {
namespace fs = std::filesystem;
namespace {

// A folder of its own in the library's memory file system for each output of the process.
std::string MemoryFolder() {
    static std::atomic<unsigned> counter{0};
    std::string folder =
        "/vsimem/tavrin-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    VSIMkdir(folder.c_str(), 0755);  // some drivers look at the folder they write in
    return folder;
}

}  // namespace

StagedOutput StagedOutput::File(const fs::path& target) {
    StagedOutput s;
    s.m_target = platform::LinkTarget(target);
    if (s.m_target.empty())  // links in a loop: the write then fails with the system's reason
        s.m_target = target;
    s.m_memory = MemoryFolder() + "/out" + s.m_target.extension().string();
    return s;
}

StagedOutput StagedOutput::Folder(const fs::path& target_folder, std::string prefix) {
    StagedOutput s;
    s.m_folder = true;
    s.m_target = target_folder;
    s.m_prefix = std::move(prefix);
    s.m_memory = MemoryFolder() + "/out";
    return s;
}

StagedOutput::StagedOutput(StagedOutput&& other) noexcept
    : m_target(std::move(other.m_target)),
      m_memory(std::move(other.m_memory)),
      m_prefix(std::move(other.m_prefix)),
      m_folder(other.m_folder) {
    other.m_moved = true;
}

StagedOutput::~StagedOutput() {
    if (!m_moved)
        VSIRmdirRecursive(fs::path(m_memory).parent_path().c_str());
}

std::vector<std::string> StagedOutput::MemoryFiles() const {
    if (!m_folder)
        return {m_memory};
    std::vector<std::string> names;
    char** list = VSIReadDir(m_memory.c_str());
    for (char** n = list; n && *n; ++n)
        if (std::string_view(*n) != "." && std::string_view(*n) != "..")
            names.push_back(m_memory + "/" + *n);
    CSLDestroy(list);
    return names;
}

std::vector<fs::path> StagedOutput::Targets() const {
    if (!m_folder)
        return {m_target};
    std::vector<fs::path> out;
    for (const std::string& f : MemoryFiles())
        out.push_back(m_target / (m_prefix + fs::path(f).filename().string()));
    return out;
}

bool StagedOutput::Commit(std::string& error) {
    const std::vector<std::string> files = MemoryFiles();
    const std::vector<fs::path> targets = Targets();
    if (m_folder) {
        std::error_code ec;
        fs::create_directories(m_target, ec);
        if (ec) {
            error = m_target.string() + ": " + ec.message();
            return false;
        }
    }
    // Every file is written beside its target before the first one replaces its old version,
    // so a full disk leaves the whole set as it was; each file replaces its old version whole.
    std::vector<std::unique_ptr<platform::AtomicFile>> written;
    for (size_t i = 0; i < files.size(); ++i) {
        vsi_l_offset size = 0;
        const GByte* bytes = VSIGetMemFileBuffer(files[i].c_str(), &size, FALSE);
        auto& file = written.emplace_back(std::make_unique<platform::AtomicFile>(targets[i]));
        if (!file->Open(error))
            return false;
        if (bytes && !file->Write({reinterpret_cast<const char*>(bytes), size})) {
            file->Commit(error);  // says why the write failed, and drops the temporary file
            return false;
        }
    }
    for (auto& file : written)
        if (!file->Commit(error))
            return false;
    return true;
}

}  // namespace outputs
