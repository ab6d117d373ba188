#include "dos_time.h"

#include <ctime>

namespace unlha {
namespace {

constexpr std::int64_t kFileTimeEpochOffset = 11644473600LL; // 1601-01-01 to 1970-01-01
constexpr std::uint64_t kFileTimeTicks = 10000000ULL;

} // namespace

std::uint32_t UnixToDos(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr || local.tm_year < 80) {
        return (1u << 21) | (1u << 16); // 1980-01-01 00:00:00, the earliest the form holds
    }
    if (local.tm_year > 80 + 127) {
        local.tm_year = 80 + 127;
    }
    const std::uint32_t date = ((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) |
                               static_cast<std::uint32_t>(local.tm_mday);
    const std::uint32_t time = (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
    return (date << 16) | time;
}

std::int64_t DosToUnix(std::uint32_t dos) {
    std::tm local{};
    local.tm_year = static_cast<int>((dos >> 25) & 0x7F) + 80;
    local.tm_mon = static_cast<int>((dos >> 21) & 0x0F) - 1;
    local.tm_mday = static_cast<int>((dos >> 16) & 0x1F);
    local.tm_hour = static_cast<int>((dos >> 11) & 0x1F);
    local.tm_min = static_cast<int>((dos >> 5) & 0x3F);
    local.tm_sec = static_cast<int>(dos & 0x1F) * 2;
    local.tm_isdst = -1;
    const std::time_t t = std::mktime(&local);
    return t == static_cast<std::time_t>(-1) ? 0 : static_cast<std::int64_t>(t);
}

std::uint64_t UnixToFileTime(std::int64_t seconds) {
    const std::int64_t since1601 = seconds + kFileTimeEpochOffset;
    return since1601 < 0 ? 0 : static_cast<std::uint64_t>(since1601) * kFileTimeTicks;
}

std::int64_t FileTimeToUnix(std::uint64_t fileTime) {
    return static_cast<std::int64_t>(fileTime / kFileTimeTicks) - kFileTimeEpochOffset;
}

} // namespace unlha
