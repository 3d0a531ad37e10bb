#include "platform/atomic_write.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {

bool AtomicWrite(const std::filesystem::path& path, std::string_view contents, std::string& error) {
    std::filesystem::path tmp = path;
    tmp += ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = std::fflush(f) == 0 && ok;
    int saved = errno;
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(tmp, path, ec);
        if (!ec) return true;
        error = "cannot write " + path.string() + ": " + ec.message();
    } else {
        error = "cannot write " + path.string() + ": " + std::strerror(saved ? saved : errno);
    }
    std::filesystem::remove(tmp, ec);
    return false;
}

}  // namespace platform
