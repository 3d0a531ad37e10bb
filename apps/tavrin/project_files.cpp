// The project files of a command: never written over an input, locked for the whole
// read-modify-write, written only when the run has something to write.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "platform/file_identity.h"
#include "resources/strings.h"

namespace cli {

bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs) {
    if (output.empty())
        return false;
    for (const std::string& input : inputs)
        if (platform::SameFile(output, input)) {
            PrintError(res::Format(res::LoadString(9602), {output, input}));
            return true;
        }
    return false;
}

void SayNothingImported(const std::string& output) {
    std::error_code ec;
    if (!output.empty() && std::filesystem::exists(output, ec))
        std::cout << res::Format(res::LoadString(9607), {output});
    else
        std::cout << res::LoadString(9606);
}

bool ProjectLocks::Take(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::error_code ec;
        if (path.empty() || !std::filesystem::exists(path, ec))
            continue;  // a new file: nobody else reads it before we write it
        const bool held = std::any_of(m_held.begin(), m_held.end(), [&](const std::string& h) {
            return platform::SameFile(h, path);
        });
        if (held)
            continue;  // one lock a file: a second one would wait for ourselves
        std::string error;
        auto& lock = m_locks.emplace_back();
        if (!lock.Acquire(
                path,
                [&] { std::cerr << res::Format(res::LoadString(9604), {path}) << std::flush; },
                error)) {
            PrintError(error);
            return false;
        }
        m_held.push_back(path);
    }
    return true;
}

}  // namespace cli
