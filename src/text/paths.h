// Path helpers for file lists, which hold names relative to the folder of their first name.
#pragma once

#include <string>

namespace text {

// The folder of a full path, with its trailing separator ("/data/job.are" gives "/data/").
std::string FolderOf(const std::string& path);
// folder + name, or the name itself when it is absolute.
std::string JoinFolder(const std::string& folder, const std::string& name);
// The full path of `name` relative to `folder` (lexically normal; the file need not exist).
std::string ResolvePath(const std::string& folder, const std::string& name);

}  // namespace text
