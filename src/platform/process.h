// Starting other programs: the text viewer, the help browser.
#pragma once

#include <string>
#include <vector>

namespace platform {

class Process {
  public:
    // Starts argv[0] (looked up in PATH) with the arguments and does not wait for it. The
    // arguments go to the program as they are, no shell sees them. False with the reason in
    // `error` when the program cannot be started.
    static bool Spawn(const std::vector<std::string>& argv, std::string& error);
};

// A value of "Company\\Paths" without blanks around it (empty when unset).
std::string CompanyPath(const std::string& key);
// The viewer command of the settings: key "Viewer" of "Company\\Paths" (empty: no viewer).
std::string ViewerCommand();

enum class ViewerResult { NoViewer, Started, Failed };
// Opens `path` in the viewer: the viewer, then the path as its one argument.
ViewerResult OpenInViewer(const std::string& path, std::string& error);

}  // namespace platform
