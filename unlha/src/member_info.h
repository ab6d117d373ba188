#pragma once

// How a member is described to callers: the listing record and its texts.

#include "member_header.h"
#include "unlha32.h"

#include <string>

namespace unlha {

// Compressed size per original size in tenths of a percent (0 for an empty member).
std::uint16_t Ratio(std::uint64_t compressed, std::uint64_t original);

// Six characters: d (folder), h (hidden), s (system), a (archive), x (executable), then w
// (writable) or r (read-only); "-" where a property is absent.
std::string AttributeText(const MemberHeader& h);

void FillInfo(const MemberHeader& h, INDIVIDUALINFO& info);

} // namespace unlha
