#include "text/paths.h"

#include <filesystem>

namespace text {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string JoinFolder(const std::string& folder, const std::string& name) {
    if (name.empty() || name[0] == '/')
        return name;
    return folder + name;
}

std::string ResolvePath(const std::string& folder, const std::string& name) {
    fs::path p(name);
    if (p.is_relative() && !folder.empty())
        p = fs::path(folder) / p;
    if (p.is_relative()) {
        std::error_code ec;
        p = fs::absolute(p, ec);
    }
    return p.lexically_normal().string();
}

}  // namespace text
