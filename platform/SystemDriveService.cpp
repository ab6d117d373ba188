#include "platform/DriveService.h"
#include "platform/MountInfo.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace zol {

namespace {

std::string readMountInfo() {
    std::ifstream in("/proc/self/mountinfo");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The real path of path's longest existing leading part: an output folder or a piece may
// not exist yet, while the drive that will hold it does.
std::string resolveExisting(const std::string& path) {
    std::string at = path;
    if (at[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd) == nullptr) {
            return {};
        }
        at = std::string(cwd) + "/" + at;
    }
    for (;;) {
        if (char* resolved = realpath(at.c_str(), nullptr)) {
            std::string out = resolved;
            std::free(resolved);
            return out;
        }
        while (at.size() > 1 && at.back() == '/') {
            at.pop_back();
        }
        const auto slash = at.rfind('/');
        if (slash == std::string::npos || at == "/") {
            return {};
        }
        at.erase(slash == 0 ? 1 : slash);
    }
}

class SystemDriveService : public DriveService {
public:
    std::string driveRoot(const std::string& path) override {
        const MountEntry* mount = mountOf(path);
        if (mount == nullptr) {
            return {};
        }
        return mount->mountPoint == "/" ? "/" : mount->mountPoint + "/";
    }

    bool isRemovable(const std::string& path) override {
        const MountEntry* mount = mountOf(path);
        return mount != nullptr && BlockDeviceIsRemovable("/sys", mount->major, mount->minor);
    }

private:
    const MountEntry* mountOf(const std::string& path) {
        if (path.empty()) {
            return nullptr;
        }
        const std::string resolved = resolveExisting(path);
        if (resolved.empty()) {
            return nullptr;
        }
        // Read afresh each time: a disk may have been changed or mounted since the last question.
        mounts_ = ParseMountInfo(readMountInfo());
        return FindMount(mounts_, resolved);
    }

    std::vector<MountEntry> mounts_;
};

} // namespace

std::unique_ptr<DriveService> makeSystemDriveService() {
    return std::make_unique<SystemDriveService>();
}

} // namespace zol
