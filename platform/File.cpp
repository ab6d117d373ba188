#include "platform/File.h"

#include "platform/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zol {

namespace {

[[noreturn]] void throwErrno(int errnoValue, FileSide side) {
    throw FileError(FileErrorCode(errnoValue), side);
}

// Opens without waiting: a FIFO would hold open() until its other end came, with the window
// frozen. Call makeBlocking once the file is known to be one to keep.
int openOrThrow(const std::string& path, int flags, FileSide side) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throwErrno(errno, side);
    }
    return fd;
}

// The transfer loops expect reads and writes that wait for the device.
void makeBlocking(int fd, FileSide side) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        throwErrno(errno, side);
    }
}

// Calls call until it is not interrupted; 0 when it succeeded, else its errno.
template <typename Call> int retryOnInterrupt(Call call) {
    int result;
    do {
        result = call();
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

} // namespace

void File::fail(int code) const {
    throw FileError(code, side_);
}

void File::failErrno(int errnoValue) const {
    throwErrno(errnoValue, side_);
}

File File::openRead(const std::string& path) {
    File file(openOrThrow(path, O_RDONLY, FileSide::Input), FileSide::Input);
    struct stat st {};
    if (::fstat(file.fd_, &st) != 0) {
        file.failErrno(errno);
    }
    // A folder reads as nothing at all and a FIFO as whatever its writer sends: either would
    // make a split or join that reports success. The path exists, so "access denied" (5) is
    // the text that reads right, where EISDIR would only show as a bare error number.
    if (!S_ISREG(st.st_mode)) {
        file.fail(FileErrorCode(EACCES));
    }
    makeBlocking(file.fd_, FileSide::Input);
    ::posix_fadvise(file.fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return file;
}

File File::create(const std::string& path) {
    File file(openOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC, FileSide::Output), FileSide::Output);
    makeBlocking(file.fd_, FileSide::Output);
    return file;
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)), side_(other.side_) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
        side_ = other.side_;
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
            failErrno(errno);
        }
        if (got == 0) {
            fail(ShortReadCode);
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
                fail(ShortWriteCode);
            }
            failErrno(errno);
        }
        if (put == 0) {
            fail(ShortWriteCode);
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
                fail(ShortWriteCode);
            }
            // Either file may be the one that failed, unless the disk is full.
            const int code = FileErrorCode(errno);
            throw FileError(code, code == ShortWriteCode ? side_ : FileSide::Either);
        }
        if (put == 0) {
            return copied; // the end of the input, or a file whose size the system does not know
        }
        copied += static_cast<std::size_t>(put);
    }
    return copied;
}

void File::sync() {
    if (const int error = retryOnInterrupt([this] { return ::fsync(fd_); })) {
        failErrno(error);
    }
    // A new file's folder entry (on FAT its long name may lie in a block of its own) is not
    // part of the file: flush the rest of the disk too.
    if (const int error = retryOnInterrupt([this] { return ::syncfs(fd_); })) {
        failErrno(error);
    }
}

void File::close() {
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) {
        failErrno(errno);
    }
}

} // namespace zol
