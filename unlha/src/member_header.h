#pragma once

// LZH member headers: reading levels 0, 1, 2 and 3, writing level 2.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace unlha {

struct MemberHeader {
    std::string method;               // five characters, such as "-lh5-"
    std::uint64_t compressedSize = 0; // member data bytes after the header
    std::uint64_t originalSize = 0;
    std::int64_t mtime = 0; // seconds since 1970 (UTC)
    std::uint16_t crc = 0;  // CRC-16 of the original data
    std::uint8_t level = 2;
    std::uint8_t osId = 'U';
    std::uint16_t dosAttribute = 0x20;
    std::optional<std::uint16_t> unixMode;  // st_mode bits, type included
    std::optional<std::int64_t> createTime; // from the Windows times, seconds since 1970
    std::optional<std::int64_t> accessTime;
    std::string path; // UTF-8, "/" between folders; folders end with "/"

    bool IsDirectory() const { return method == "-lhd-"; }
    // LHa for UNIX stores a symbolic link as a folder member named "link|target".
    bool IsSymlink() const;
};

// Unreadable: the archive could not be read there (set by the reader, not the parser).
enum class ParseStatus { Ok, End, Truncated, Broken, BadHeaderCrc, Unreadable };

struct ParsedHeader {
    ParseStatus status = ParseStatus::Broken;
    MemberHeader header;
    std::size_t headerSize = 0; // bytes from the header's first byte to the member data
    std::string problem;        // what is wrong, for the error message
};

// Reads the header at data[0] from the size bytes there (Truncated when the header runs past
// them); remaining is what the file holds from there on, and the member data must lie within
// it for Ok.
ParsedHeader ParseHeader(const std::uint8_t* data, std::size_t size, std::uint64_t remaining);
inline ParsedHeader ParseHeader(const std::uint8_t* data, std::size_t size) {
    return ParseHeader(data, size, size);
}

// The level-2 header of a member (the extended headers current LHA tools write).
std::vector<std::uint8_t> BuildLevel2Header(const MemberHeader& header);

} // namespace unlha
