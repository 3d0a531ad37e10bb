#include "platform/process.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <mutex>

#include "platform/profile.h"

extern char** environ;

namespace platform {

namespace {

// Children are not waited for when they start, so each start first collects the ones that have
// ended since; no zombie outlives the next start, and other children of the process are left
// alone.
std::mutex g_children_mutex;
std::vector<pid_t> g_children;

void CollectEnded() {
    std::erase_if(g_children, [](pid_t pid) {
        int status = 0;
        pid_t r = ::waitpid(pid, &status, WNOHANG);
        return r == pid || r < 0;
    });
}

}  // namespace

bool Process::Spawn(const std::vector<std::string>& argv, std::string& error) {
    if (argv.empty() || argv[0].empty()) {
        error = "no program to start";
        return false;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    std::lock_guard lock(g_children_mutex);
    CollectEnded();
    pid_t pid = 0;
    int rc = ::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ);
    if (rc != 0) {
        error = argv[0] + ": " + std::strerror(rc);
        return false;
    }
    g_children.push_back(pid);
    return true;
}

std::string CompanyPath(const std::string& key) {
    std::string value = Profile::Instance().GetString("Company\\Paths", key, "");
    // A value of blanks is no value, and blanks around a path are not part of it.
    const char* blanks = " \t";
    size_t b = value.find_first_not_of(blanks);
    if (b == std::string::npos)
        return {};
    return value.substr(b, value.find_last_not_of(blanks) - b + 1);
}

std::string ViewerCommand() {
    return CompanyPath("Viewer");
}

ViewerResult OpenInViewer(const std::string& path, std::string& error) {
    std::string viewer = ViewerCommand();
    if (viewer.empty())
        return ViewerResult::NoViewer;
    return Process::Spawn({viewer, path}, error) ? ViewerResult::Started : ViewerResult::Failed;
}

}  // namespace platform
