#include "archive_reader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unlha {

ArchiveReader::~ArchiveReader() {
    Unmap();
}

void ArchiveReader::Unmap() {
    if (data_ != nullptr) {
        munmap(const_cast<std::uint8_t*>(data_), size_);
        data_ = nullptr;
    }
    size_ = 0;
    members_.clear();
}

OpenStatus ArchiveReader::Open(const std::string& path) {
    Unmap();
    // Non-blocking, so a FIFO in the archive's place is refused instead of waited on.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        problem_ = std::strerror(errno);
        return errno == ENOENT || errno == ENOTDIR ? OpenStatus::Missing : OpenStatus::Unreadable;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        problem_ = "not a regular file";
        return OpenStatus::Unreadable;
    }
    fileTime_ = st.st_mtime;
    size_ = static_cast<std::uint64_t>(st.st_size);
    if (size_ > 0) {
        void* map = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map == MAP_FAILED) {
            problem_ = std::strerror(errno);
            close(fd);
            size_ = 0;
            return OpenStatus::Unreadable;
        }
        data_ = static_cast<const std::uint8_t*>(map);
    }
    close(fd);
    return ScanMembers(data_, size_, members_, problem_);
}

OpenStatus ScanMembers(const std::uint8_t* data, std::uint64_t size, std::vector<Member>& out,
                       std::string& problem) {
    out.clear();
    std::uint64_t pos = 0;
    while (true) {
        const ParsedHeader parsed = ParseHeader(data + pos, size - pos);
        if (parsed.status == ParseStatus::End) {
            break;
        }
        if (parsed.status != ParseStatus::Ok) {
            problem = parsed.problem;
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

} // namespace unlha
