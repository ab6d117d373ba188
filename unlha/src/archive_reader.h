#pragma once

// An archive opened for reading: its members located, their bytes read when asked for. The
// archive is read, not mapped, so one that shrinks or fails (a disk taken out) gives errors
// instead of killing the program.

#include "codec.h"
#include "member_header.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace unlha {

struct Member {
    MemberHeader header;
    std::uint64_t headerOffset = 0;
    std::uint64_t dataOffset = 0;
    // The stored bytes of the member: header and data, for copying it unchanged.
    std::uint64_t StoredEnd() const { return dataOffset + header.compressedSize; }
};

// Broken, BadHeaderCrc and (once the file is open) Unreadable keep the members read before.
enum class OpenStatus { Ok, Missing, Unreadable, NotArchive, Broken, BadHeaderCrc };

class ArchiveReader {
public:
    ArchiveReader() = default;
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Opens path and reads every header. On failure, problem says why.
    OpenStatus Open(const std::string& path);

    const std::vector<Member>& Members() const { return members_; }
    std::uint64_t Size() const { return size_; }
    // The size bytes from offset, read as they are asked for; the source fails (-1, errno
    // set) when reading does or the file ends first.
    Source Bytes(std::uint64_t offset, std::uint64_t size) const;
    std::int64_t FileTime() const { return fileTime_; }
    const std::string& Problem() const { return problem_; }

private:
    void Close();

    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::int64_t fileTime_ = 0;
    std::vector<Member> members_;
    std::string problem_;
};

// Parses the header at an offset of an archive of a known size.
using HeaderAt = std::function<ParsedHeader(std::uint64_t offset)>;

// Reads the headers of an archive of size bytes, one after the other. An archive of only the
// end mark is empty; an empty file is none.
OpenStatus ScanMembers(const HeaderAt& headerAt, std::uint64_t size, std::vector<Member>& out,
                       std::string& problem);
// The same over an archive image in memory.
OpenStatus ScanMembers(const std::uint8_t* data, std::uint64_t size, std::vector<Member>& out,
                       std::string& problem);

} // namespace unlha
