#include "platform/FatTime.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

TEST(FatTime, PacksFieldsIntoTheirBits) {
    const std::int32_t packed = PackFatTime(localTime(1998, 7, 15, 13, 45, 58));
    EXPECT_EQ(packed, static_cast<std::int32_t>((18u << 25 | 7u << 21 | 15u << 16) |
                                                (13u << 11 | 45u << 5 | 29u)));
}

TEST(FatTime, RoundTripKeepsEvenSecondsAndCutsOddOnes) {
    struct Case {
        std::time_t in;
        std::time_t out;
    };
    const Case cases[] = {
        {localTime(1980, 1, 1, 0, 0, 0), localTime(1980, 1, 1, 0, 0, 0)},
        {localTime(2024, 2, 29, 23, 59, 58), localTime(2024, 2, 29, 23, 59, 58)},
        {localTime(2024, 2, 29, 23, 59, 59), localTime(2024, 2, 29, 23, 59, 58)},
        {localTime(2107, 12, 31, 12, 0, 1), localTime(2107, 12, 31, 12, 0, 0)},
        {localTime(2038, 1, 19, 3, 14, 8), localTime(2038, 1, 19, 3, 14, 8)},
    };
    for (const auto& c : cases) {
        const auto back = UnpackFatTime(PackFatTime(c.in));
        ASSERT_TRUE(back.has_value()) << c.in;
        EXPECT_EQ(*back, c.out) << c.in;
    }
}

TEST(FatTime, TimesOutsideTheFatRangeHaveNoPackedForm) {
    EXPECT_EQ(PackFatTime(localTime(1979, 12, 31, 23, 59, 58)), -1);
    EXPECT_EQ(PackFatTime(localTime(2108, 1, 1, 0, 0, 0)), -1);
}

TEST(FatTime, InvalidPackedValuesUnpackToNothing) {
    const std::uint32_t goodDate = 20u << 9 | 5u << 5 | 10u;
    const std::uint32_t goodTime = 10u << 11 | 30u << 5 | 10u;
    const std::uint32_t invalid[] = {
        0xFFFFFFFFu,                                  // -1, no time
        (20u << 9 | 0u << 5 | 10u) << 16 | goodTime,  // month 0
        (20u << 9 | 13u << 5 | 10u) << 16 | goodTime, // month 13
        (20u << 9 | 2u << 5 | 31u) << 16 | goodTime,  // 31 February
        goodDate << 16 | (24u << 11 | 0u << 5),       // hour 24
        goodDate << 16 | (10u << 11 | 60u << 5),      // minute 60
        goodDate << 16 | (10u << 11 | 30u),           // second 60
    };
    for (const std::uint32_t value : invalid) {
        EXPECT_FALSE(UnpackFatTime(static_cast<std::int32_t>(value)).has_value()) << value;
    }
    EXPECT_TRUE(UnpackFatTime(static_cast<std::int32_t>(goodDate << 16 | goodTime)).has_value());
}

} // namespace
} // namespace zol
