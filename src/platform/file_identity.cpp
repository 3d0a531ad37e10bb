#include "platform/file_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace platform {

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    if (a.empty() || b.empty())
        return false;
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    // Not there yet (both or one): the same name once links and dots are resolved.
    std::error_code ea, eb;
    const auto ca = std::filesystem::weakly_canonical(a, ea);
    const auto cb = std::filesystem::weakly_canonical(b, eb);
    return !ea && !eb && ca == cb;
}

std::optional<FileDigest> DigestOf(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    uint64_t h = 0xcbf29ce484222325ULL;
    uint64_t size = 0;
    std::array<unsigned char, 65536> block;
    for (;;) {
        const ssize_t n = ::read(fd, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        for (ssize_t i = 0; i < n; ++i) h = (h ^ block[static_cast<size_t>(i)]) * 0x100000001b3ULL;
        size += static_cast<uint64_t>(n);
    }
    ::close(fd);
    static constexpr char kHex[] = "0123456789abcdef";
    FileDigest d;
    d.size = size;
    d.hash.resize(16);
    for (int i = 15; i >= 0; --i, h >>= 4) d.hash[static_cast<size_t>(i)] = kHex[h & 0xF];
    return d;
}

}  // namespace platform
