#include "platform/File.h"

#include "platform/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace zol {

namespace {

[[noreturn]] void throwErrno(int errnoValue) {
    throw FileError(FileErrorCode(errnoValue));
}

int openOrThrow(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throwErrno(errno);
    }
    return fd;
}

} // namespace

File File::openRead(const std::string& path) {
    File file(openOrThrow(path, O_RDONLY));
    ::posix_fadvise(file.fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return file;
}

File File::create(const std::string& path) {
    return File(openOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC));
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

File::~File() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void File::read(void* buffer, std::size_t n) {
    auto* at = static_cast<char*>(buffer);
    while (n > 0) {
        const ssize_t got = ::read(fd_, at, n);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwErrno(errno);
        }
        if (got == 0) {
            throw FileError(ShortReadCode);
        }
        at += got;
        n -= static_cast<std::size_t>(got);
    }
}

void File::write(const void* buffer, std::size_t n) {
    const auto* at = static_cast<const char*>(buffer);
    bool storedPart = false;
    while (n > 0) {
        const ssize_t put = ::write(fd_, at, n);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            // Once part of the block is stored, the disk is what ran out.
            if (storedPart) {
                throw FileError(ShortWriteCode);
            }
            throwErrno(errno);
        }
        if (put == 0) {
            throw FileError(ShortWriteCode);
        }
        storedPart = true;
        at += put;
        n -= static_cast<std::size_t>(put);
    }
}

std::size_t File::copyFrom(File& in, std::size_t n) {
    std::size_t copied = 0;
    while (copied < n) {
        const ssize_t put = ::copy_file_range(in.fd_, nullptr, fd_, nullptr, n - copied, 0);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            // Not between these files (another file system, a device): read and write instead.
            if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                errno == EBADF) {
                return copied;
            }
            if (copied > 0) {
                throw FileError(ShortWriteCode);
            }
            throwErrno(errno);
        }
        if (put == 0) {
            return copied; // the end of the input, or a file whose size the system does not know
        }
        copied += static_cast<std::size_t>(put);
    }
    return copied;
}

void File::close() {
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) {
        throwErrno(errno);
    }
}

} // namespace zol
