#pragma once

#include <cstdint>
#include <string>

namespace zol {

// A whole number with "," between groups of three digits: 1234567 gives "1,234,567".
std::string GroupedNumber(std::int64_t n);

// An MS-DOS packed date as yy/mm/dd, every field two digits, no range check.
std::string DateText(std::uint16_t d);
// An MS-DOS packed time as hh:mm:ss, every field two digits, no range check.
std::string TimeText(std::uint16_t t);

// "File Len : " + GroupedNumber(FileSizeByName(path)) + "byte".
std::string FileLengthText(const std::string& path);

} // namespace zol
