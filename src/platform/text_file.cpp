#include "platform/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>

#include "platform/io_fault.h"
#include "resources/strings.h"

namespace platform {

namespace {

// The message `id` ("Cannot read '%s': %s") with the file and the system's reason.
std::string Describe(const std::filesystem::path& path, unsigned id, int err) {
    return res::Format(res::LoadString(id), {path.string(), std::strerror(err)});
}

// Paths served from memory, by MemoryFile.
std::mutex g_served_lock;
std::map<std::filesystem::path, std::string_view>& Served() {
    static std::map<std::filesystem::path, std::string_view> served;
    return served;
}

constexpr size_t kBlock = 64 * 1024;

}  // namespace

MemoryFile::MemoryFile(std::filesystem::path name, std::string_view bytes)
    : m_name(std::move(name)) {
    std::lock_guard lock(g_served_lock);
    Served()[m_name] = bytes;
}

MemoryFile::~MemoryFile() {
    std::lock_guard lock(g_served_lock);
    Served().erase(m_name);
}

TextFile::~TextFile() {
    Close();
}

TextFile::TextFile(TextFile&& other) noexcept {
    *this = std::move(other);
}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_file = std::exchange(other.m_file, nullptr);
        m_fd = std::exchange(other.m_fd, -1);
        m_memory = std::exchange(other.m_memory, false);
        m_block = std::move(other.m_block);  // the window's bytes stay where they are
        m_window = std::exchange(other.m_window, {});
        m_next = std::exchange(other.m_next, 0);
        m_window_at = std::exchange(other.m_window_at, 0);
        m_path = std::move(other.m_path);
        m_error = std::move(other.m_error);
        m_eof = std::exchange(other.m_eof, false);
        m_mode = other.m_mode;
    }
    return *this;
}

bool TextFile::Open(const std::filesystem::path& path, Mode mode) {
    Close();
    m_path = path;
    m_error.clear();
    m_eof = false;
    m_mode = mode;

    if (mode == Mode::Read) {
        std::lock_guard lock(g_served_lock);
        if (auto it = Served().find(path); it != Served().end()) {
            OpenMemory(it->second, path);
            return true;
        }
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        m_error = res::Format(res::LoadString(9520), {path.string()});
        return false;
    }
    errno = 0;
    if (mode == Mode::Read) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            m_error = Describe(path, 9521, errno != 0 ? errno : ENOENT);
            return false;
        }
        m_block.resize(kBlock);
        return true;
    }
    // The conversion of line ends is done here, so the C library sees bytes only.
    const int planted = PlantedFailure(IoStep::Create);
    m_file = planted ? nullptr : std::fopen(path.c_str(), mode == Mode::Write ? "wb" : "ab");
    if (m_file == nullptr) {
        m_error = Describe(path, 9522, planted ? planted : errno != 0 ? errno : ENOENT);
        return false;
    }
    return true;
}

void TextFile::OpenMemory(std::string_view bytes, const std::filesystem::path& name) {
    Close();
    m_path = name;
    m_error.clear();
    m_eof = false;
    m_mode = Mode::Read;
    m_memory = true;
    m_window = bytes;
}

void TextFile::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_memory = false;
    m_window = {};
    m_next = 0;
    m_window_at = 0;
    if (m_file == nullptr)
        return;
    const int planted = PlantedFailure(IoStep::Close);
    if ((std::fclose(m_file) != 0 || planted) && m_mode != Mode::Read && m_error.empty())
        m_error = Describe(m_path, 9523, planted ? planted : errno);
    m_file = nullptr;
}

void TextFile::ReadFailed(int err) {
    m_error = Describe(m_path, 9524, err != 0 ? err : EIO);
}

bool TextFile::Refill() {
    if (m_fd < 0)
        return false;  // memory is all in the window
    m_window_at += static_cast<long long>(m_window.size());
    m_window = {};
    m_next = 0;
    for (;;) {
        const ssize_t n = ::read(m_fd, m_block.data(), m_block.size());
        if (n > 0) {
            m_window = {m_block.data(), static_cast<size_t>(n)};
            return true;
        }
        if (n == 0)
            return false;
        if (errno != EINTR) {
            ReadFailed(errno);
            return false;
        }
    }
}

bool TextFile::ReadLine(std::string& line, size_t limit) {
    line.clear();
    if (!IsOpen()) {
        if (m_error.empty())
            m_error = "No file is open";
        return false;
    }
    if (m_mode != Mode::Read) {
        m_error = "'" + m_path.string() + "' is open for writing, not for reading";
        return false;
    }
    // A limit of 0 would return nothing forever; one character keeps a loop moving.
    if (limit == 0)
        limit = 1;

    while (line.size() < limit) {
        if (m_next >= m_window.size() && !Refill()) {
            m_eof = true;
            break;
        }
        const char* p = m_window.data() + m_next;
        const size_t n = std::min(m_window.size() - m_next, limit - line.size());
        // The first LF, then a CR before it: two library scans beat a loop over each byte.
        const void* lf = std::memchr(p, '\n', n);
        size_t i = lf ? static_cast<size_t>(static_cast<const char*>(lf) - p) : n;
        if (const void* cr = std::memchr(p, '\r', i))
            i = static_cast<size_t>(static_cast<const char*>(cr) - p);
        line.append(p, i);
        m_next += i;
        if (i == n)
            continue;  // the end of the block or the limit
        // CR LF, LF and a lone CR each end the line as one LF.
        ++m_next;
        if (p[i] == '\r' && (m_next < m_window.size() || Refill()) && m_window[m_next] == '\n')
            ++m_next;
        line.push_back('\n');
        break;
    }
    return !line.empty();
}

bool TextFile::ReadString(std::string& line, size_t limit) {
    if (!ReadLine(line, limit))
        return false;
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    return true;
}

long long TextFile::Tell() const {
    if (!IsOpen() || m_mode != Mode::Read)
        return m_file ? static_cast<long long>(std::ftell(m_file)) : -1;
    return m_window_at + static_cast<long long>(m_next);
}

bool TextFile::Seek(long long position) {
    if (!IsOpen() || m_mode != Mode::Read || position < 0)
        return false;
    m_eof = false;
    if (position >= m_window_at &&
        position <= m_window_at + static_cast<long long>(m_window.size())) {
        m_next = static_cast<size_t>(position - m_window_at);
        return true;
    }
    if (m_memory || ::lseek(m_fd, static_cast<off_t>(position), SEEK_SET) < 0) {
        m_error = Describe(m_path, 9525, m_memory ? EINVAL : errno);
        return false;
    }
    m_window_at = position;
    m_window = {};
    m_next = 0;
    return true;
}

bool TextFile::Write(std::string_view text) {
    if (m_file == nullptr) {
        if (m_error.empty())
            m_error = "No file is open";
        return false;
    }
    if (m_mode == Mode::Read) {
        m_error = "'" + m_path.string() + "' is open for reading, not for writing";
        return false;
    }
    errno = 0;
    bool ok = true;
    if (const int planted = PlantedFailure(IoStep::Write)) {
        errno = planted;
        ok = false;
    }
    while (!text.empty() && ok) {
        const size_t lf = text.find('\n');
        const std::string_view part = text.substr(0, lf);
        if (!part.empty() && std::fwrite(part.data(), 1, part.size(), m_file) != part.size())
            ok = false;
        if (lf == std::string_view::npos)
            break;
        if (ok && std::fwrite("\r\n", 1, 2, m_file) != 2)
            ok = false;
        text.remove_prefix(lf + 1);
    }
    if (!ok)
        m_error = Describe(m_path, 9526, errno != 0 ? errno : EIO);
    return ok;
}

bool TextFile::Flush() {
    if (m_file == nullptr)
        return false;
    const int planted = PlantedFailure(IoStep::Write);
    if (planted || std::fflush(m_file) != 0) {
        m_error = Describe(m_path, 9526, planted ? planted : errno);
        return false;
    }
    return true;
}

long long TextFile::Length(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return -1;
    return static_cast<long long>(size);
}

}  // namespace platform
