#include "fd_write.h"

#include <cerrno>
#include <unistd.h>

namespace unlha {

namespace {

// Calls writeSome(data, size) until everything is written, going on after interruptions.
template <typename WriteSome>
bool WriteLoop(const std::uint8_t* data, std::size_t size, WriteSome writeSome) {
    while (size > 0) {
        const ssize_t written = writeSome(data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    return WriteLoop(data, size,
                     [fd](const std::uint8_t* d, std::size_t n) { return write(fd, d, n); });
}

bool WriteAllAt(int fd, const std::uint8_t* data, std::size_t size, std::uint64_t offset) {
    return WriteLoop(data, size, [fd, &offset](const std::uint8_t* d, std::size_t n) {
        const ssize_t written = pwrite(fd, d, n, static_cast<off_t>(offset));
        if (written > 0) {
            offset += static_cast<std::uint64_t>(written);
        }
        return written;
    });
}

} // namespace unlha
