#include "engine/SameFile.h"

#include <algorithm>
#include <sys/stat.h>

namespace zol {

bool IsSameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    struct stat sa {};
    struct stat sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool IsSameFileAsAny(const std::string& path, const std::vector<std::string>& others) {
    return std::any_of(others.begin(), others.end(),
                       [&path](const std::string& other) { return IsSameFile(path, other); });
}

} // namespace zol
