// A stand-in viewer: a script that writes its arguments, one a line, to a file (through a
// rename, so a reader never sees half of it), and a wait for that file.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "support/temp_dir.h"

namespace testing_support {

inline std::filesystem::path WriteRecorder(const std::filesystem::path& folder,
                                           const std::string& name,
                                           const std::filesystem::path& out) {
    const std::string o = out.string();
    const std::filesystem::path script = folder / name;
    std::ofstream(script, std::ios::binary) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + o +
                                                   ".part'\n/bin/mv '" + o + ".part' '" + o + "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return script;
}

// The file's contents once it appears; nothing after five seconds.
inline std::optional<std::string> WaitForFile(const std::filesystem::path& path) {
    for (int i = 0; i < 500; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (std::filesystem::exists(path))
            return TempDir::Read(path);
    return std::nullopt;
}

}  // namespace testing_support
