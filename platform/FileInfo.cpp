#include "platform/FileInfo.h"

#include "platform/FatTime.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace zol {

namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringAsciiCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == '\0' || asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return b[i] == '\0';
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

std::int64_t entrySize(DIR* dir, const char* name) {
    struct stat st {};
    if (fstatat(dirfd(dir), name, &st, 0) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return st.st_size;
}

} // namespace

std::int64_t FileSizeByName(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        return 0;
    }
    // An entry of exactly this name is the one the listing would choose: no need to list.
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        return S_ISREG(st.st_mode) ? st.st_size : 0;
    }
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) {
        return 0;
    }
    std::string caseMatch;
    while (const dirent* entry = readdir(dir.get())) {
        if (name == entry->d_name) {
            return entrySize(dir.get(), entry->d_name);
        }
        if (equalIgnoringAsciiCase(name, entry->d_name)) {
            caseMatch = entry->d_name;
        }
    }
    return caseMatch.empty() ? 0 : entrySize(dir.get(), caseMatch.c_str());
}

std::int32_t FileDateByName(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    const bool ok = fstat(fd, &st) == 0;
    close(fd);
    return ok ? PackFatTime(st.st_mtim.tv_sec) : -1;
}

void SetFileDateByName(const std::string& path, std::int32_t t) {
    const auto when = UnpackFatTime(t);
    if (!when) {
        return;
    }
    const timespec times[2] = {{0, UTIME_OMIT}, {*when, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

} // namespace zol
