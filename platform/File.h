#pragma once

#include "platform/FileError.h"

#include <cstddef>
#include <string>

namespace zol {

// An open file of split or join. Every failure throws FileError with the program's code and
// the side it concerns (a file opened for reading is the input, a created one the output);
// the destructor closes a file still open without reporting, so files in hand are closed
// on the way out of a failed operation.
class File {
public:
    // Opens a regular file; a folder, a FIFO or a device is refused with code 5, without
    // waiting for a FIFO's writer.
    static File openRead(const std::string& path);
    // Creates the file, or truncates an existing one. A FIFO without a reader is refused
    // instead of waited for.
    static File create(const std::string& path);

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads exactly n bytes; fewer (the end came sooner) is a short read.
    void read(void* buffer, std::size_t n);
    // Writes all n bytes; a write that stores only part of them is a short write.
    void write(const void* buffer, std::size_t n);
    // Copies up to n bytes from in to this file inside the system, without passing them
    // through memory of ours. Returns how many were copied: fewer than n (down to 0) when the
    // system cannot copy between these two files, and the caller moves the rest itself.
    std::size_t copyFrom(File& in, std::size_t n);
    // Writes the file's data, and the other changes pending on its disk (its folder entry),
    // through to the medium, reporting what the system reports (a bad sector): the user
    // takes a removable disk out once this returns.
    void sync();
    // Closes the file, reporting what the system reports (a delayed write error).
    void close();

private:
    File(int fd, FileSide side) : fd_(fd), side_(side) {}
    [[noreturn]] void fail(int code) const;
    [[noreturn]] void failErrno(int errnoValue) const;
    int fd_ = -1;
    FileSide side_;
};

} // namespace zol
