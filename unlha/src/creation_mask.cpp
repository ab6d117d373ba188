#include "creation_mask.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace unlha {

mode_t CreationMask() {
    // umask() can only be read by setting it, which would race with other threads making
    // files; the kernel shows it in the process status instead.
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    return 022;
}

} // namespace unlha
