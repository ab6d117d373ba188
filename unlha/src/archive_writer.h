#pragma once

// Writes a new archive image under a temporary name beside the archive and puts it in place
// only when complete: a failed command never destroys the archive it started from.

#include "codec.h"

#include <cstdint>
#include <string>
#include <vector>

namespace unlha {

class ArchiveWriter {
public:
    ArchiveWriter() = default;
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Returns an errno value.
    int Begin(const std::string& archivePath);
    // Returns false and keeps errno when the write fails.
    bool Write(const std::uint8_t* data, std::size_t size);
    bool Write(const std::vector<std::uint8_t>& bytes) { return Write(bytes.data(), bytes.size()); }
    enum class CopyResult { Done, ReadFailed, WriteFailed };
    // Writes everything source gives, keeping errno when reading or writing fails.
    CopyResult Copy(const Source& source);
    // Bytes written so far.
    std::uint64_t Size() const { return size_; }
    // Overwrites bytes already written, such as a header whose sizes are known only after
    // its data. False, keeping errno, when it fails.
    bool Rewrite(std::uint64_t offset, const std::vector<std::uint8_t>& bytes);
    // Drops what was written after size, so the next write goes there. False, keeping errno.
    bool Cut(std::uint64_t size);
    // Ends the archive, flushes it to disk and renames it over the archive. Returns an errno.
    int Finish();

private:
    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace unlha
