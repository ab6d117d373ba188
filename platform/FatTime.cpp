#include "platform/FatTime.h"

namespace zol {

std::int32_t PackFatTime(std::time_t t) {
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return -1;
    }
    const int year = local.tm_year + 1900 - 1980;
    if (year < 0 || year > 127) {
        return -1;
    }
    const std::uint32_t date = static_cast<std::uint32_t>(year) << 9 |
                               static_cast<std::uint32_t>(local.tm_mon + 1) << 5 |
                               static_cast<std::uint32_t>(local.tm_mday);
    const std::uint32_t time = static_cast<std::uint32_t>(local.tm_hour) << 11 |
                               static_cast<std::uint32_t>(local.tm_min) << 5 |
                               static_cast<std::uint32_t>(local.tm_sec / 2);
    return static_cast<std::int32_t>(date << 16 | time);
}

std::optional<std::time_t> UnpackFatTime(std::int32_t packed) {
    if (packed == -1) {
        return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(packed);
    const int year = static_cast<int>(bits >> 25);
    const int month = static_cast<int>(bits >> 21 & 0x0F);
    const int day = static_cast<int>(bits >> 16 & 0x1F);
    const int hour = static_cast<int>(bits >> 11 & 0x1F);
    const int minute = static_cast<int>(bits >> 5 & 0x3F);
    const int second = static_cast<int>(bits & 0x1F) * 2;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    std::tm local{};
    local.tm_year = year + 1980 - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const std::time_t t = std::mktime(&local);
    // mktime moves 31 February to March; such a value names no date.
    if (t == -1 || local.tm_mday != day || local.tm_mon != month - 1) {
        return std::nullopt;
    }
    return t;
}

} // namespace zol
