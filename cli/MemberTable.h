#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zol::cli {

// One archive member as the listing shows it: the archive viewer's columns.
struct MemberRow {
    std::string name;
    std::uint32_t originalSize = 0;
    std::uint16_t date = 0; // MS-DOS packed
    std::uint16_t time = 0; // MS-DOS packed
    std::string attribute;
    std::string method;
    std::uint32_t compressedSize = 0;
};

// The rows under a header line, columns padded to their widest cell (sizes right-aligned,
// grouped by three), each line ending in "\n".
std::string FormatMemberTable(const std::vector<MemberRow>& rows);

} // namespace zol::cli
