#include "archiver/MemberText.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

constexpr std::uint16_t PackDate(unsigned year, unsigned month, unsigned day) {
    return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}
constexpr std::uint16_t PackTime(unsigned hour, unsigned minute, unsigned secondField) {
    return static_cast<std::uint16_t>((hour << 11) | (minute << 5) | secondField);
}

TEST(SizeText, GroupsWholeNumbersByThree) {
    const std::vector<std::pair<std::uint32_t, std::string>> cases = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {1234567, "1,234,567"},
        {2147483647u, "2,147,483,647"},
        {2147483648u, "2,147,483,648"},
        {4294967295u, "4,294,967,295"},
    };
    for (const auto& [n, text] : cases)
        EXPECT_EQ(SizeText(n), text) << n;
}

TEST(DateText, WritesTwoDigitFieldsWithoutRangeCheck) {
    EXPECT_EQ(DateText(PackDate(1999, 5, 3)), "99/05/03");
    EXPECT_EQ(DateText(PackDate(2000, 1, 1)), "00/01/01");
    EXPECT_EQ(DateText(PackDate(2026, 12, 31)), "26/12/31");
    EXPECT_EQ(DateText(0), "80/00/00");
    EXPECT_EQ(DateText(0xFFFF), "07/15/31");
}

TEST(TimeText, WritesTwoDigitFieldsWithoutRangeCheck) {
    EXPECT_EQ(TimeText(PackTime(13, 45, 15)), "13:45:30");
    EXPECT_EQ(TimeText(PackTime(9, 5, 1)), "09:05:02");
    EXPECT_EQ(TimeText(0), "00:00:00");
    EXPECT_EQ(TimeText(0xFFFF), "31:63:62");
}

TEST(LowerIfAllCaps, LowersOnlyWhenNoAsciiLowerCaseLetter) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"README.TXT", "readme.txt"},
        {"ReadMe.txt", "ReadMe.txt"},
        {"DOC/MAIN.C", "doc/main.c"},
        {"SUB/FILE.TXT", "sub/file.txt"},
        {"Sub/File.txt", "Sub/File.txt"},
        {"2026-12-08_#1", "2026-12-08_#1"},
        {"", ""},
        {"資料ABC.TXT", "資料abc.txt"},
        {"ＡＢＣ全角.DOC", "ＡＢＣ全角.doc"},
        {"資料abc.TXT", "資料abc.TXT"},
        {"-----W", "-----w"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(LowerIfAllCaps(in), out) << in;
}

} // namespace
} // namespace zol
