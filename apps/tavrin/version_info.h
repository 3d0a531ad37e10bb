// What `tavrin --version` prints; the values are written at build time.
#pragma once

namespace cli {
extern const char* const kVersion;
extern const char* const kCommit;     // `git describe` of the source, "unknown" outside git
extern const char* const kBuildType;  // CMAKE_BUILD_TYPE
}  // namespace cli
