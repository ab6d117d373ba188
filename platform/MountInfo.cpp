#include "platform/MountInfo.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace zol {

namespace {

// mountinfo writes space, tab, newline and backslash in paths as \ooo.
std::string unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '7' && field[i + 2] >= '0' && field[i + 2] <= '7' &&
            field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool parseLine(const std::string& line, MountEntry& entry) {
    std::istringstream in(line);
    std::string id, parent, device, root, mountPoint, options, field;
    if (!(in >> id >> parent >> device >> root >> mountPoint >> options)) {
        return false;
    }
    while (in >> field && field != "-") {
    }
    if (field != "-" || !(in >> entry.fsType >> entry.source)) {
        return false;
    }
    const auto colon = device.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    char* end = nullptr;
    entry.major = static_cast<unsigned>(std::strtoul(device.c_str(), &end, 10));
    if (end != device.c_str() + colon) {
        return false;
    }
    entry.minor = static_cast<unsigned>(std::strtoul(device.c_str() + colon + 1, &end, 10));
    if (*end != '\0') {
        return false;
    }
    entry.mountPoint = unescape(mountPoint);
    entry.source = unescape(entry.source);
    return !entry.mountPoint.empty() && entry.mountPoint[0] == '/';
}

bool holds(const std::string& mountPoint, const std::string& path) {
    if (mountPoint == "/") {
        return !path.empty() && path[0] == '/';
    }
    return path.compare(0, mountPoint.size(), mountPoint) == 0 &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string readFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

std::vector<MountEntry> ParseMountInfo(const std::string& text) {
    std::vector<MountEntry> mounts;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        MountEntry entry;
        if (parseLine(line, entry)) {
            mounts.push_back(std::move(entry));
        }
    }
    return mounts;
}

const MountEntry* FindMount(const std::vector<MountEntry>& mounts,
                            const std::string& absolutePath) {
    const MountEntry* best = nullptr;
    for (const auto& entry : mounts) {
        if (holds(entry.mountPoint, absolutePath) &&
            (best == nullptr || entry.mountPoint.size() >= best->mountPoint.size())) {
            best = &entry;
        }
    }
    return best;
}

bool BlockDeviceIsRemovable(const std::string& sysRoot, unsigned major, unsigned minor) {
    if (major == 0) {
        return false; // no block device behind the mount (tmpfs, proc, overlay)
    }
    char* resolved = realpath(
        (sysRoot + "/dev/block/" + std::to_string(major) + ":" + std::to_string(minor)).c_str(),
        nullptr);
    if (resolved == nullptr) {
        return false;
    }
    std::string dir = resolved;
    std::free(resolved);
    // A partition has no "removable" of its own: its whole disk is the folder above it.
    while (dir.size() > sysRoot.size() && dir.find('/') != std::string::npos) {
        const std::string name = dir.substr(dir.rfind('/') + 1);
        if (name.compare(0, 2, "fd") == 0) {
            return true;
        }
        if (name == "block" || !isDirectory(dir)) {
            return false;
        }
        const std::string removable = dir + "/removable";
        struct stat st {};
        if (stat(removable.c_str(), &st) == 0) {
            return readFirstLine(removable) == "1";
        }
        dir.erase(dir.rfind('/'));
    }
    return false;
}

} // namespace zol
