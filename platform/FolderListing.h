#pragma once

#include <string>
#include <vector>

namespace zol {

// The names in folder, without "." and "..", in the order the system lists them; empty
// when the folder cannot be listed.
std::vector<std::string> FolderEntries(const std::string& folder);

// True when path names a regular file (after symlinks).
bool IsRegularFile(const std::string& path);

} // namespace zol
