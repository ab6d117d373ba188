#include "MemberText.h"

#include "engine/TextFormat.h"

#include <algorithm>

namespace zol {

namespace {

// The last two decimal digits of value, zero-padded.
std::string TwoDigits(unsigned value) {
    const unsigned v = value % 100;
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

} // namespace

std::string SizeText(std::uint32_t n) {
    return GroupedNumber(n);
}

std::string DateText(std::uint16_t d) {
    const unsigned year = 1980 + (d >> 9);
    const unsigned month = (d & 0x1E0u) >> 5;
    const unsigned day = d & 0x1Fu;
    return TwoDigits(year) + "/" + TwoDigits(month) + "/" + TwoDigits(day);
}

std::string TimeText(std::uint16_t t) {
    const unsigned hour = t >> 11;
    const unsigned minute = (t & 0x7E0u) >> 5;
    const unsigned second = (t & 0x1Fu) * 2;
    return TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
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
