#pragma once

// MS-DOS packed date and time (local time, 2-second steps), as level 0 and 1 headers and
// the listing record carry them.

#include <cstdint>

namespace unlha {

// Date in the high 16 bits, time in the low 16 bits.
std::uint32_t UnixToDos(std::int64_t seconds);
std::int64_t DosToUnix(std::uint32_t dos);

// Windows FILETIME (100 ns steps since 1601) and Unix seconds.
std::uint64_t UnixToFileTime(std::int64_t seconds);
std::int64_t FileTimeToUnix(std::uint64_t fileTime);

} // namespace unlha
