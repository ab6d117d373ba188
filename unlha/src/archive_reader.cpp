#include "archive_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unlha {

namespace {

// A level-2 header, the largest of the usual ones, always fits the first read; longer level-1
// and level-3 headers get one more, larger read.
constexpr std::size_t kHeaderRead = std::size_t{1} << 16;
constexpr std::size_t kLongHeaderRead = std::size_t{1} << 20;

// Reads size bytes at offset; false with errno set when that fails or the file ends first.
bool ReadAt(int fd, std::uint8_t* data, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        const ssize_t n = pread(fd, data, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO; // the file became shorter
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

} // namespace

ArchiveReader::~ArchiveReader() {
    Close();
}

void ArchiveReader::Close() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    size_ = 0;
    members_.clear();
}

OpenStatus ArchiveReader::Open(const std::string& path) {
    Close();
    // Non-blocking, so a FIFO in the archive's place is refused instead of waited on.
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        problem_ = std::strerror(errno);
        return errno == ENOENT || errno == ENOTDIR ? OpenStatus::Missing : OpenStatus::Unreadable;
    }
    struct stat st {};
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        problem_ = "not a regular file";
        Close();
        return OpenStatus::Unreadable;
    }
    fileTime_ = st.st_mtime;
    size_ = static_cast<std::uint64_t>(st.st_size);
    // Headers are parsed from a window read ahead of them, so an archive of many small members
    // costs a read per window, not one per member.
    std::vector<std::uint8_t> window;
    std::uint64_t windowAt = 0;
    const auto headerAt = [&](std::uint64_t offset) {
        const std::uint64_t remaining = size_ - offset;
        ParsedHeader parsed;
        if (offset >= windowAt && offset - windowAt < window.size()) {
            const auto skip = static_cast<std::size_t>(offset - windowAt);
            parsed = ParseHeader(window.data() + skip, window.size() - skip, remaining);
            if (parsed.status != ParseStatus::Truncated || window.size() - skip == remaining) {
                return parsed;
            }
        }
        windowAt = offset;
        for (const std::size_t most : {kHeaderRead, kLongHeaderRead}) {
            window.resize(static_cast<std::size_t>(std::min<std::uint64_t>(most, remaining)));
            if (!ReadAt(fd_, window.data(), window.size(), offset)) {
                window.clear();
                parsed.status = ParseStatus::Unreadable;
                parsed.problem = std::strerror(errno);
                break;
            }
            parsed = ParseHeader(window.data(), window.size(), remaining);
            if (parsed.status != ParseStatus::Truncated || window.size() == remaining) {
                break;
            }
        }
        return parsed;
    };
    return ScanMembers(headerAt, size_, members_, problem_);
}

Source ArchiveReader::Bytes(std::uint64_t offset, std::uint64_t size) const {
    return [fd = fd_, offset, size](std::uint8_t* data, std::size_t room) mutable {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(room, size));
        if (n != 0 && !ReadAt(fd, data, n, offset)) {
            return std::int64_t{-1};
        }
        offset += n;
        size -= n;
        return static_cast<std::int64_t>(n);
    };
}

OpenStatus ScanMembers(const HeaderAt& headerAt, std::uint64_t size, std::vector<Member>& out,
                       std::string& problem) {
    out.clear();
    std::uint64_t pos = 0;
    while (true) {
        const ParsedHeader parsed = headerAt(pos);
        if (parsed.status == ParseStatus::End) {
            break;
        }
        if (parsed.status != ParseStatus::Ok) {
            problem = parsed.problem;
            if (parsed.status == ParseStatus::Unreadable) {
                return OpenStatus::Unreadable;
            }
            if (out.empty() && parsed.status == ParseStatus::Broken) {
                return OpenStatus::NotArchive;
            }
            return parsed.status == ParseStatus::BadHeaderCrc ? OpenStatus::BadHeaderCrc
                                                              : OpenStatus::Broken;
        }
        Member member;
        member.header = parsed.header;
        member.headerOffset = pos;
        member.dataOffset = pos + parsed.headerSize;
        pos = member.StoredEnd();
        out.push_back(std::move(member));
    }
    if (out.empty() && size != 1) {
        problem = "not an LZH archive";
        return OpenStatus::NotArchive;
    }
    return OpenStatus::Ok;
}

OpenStatus ScanMembers(const std::uint8_t* data, std::uint64_t size, std::vector<Member>& out,
                       std::string& problem) {
    const HeaderAt headerAt = [data, size](std::uint64_t offset) {
        return ParseHeader(data + offset, static_cast<std::size_t>(size - offset));
    };
    return ScanMembers(headerAt, size, out, problem);
}

} // namespace unlha
