#include "platform/text_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace platform {

namespace {

std::string Describe(const std::filesystem::path& path, std::string_view what, int err) {
    std::string text(what);
    text += " '";
    text += path.string();
    text += "': ";
    text += std::strerror(err);
    return text;
}

}  // namespace

TextFile::~TextFile() {
    Close();
}

TextFile::TextFile(TextFile&& other) noexcept
    : m_file(std::exchange(other.m_file, nullptr)),
      m_path(std::move(other.m_path)),
      m_error(std::move(other.m_error)),
      m_eof(std::exchange(other.m_eof, false)),
      m_mode(other.m_mode) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_file = std::exchange(other.m_file, nullptr);
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

    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        m_error = "Cannot open '" + path.string() + "': it is a folder, not a file";
        return false;
    }
    // The conversion of line ends is done here, so the C library sees bytes only.
    const char* how = mode == Mode::Read ? "rb" : (mode == Mode::Write ? "wb" : "ab");
    errno = 0;
    m_file = std::fopen(path.c_str(), how);
    if (m_file == nullptr) {
        const int err = errno != 0 ? errno : ENOENT;
        m_error = Describe(path, mode == Mode::Read ? "Cannot open" : "Cannot create", err);
        return false;
    }
    return true;
}

void TextFile::Close() {
    if (m_file == nullptr)
        return;
    if (std::fclose(m_file) != 0 && m_mode != Mode::Read && m_error.empty())
        m_error = Describe(m_path, "Cannot finish writing", errno);
    m_file = nullptr;
}

bool TextFile::ReadLine(std::string& line, size_t limit) {
    line.clear();
    if (m_file == nullptr) {
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

    std::FILE* f = m_file;
    while (line.size() < limit) {
        int c = getc_unlocked(f);
        if (c == EOF) {
            if (std::ferror(f)) {
                m_error = Describe(m_path, "Cannot read", errno != 0 ? errno : EIO);
                std::clearerr(f);
            }
            m_eof = true;
            break;
        }
        if (c == '\r') {
            const int next = getc_unlocked(f);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                ungetc(next, f);  // a lone CR stays as it is
            }
        }
        line.push_back(static_cast<char>(c));
        if (c == '\n')
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
    if (m_file == nullptr)
        return -1;
    return static_cast<long long>(std::ftell(m_file));
}

bool TextFile::Seek(long long position) {
    if (m_file == nullptr || position < 0)
        return false;
    if (std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0) {
        m_error = Describe(m_path, "Cannot go back in", errno);
        return false;
    }
    m_eof = false;
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
    bool ok = true;
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
        m_error = Describe(m_path, "Cannot write to", errno != 0 ? errno : EIO);
    return ok;
}

bool TextFile::Flush() {
    if (m_file == nullptr)
        return false;
    if (std::fflush(m_file) != 0) {
        m_error = Describe(m_path, "Cannot write to", errno);
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
