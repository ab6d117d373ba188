#pragma once

// An archive opened for reading: its bytes mapped, its members located.

#include "member_header.h"

#include <cstdint>
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

// Broken and BadHeaderCrc keep the members read before the damage.
enum class OpenStatus { Ok, Missing, Unreadable, NotArchive, Broken, BadHeaderCrc };

class ArchiveReader {
public:
    ArchiveReader() = default;
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Maps path and reads every header. On failure, problem says why.
    OpenStatus Open(const std::string& path);

    const std::vector<Member>& Members() const { return members_; }
    const std::uint8_t* Data() const { return data_; }
    std::uint64_t Size() const { return size_; }
    std::int64_t FileTime() const { return fileTime_; }
    const std::string& Problem() const { return problem_; }

private:
    void Unmap();

    const std::uint8_t* data_ = nullptr;
    std::uint64_t size_ = 0;
    std::int64_t fileTime_ = 0;
    std::vector<Member> members_;
    std::string problem_;
};

// Reads the headers of an archive image. An image of only the end mark is an empty archive;
// an empty file is none.
OpenStatus ScanMembers(const std::uint8_t* data, std::uint64_t size, std::vector<Member>& out,
                       std::string& problem);

} // namespace unlha
