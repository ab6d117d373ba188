#pragma once

// Small file helpers shared by the platform and engine tests.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <ftw.h>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zol::test {

// A fresh folder under /tmp, removed with its contents at the end of the test.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& base = "/tmp") {
        std::string pattern = base + "/zoltest-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern + "/";
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        nftw(
            path_.c_str(),
            [](const char* p, const struct stat*, int, FTW*) { return std::remove(p); }, 16,
            FTW_DEPTH | FTW_PHYS);
    }
    // The folder, ending with "/".
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// n bytes that differ from position to position, so that a misplaced block shows.
inline std::string PatternBytes(std::size_t n, unsigned seed = 1) {
    std::string bytes(n, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<char>(x >> 24);
    }
    return bytes;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file of the given size that takes no disk space.
inline void MakeSparse(const std::string& path, std::int64_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ftruncate(fd, size) != 0) {
        throw std::runtime_error("cannot make " + path);
    }
    close(fd);
}

inline bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

inline std::time_t ModifiedTime(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mtim.tv_sec;
}

inline void SetModifiedTime(const std::string& path, std::time_t t) {
    const timespec times[2] = {{t, 0}, {t, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// Entries of folder other than "." and "..".
inline int EntryCount(const std::string& folder) {
    int count = 0;
    if (auto* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            count += name != "." && name != ".." ? 1 : 0;
        }
        closedir(dir);
    }
    return count;
}

// Number of open file descriptors of this process.
inline int OpenFileCount() {
    int count = 0;
    if (auto* dir = opendir("/proc/self/fd")) {
        while (readdir(dir) != nullptr) {
            ++count;
        }
        closedir(dir);
    }
    return count;
}

} // namespace zol::test
