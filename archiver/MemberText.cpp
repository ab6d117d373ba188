#include "MemberText.h"

#include "engine/TextFormat.h"

#include <algorithm>

namespace zol {

namespace {

bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

} // namespace

std::string SizeText(std::uint32_t n) {
    return GroupedNumber(n);
}

std::string LowerIfAllCaps(const std::string& s) {
    if (std::any_of(s.begin(), s.end(), IsAsciiLower))
        return s;
    std::string lowered = s;
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

} // namespace zol
