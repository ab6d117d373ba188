#pragma once

// A file being added to an archive: read in order, exactly as long as it was when opened, with
// the CRC-16 of what has been read. Read in chunks, so a file of any size fits.

#include <cstdint>
#include <string>

namespace unlha {

class FileSource {
public:
    FileSource() = default;
    ~FileSource();
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Returns 0 or an errno value, EINVAL when path is not a regular file (a FIFO is refused,
    // not waited on).
    int Open(const std::string& path);
    std::uint64_t Size() const { return size_; }

    // Up to size next bytes into data: how many, 0 after the last, -1 when reading failed.
    std::int64_t Read(std::uint8_t* data, std::size_t size);
    // Back to the start with a fresh CRC, for a second reading. False when that fails.
    bool Rewind();

    std::uint16_t Crc() const { return crc_; }
    // Why the last Read or Rewind failed.
    const std::string& Problem() const { return problem_; }

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t done_ = 0;
    std::uint16_t crc_ = 0;
    std::string problem_;
};

} // namespace unlha
