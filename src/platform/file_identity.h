// Which file a path is: the same file under another name, and a digest of its contents that
// follows it when it is moved or renamed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// True when both paths name one file: the same device and inode (links, "./" and other spellings
// of the path included), or, for a file not there yet, the same path once resolved.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

struct FileDigest {
    uint64_t size = 0;
    std::string hash;  // 16 hex digits of a 64-bit FNV-1a over the bytes
    bool operator==(const FileDigest&) const = default;
};
// The size and content hash of a readable file; nothing when it cannot be read.
std::optional<FileDigest> DigestOf(const std::filesystem::path& path);

}  // namespace platform
