#pragma once

#include <cstdint>
#include <string>

namespace zol {

// A whole number with "," between groups of three digits: 1234567 gives "1,234,567".
std::string GroupedNumber(std::int64_t n);

// "File Len : " + GroupedNumber(FileSizeByName(path)) + "byte".
std::string FileLengthText(const std::string& path);

} // namespace zol
