#include "engine/TextFormat.h"

#include "platform/FileInfo.h"

namespace zol {

namespace {

// The last two decimal digits of value, zero-padded.
std::string TwoDigits(unsigned value) {
    const unsigned v = value % 100;
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

} // namespace

std::string GroupedNumber(std::int64_t n) {
    const std::string digits = std::to_string(n);
    const std::size_t sign = n < 0 ? 1 : 0;
    std::string out = digits.substr(0, sign);
    for (std::size_t i = sign; i < digits.size(); ++i) {
        if (i > sign && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return out;
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

std::string FileLengthText(const std::string& path) {
    return "File Len : " + GroupedNumber(FileSizeByName(path)) + "byte";
}

} // namespace zol
