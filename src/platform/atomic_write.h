// Writing a whole file so that a crash never leaves half of it at the target path.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Writes `contents` to a temporary file beside `path`, then renames it into place. On failure the
// target is untouched, the temporary file removed, and `error` says why.
bool AtomicWrite(const std::filesystem::path& path, std::string_view contents, std::string& error);

}  // namespace platform
