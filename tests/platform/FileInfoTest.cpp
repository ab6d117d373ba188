#include "platform/FileInfo.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

using test::ScratchDir;

TEST(FileSizeByName, ExactNameWinsOverOneDifferingInCase) {
    ScratchDir dir;
    test::WriteBytes(dir / "Report.TXT", std::string(10, 'a'));
    test::WriteBytes(dir / "report.txt", std::string(20, 'b'));
    EXPECT_EQ(FileSizeByName(dir / "report.txt"), 20);
    EXPECT_EQ(FileSizeByName(dir / "Report.TXT"), 10);
}

TEST(FileSizeByName, FindsAnEntryDifferingOnlyInAsciiCase) {
    ScratchDir dir;
    test::WriteBytes(dir / "Report.TXT", std::string(10, 'a'));
    EXPECT_EQ(FileSizeByName(dir / "report.txt"), 10);
    EXPECT_EQ(FileSizeByName(dir / "REPORT.txt"), 10);
    EXPECT_EQ(FileSizeByName(dir / "report.tx"), 0);
}

TEST(FileSizeByName, NonAsciiLettersMustMatchExactly) {
    ScratchDir dir;
    test::WriteBytes(dir / "Ä.txt", std::string(7, 'a'));
    EXPECT_EQ(FileSizeByName(dir / "Ä.txt"), 7);
    EXPECT_EQ(FileSizeByName(dir / "ä.txt"), 0);
}

TEST(FileSizeByName, NothingReachableGivesZero) {
    ScratchDir dir;
    test::WriteBytes(dir / "a.txt", "abc");
    mkdir((dir / "sub").c_str(), 0755);
    EXPECT_EQ(FileSizeByName(dir / "missing/a.txt"), 0);
    EXPECT_EQ(FileSizeByName(dir / "b.txt"), 0);
    EXPECT_EQ(FileSizeByName(dir / "sub"), 0);
    EXPECT_EQ(FileSizeByName(dir.path()), 0);
}

TEST(FileSizeByName, SizesBeyondFourGibibytesAreWhole) {
    ScratchDir dir;
    const std::int64_t size = 5LL * 1024 * 1024 * 1024 + 3;
    test::MakeSparse(dir / "big.bin", size);
    EXPECT_EQ(FileSizeByName(dir / "big.bin"), size);
}

TEST(FileDate, SetThenReadGivesTheSameValueAndLeavesAccessTime) {
    ScratchDir dir;
    const std::string path = dir / "a.txt";
    test::WriteBytes(path, "abc");
    const timespec access[2] = {{1000000000, 0}, {UTIME_OMIT, UTIME_OMIT}};
    utimensat(AT_FDCWD, path.c_str(), access, 0);

    const std::int32_t packed = (30u << 25 | 6u << 21 | 14u << 16) | (9u << 11 | 26u << 5 | 21u);
    SetFileDateByName(path, packed);
    EXPECT_EQ(FileDateByName(path), packed);
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_atim.tv_sec, 1000000000);
}

TEST(FileDate, NoTimeOrAMissingFileLeavesEverythingAlone) {
    ScratchDir dir;
    const std::string path = dir / "a.txt";
    test::WriteBytes(path, "abc");
    test::SetModifiedTime(path, 1200000000);
    SetFileDateByName(path, -1);
    EXPECT_EQ(test::ModifiedTime(path), 1200000000);
    EXPECT_EQ(FileDateByName(dir / "missing.txt"), -1);
    SetFileDateByName(dir / "missing.txt", FileDateByName(path));
    EXPECT_FALSE(test::Exists(dir / "missing.txt"));
}

} // namespace
} // namespace zol
