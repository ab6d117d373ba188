#include "destination.h"

#include "fd_write.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace unlha {
namespace {

int MakeFolders(const std::string& folder) {
    std::string path;
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t slash = folder.find('/', start);
        if (slash == std::string::npos) {
            slash = folder.size();
        }
        path = folder.substr(0, slash);
        if (!path.empty() && mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            return errno;
        }
        start = slash + 1;
    }
    return 0;
}

} // namespace

std::optional<std::vector<std::string>> SafeComponents(const std::string& memberPath,
                                                       std::string& why) {
    if (!memberPath.empty() && memberPath[0] == '/') {
        why = "absolute path";
        return std::nullopt;
    }
    if (memberPath.find('\0') != std::string::npos) {
        why = "zero byte in the name"; // the system would cut the name there
        return std::nullopt;
    }
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= memberPath.size()) {
        std::size_t slash = memberPath.find('/', start);
        if (slash == std::string::npos) {
            slash = memberPath.size();
        }
        const std::string part = memberPath.substr(start, slash - start);
        start = slash + 1;
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            why = "path climbs out with \"..\"";
            return std::nullopt;
        }
        if (components.empty() && part.size() == 2 && part[1] == ':' &&
            ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'))) {
            why = "path names a drive";
            return std::nullopt;
        }
        components.push_back(part);
    }
    if (components.empty()) {
        why = "empty name";
        return std::nullopt;
    }
    return components;
}

Destination::~Destination() {
    if (root_ >= 0) {
        close(root_);
    }
}

int Destination::Open(const std::string& folder) {
    const std::string path = folder.empty() ? "." : folder;
    if (const int err = MakeFolders(path); err != 0) {
        return err;
    }
    root_ = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return root_ < 0 ? errno : 0;
}

int Destination::OpenFolder(const std::vector<std::string>& components) const {
    int fd = fcntl(root_, F_DUPFD_CLOEXEC, 0);
    for (const std::string& part : components) {
        if (fd < 0) {
            return -1;
        }
        int next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT) {
            if (mkdirat(fd, part.c_str(), 0755) != 0 && errno != EEXIST) {
                const int err = errno;
                close(fd);
                errno = err;
                return -1;
            }
            next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        const int err = errno;
        close(fd);
        errno = err;
        fd = next;
    }
    return fd;
}

bool EntryExists(int folder, const std::string& name) {
    struct stat st {};
    return fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

OutputFile::~OutputFile() {
    Discard();
    if (folder_ >= 0) {
        close(folder_);
    }
}

void OutputFile::Discard() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
        unlinkat(folder_, tempName_.c_str(), 0);
    }
}

int OutputFile::Create(int folder, const std::string& name) {
    folder_ = folder;
    name_ = name;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName_ = ".unlha-" + std::to_string(random()) + ".tmp";
        fd_ = openat(folder_, tempName_.c_str(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

bool OutputFile::Write(const std::uint8_t* data, std::size_t size) {
    return WriteAll(fd_, data, size);
}

int OutputFile::Commit(unsigned mode, std::int64_t mtime, std::int64_t atime) {
    struct timespec times[2] = {{static_cast<time_t>(atime), 0}, {static_cast<time_t>(mtime), 0}};
    if (fchmod(fd_, mode & 0777) != 0 || futimens(fd_, times) != 0) {
        const int err = errno;
        Discard();
        return err;
    }
    if (close(fd_) != 0) {
        const int err = errno;
        fd_ = -1;
        unlinkat(folder_, tempName_.c_str(), 0);
        return err;
    }
    fd_ = -1;
    if (renameat(folder_, tempName_.c_str(), folder_, name_.c_str()) != 0) {
        const int err = errno;
        unlinkat(folder_, tempName_.c_str(), 0);
        return err;
    }
    return 0;
}

} // namespace unlha
