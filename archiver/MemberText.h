#pragma once

#include "engine/TextFormat.h" // DateText, TimeText

#include <cstdint>
#include <string>

namespace zol {

// How the archive viewer writes a member's fields.

// The grouped whole number: 1234567 gives "1,234,567". The library's sizes are unsigned, so
// sizes of 2 GiB and more come out as they are.
std::string SizeText(std::uint32_t n);
// s with A-Z lowered when it holds no a-z, unchanged otherwise; every other byte, UTF-8
// sequences included, stays as it is.
std::string LowerIfAllCaps(const std::string& s);

} // namespace zol
