#include "platform/DriveService.h"
#include "platform/MountInfo.h"

#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace zol {

namespace {

// Reads the whole mount table from its start; this also clears a pending change event.
std::string readMountInfo(int fd) {
    std::string text;
    char block[4096];
    lseek(fd, 0, SEEK_SET);
    for (;;) {
        const ssize_t got = read(fd, block, sizeof block);
        if (got <= 0) {
            return text;
        }
        text.append(block, static_cast<std::size_t>(got));
    }
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

// The splitter asks after every piece: the mount table is parsed again only when the system
// reports a change of it (poll on mountinfo), and a device's removable flag is kept until then.
class SystemDriveService : public DriveService {
public:
    SystemDriveService() : table_(open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC)) {}
    SystemDriveService(const SystemDriveService&) = delete;
    SystemDriveService& operator=(const SystemDriveService&) = delete;
    ~SystemDriveService() override {
        if (table_ >= 0) {
            close(table_);
        }
    }

    std::string driveRoot(const std::string& path) override {
        const MountEntry* mount = mountOf(path);
        if (mount == nullptr) {
            return {};
        }
        return mount->mountPoint == "/" ? "/" : mount->mountPoint + "/";
    }

    bool isRemovable(const std::string& path) override {
        const MountEntry* mount = mountOf(path);
        if (mount == nullptr) {
            return false;
        }
        const auto device = std::make_pair(mount->major, mount->minor);
        const auto known = removable_.find(device);
        if (known != removable_.end()) {
            return known->second;
        }
        const bool removable = BlockDeviceIsRemovable("/sys", mount->major, mount->minor);
        removable_.emplace(device, removable);
        return removable;
    }

private:
    const MountEntry* mountOf(const std::string& path) {
        if (path.empty() || table_ < 0) {
            return nullptr;
        }
        const std::string resolved = resolveExisting(path);
        if (resolved.empty()) {
            return nullptr;
        }
        if (!loaded_ || tableChanged()) {
            mounts_ = ParseMountInfo(readMountInfo(table_));
            removable_.clear();
            loaded_ = true;
        }
        return FindMount(mounts_, resolved);
    }

    bool tableChanged() const {
        pollfd watch{table_, POLLPRI, 0};
        return poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)) != 0;
    }

    int table_;
    bool loaded_ = false;
    std::vector<MountEntry> mounts_;
    std::map<std::pair<unsigned, unsigned>, bool> removable_;
};

} // namespace

std::unique_ptr<DriveService> makeSystemDriveService() {
    return std::make_unique<SystemDriveService>();
}

} // namespace zol
