#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace zol {

// The packed FAT local date-time: years since 1980, month and day in the high 16 bits;
// hours, minutes and seconds / 2 in the low 16 bits.

// -1 for a local time outside 1980 to 2107.
std::int32_t PackFatTime(std::time_t t);

// The moment a packed value stands for in local time; nothing for -1 or a value whose fields
// are no valid date-time.
std::optional<std::time_t> UnpackFatTime(std::int32_t packed);

} // namespace zol
