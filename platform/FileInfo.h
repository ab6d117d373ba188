#pragma once

#include <cstdint>
#include <string>

namespace zol {

// Size of the file named by path, found by listing its folder: an entry whose name matches
// exactly wins over one that differs only in ASCII case. 0 when none is found.
std::int64_t FileSizeByName(const std::string& path);

// Last-write time as a packed FAT local date-time (date high 16 bits, time low 16 bits,
// 2-second resolution); -1 when the file cannot be opened.
std::int32_t FileDateByName(const std::string& path);

// Gives the file the packed last-write time t; the access time is left alone. Failures and
// t = -1 leave the file untouched.
void SetFileDateByName(const std::string& path, std::int32_t t);

} // namespace zol
