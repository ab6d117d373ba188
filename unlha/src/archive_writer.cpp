#include "archive_writer.h"

#include "creation_mask.h"
#include "fd_write.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace unlha {

ArchiveWriter::~ArchiveWriter() {
    if (fd_ >= 0) {
        close(fd_);
        unlink(tempPath_.c_str());
    }
}

int ArchiveWriter::Begin(const std::string& archivePath) {
    path_ = archivePath;
    std::string pattern = archivePath + ".XXXXXX";
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        return errno;
    }
    tempPath_ = pattern;
    // Keep the old archive's permissions; a new one gets those of any new file (0666 less the
    // creation mask), not mkstemp's 0600.
    struct stat st {};
    const mode_t mode =
        stat(archivePath.c_str(), &st) == 0 ? (st.st_mode & 0777) : (0666 & ~CreationMask());
    fchmod(fd_, mode);
    return 0;
}

bool ArchiveWriter::Write(const std::uint8_t* data, std::size_t size) {
    if (!WriteAll(fd_, data, size)) {
        return false;
    }
    size_ += size;
    return true;
}

ArchiveWriter::CopyResult ArchiveWriter::Copy(const Source& source) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    const auto chunk = std::make_unique_for_overwrite<std::uint8_t[]>(kChunk);
    for (std::int64_t n; (n = source(chunk.get(), kChunk)) != 0;) {
        if (n < 0) {
            return CopyResult::ReadFailed;
        }
        if (!Write(chunk.get(), static_cast<std::size_t>(n))) {
            return CopyResult::WriteFailed;
        }
    }
    return CopyResult::Done;
}

bool ArchiveWriter::Rewrite(std::uint64_t offset, const std::vector<std::uint8_t>& bytes) {
    if (offset + bytes.size() > size_) {
        errno = EINVAL;
        return false;
    }
    return WriteAllAt(fd_, bytes.data(), bytes.size(), offset);
}

bool ArchiveWriter::Cut(std::uint64_t size) {
    if (size > size_) {
        errno = EINVAL;
        return false;
    }
    if (ftruncate(fd_, static_cast<off_t>(size)) != 0 ||
        lseek(fd_, static_cast<off_t>(size), SEEK_SET) < 0) {
        return false;
    }
    size_ = size;
    return true;
}

int ArchiveWriter::Finish() {
    const std::uint8_t endMark = 0;
    if (!Write(&endMark, 1) || fsync(fd_) != 0) {
        return errno;
    }
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0 || rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const int err = errno;
        unlink(tempPath_.c_str());
        return err;
    }
    return 0;
}

} // namespace unlha
