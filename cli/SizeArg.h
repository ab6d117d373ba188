#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zol::cli {

// The piece size of "zol split -s": one of the floppy presets "1.44", "1.25", "0.95", "0.72",
// or a byte count with an optional binary suffix K, M or G, optionally minus a second such
// count ("4G-1" for the largest file FAT32 holds). nullopt when the text is none of these or
// the size is not above 0.
std::optional<std::int64_t> ParsePieceSize(const std::string& text);

} // namespace zol::cli
