#include "file_source.h"

#include "crc16.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unlha {

FileSource::~FileSource() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

int FileSource::Open(const std::string& path) {
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        return errno;
    }
    struct stat st {};
    if (fstat(fd_, &st) != 0) {
        return errno;
    }
    if (!S_ISREG(st.st_mode)) {
        return EINVAL; // replaced by something that is not a file since it was found
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    return 0;
}

std::int64_t FileSource::Read(std::uint8_t* data, std::size_t size) {
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(size, size_ - done_));
    if (want == 0) {
        return 0;
    }
    ssize_t n;
    do {
        n = read(fd_, data, want);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        problem_ = n == 0 ? "it became shorter while it was read" : std::strerror(errno);
        return -1;
    }
    crc_ = Crc16Update(crc_, data, static_cast<std::size_t>(n));
    done_ += static_cast<std::uint64_t>(n);
    return n;
}

bool FileSource::Rewind() {
    if (lseek(fd_, 0, SEEK_SET) != 0) {
        problem_ = std::strerror(errno);
        return false;
    }
    done_ = 0;
    crc_ = 0;
    return true;
}

} // namespace unlha
