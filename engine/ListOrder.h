#pragma once

#include <string>

namespace zol {

// Order of the sorted input list: ASCII letters compared without case, then the bytes.
bool ListOrderLess(const std::string& a, const std::string& b);

} // namespace zol
