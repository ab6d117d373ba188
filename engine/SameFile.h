#pragma once

#include <string>
#include <vector>

namespace zol {

// True when both texts are equal, or name one existing file under two forms of its path
// (case on a case-folding file system, "./", a symlink, a hard link: same device and inode).
bool IsSameFile(const std::string& a, const std::string& b);

// True when path is the same file as any of others.
bool IsSameFileAsAny(const std::string& path, const std::vector<std::string>& others);

} // namespace zol
