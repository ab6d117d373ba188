// Split and join round trips through the built zol, in scratch folders.

#include "ZolRun.h"
#include "engine/JobState.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zol::test {
namespace {

struct SizeCase {
    const char* sizeArg;
    std::int64_t pieceSize;
};

class SplitJoinRoundTrip : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SplitJoinRoundTrip, GivesBackEveryByteAndNamesEachPiece) {
    const auto [sizeArg, p] = GetParam();
    for (const std::int64_t size : {std::int64_t{0}, std::int64_t{1}, p - 1, p, p + 1, 3 * p + 7}) {
        SCOPED_TRACE("size " + std::to_string(size));
        ScratchDir dir;
        const std::string data = RandomBytes(static_cast<std::size_t>(size), 7);
        WriteFile(dir / "data.bin", data);
        const ZolResult split =
            RunZol({"split", "-s", sizeArg, "-o", "pieces", "data.bin"}, dir.path());
        ASSERT_EQ(split.status, 0) << split.err;
        EXPECT_EQ(split.err, "");
        const std::int64_t count = size < p ? 0 : (size + p - 1) / p;
        const std::vector<std::string> names = ListFolder(dir / "pieces");
        if (count == 0) {
            EXPECT_EQ(names, std::vector<std::string>{"data.bin"});
            EXPECT_EQ(ReadFile(dir / "pieces/data.bin"), data);
            continue;
        }
        ASSERT_EQ(names.size(), static_cast<std::size_t>(count));
        for (std::int64_t k = 1; k <= count; ++k) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "zold(data.bin)%02d00%02d.zol",
                          static_cast<int>(count), static_cast<int>(k));
            EXPECT_EQ(names[k - 1], expected);
        }
        // One piece named: the rest of the set is found beside it.
        const ZolResult join = RunZol({"join", "-o", "back.bin", "pieces/" + names[0]}, dir.path());
        ASSERT_EQ(join.status, 0) << join.err;
        EXPECT_EQ(ReadFile(dir / "back.bin"), data);
    }
}

INSTANTIATE_TEST_SUITE_P(
    PresetsAndCustom, SplitJoinRoundTrip,
    ::testing::Values(SizeCase{"1.44", piece::Size144}, SizeCase{"1.25", piece::Size125},
                      SizeCase{"0.95", piece::Size095}, SizeCase{"0.72", piece::Size072},
                      SizeCase{"100000", 100000}, SizeCase{"64K", 65536},
                      SizeCase{"1M-1", 1048575}),
    [](const auto& info) { return "piece_" + std::to_string(info.param.pieceSize); });

TEST(Split, DefaultIsThe144Floppy) {
    ScratchDir dir;
    WriteFile(dir / "f", RandomBytes(3000000, 1));
    ASSERT_EQ(RunZol({"split", "-o", ".", "f"}, dir.path()).status, 0);
    EXPECT_EQ(ListFolder(dir.path()),
              (std::vector<std::string>{"f", "zold(f)030001.zol", "zold(f)030002.zol",
                                        "zold(f)030003.zol"}));
    struct stat st {};
    ASSERT_EQ(stat((dir / "zold(f)030003.zol").c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 3000000 - 2 * piece::Size144);
}

TEST(Split, FileNumberIsThePositionOnTheCommandLine) {
    ScratchDir dir;
    WriteFile(dir / "b", RandomBytes(150000, 2));
    WriteFile(dir / "a", RandomBytes(150000, 3));
    WriteFile(dir / "small", "tiny");
    const ZolResult split =
        RunZol({"split", "-s", "100K", "-o", "out", "b", "small", "a"}, dir.path());
    ASSERT_EQ(split.status, 0) << split.err;
    EXPECT_EQ(ListFolder(dir / "out"),
              (std::vector<std::string>{"small", "zold(a)020201.zol", "zold(a)020202.zol",
                                        "zold(b)020001.zol", "zold(b)020002.zol"}));
    EXPECT_EQ(ReadFile(dir / "out/small"), "tiny");
}

TEST(Split, PiecesKeepTheInputsTimeAndJoinGivesItBack) {
    ScratchDir dir;
    WriteFile(dir / "t", RandomBytes(250000, 4));
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}}; // 2001-09-09, an even second
    ASSERT_EQ(utimensat(AT_FDCWD, (dir / "t").c_str(), times, 0), 0);
    ASSERT_EQ(RunZol({"split", "-s", "100K", "-o", "p", "t"}, dir.path()).status, 0);
    ASSERT_EQ(RunZol({"join", "zold(t)030001.zol"}, dir / "p").status, 0);
    struct stat st {};
    ASSERT_EQ(stat((dir / "p/zold(t)030002.zol").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    ASSERT_EQ(stat((dir / "p/t").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
}

TEST(Split, MoreThan99PiecesIsRefusedBeforeAnythingIsWritten) {
    ScratchDir dir;
    WriteFile(dir / "ok", RandomBytes(5000, 5));
    WriteFile(dir / "big", RandomBytes(100 * 1000 + 1, 5));
    const ZolResult split = RunZol({"split", "-s", "1000", "-o", "out", "ok", "big"}, dir.path());
    EXPECT_EQ(split.status, 1);
    EXPECT_NE(split.err.find("99"), std::string::npos) << split.err;
    EXPECT_TRUE(ListFolder(dir / "out").empty());
}

TEST(Split, TwoPlainCopiesOfOneNameAreRefused) {
    ScratchDir dir;
    ASSERT_EQ(mkdir((dir / "x").c_str(), 0755), 0);
    WriteFile(dir / "x/same", "one");
    WriteFile(dir / "same", "two");
    const ZolResult split = RunZol({"split", "-o", "out", "x/same", "same"}, dir.path());
    EXPECT_EQ(split.status, 1);
    EXPECT_NE(split.err.find("same"), std::string::npos);
}

TEST(Split, AMissingInputIsNamedAndNothingIsWritten) {
    ScratchDir dir;
    WriteFile(dir / "here", RandomBytes(3000000, 6));
    const ZolResult split = RunZol({"split", "-o", "out", "here", "gone"}, dir.path());
    EXPECT_EQ(split.status, 1);
    EXPECT_NE(split.err.find("gone: No such file"), std::string::npos) << split.err;
    EXPECT_EQ(std::count(split.err.begin(), split.err.end(), '\n'), 1);
}

TEST(Join, AllPiecesGivenInAnyOrderAreJoinedInPieceOrder) {
    ScratchDir dir;
    const std::string data = RandomBytes(300000, 8);
    WriteFile(dir / "d", data);
    ASSERT_EQ(RunZol({"split", "-s", "100K", "-o", ".", "d"}, dir.path()).status, 0);
    ASSERT_EQ(rename((dir / "d").c_str(), (dir / "d.orig").c_str()), 0);
    const ZolResult join =
        RunZol({"join", "zold(d)030003.zol", "zold(d)030001.zol", "zold(d)030002.zol"}, dir.path());
    ASSERT_EQ(join.status, 0) << join.err;
    EXPECT_EQ(ReadFile(dir / "d"), data); // the name recovered from the pieces
}

TEST(Join, AsGivenJoinsAnyFilesInTheOrderGiven) {
    ScratchDir dir;
    WriteFile(dir / "one", "1111");
    WriteFile(dir / "two", "22");
    ASSERT_EQ(RunZol({"join", "--as-given", "-o", "all", "two", "one", "two"}, dir.path()).status,
              0);
    EXPECT_EQ(ReadFile(dir / "all"), "22111122");
}

TEST(Join, RefusesToWriteOverAPiece) {
    ScratchDir dir;
    WriteFile(dir / "one", "1111");
    WriteFile(dir / "two", "22");
    const ZolResult join = RunZol({"join", "--as-given", "-o", "./one", "one", "two"}, dir.path());
    EXPECT_EQ(join.status, 1);
    EXPECT_EQ(ReadFile(dir / "one"), "1111");
    EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"one", "two"}));
}

// A write that fails (here: past the file size limit, as a full disk would) ends the run
// with one line, and a join leaves neither a partial output nor its work file.
TEST(WriteFailure, JoinLeavesNothingAndSplitNamesTheFailure) {
    ScratchDir dir;
    WriteFile(dir / "w", RandomBytes(300000, 51));
    ASSERT_EQ(RunZol({"split", "-s", "100K", "-o", "p", "w"}, dir.path()).status, 0);
    ASSERT_EQ(unlink((dir / "w").c_str()), 0);
    const std::string limited = "cd " + dir.path() + " && ulimit -f 50 && trap '' XFSZ && ";
    EXPECT_EQ(RunShell(limited + ZOL_BINARY " join 'p/zold(w)030001.zol' 2> err"), 1);
    std::string err = ReadFile(dir / "err");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("zol join: ", 0), 0u) << err;
    EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"err", "p"}));

    EXPECT_EQ(RunShell(limited + ZOL_BINARY " split -s 100K -o q 'p/zold(w)030001.zol' 2> err"), 1);
    err = ReadFile(dir / "err");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("zol split: ", 0), 0u) << err;
}

// A piece that cannot be created is the output's failure, not the input's.
TEST(WriteFailure, SplitNamesTheOutputWhenAPieceCannotBeCreated) {
    ScratchDir dir;
    WriteFile(dir / "w", RandomBytes(300000, 52));
    ASSERT_EQ(mkdir((dir / "q").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo((dir / "q/zold(w)030001.zol").c_str(), 0644), 0);
    const ZolResult split = RunZol({"split", "-s", "100K", "-o", "q", "w"}, dir.path());
    EXPECT_EQ(split.status, 1);
    EXPECT_EQ(split.err.rfind("zol split: q: ", 0), 0u) << split.err;
}

// 64-bit sizes and offsets: an input over 4 GiB, sparse but for marks around the 2 GiB and
// 4 GiB boundaries and at its end, cut into 2 GiB pieces and joined back.
TEST(SplitJoinLarge, SparseInputOver4GiB) {
    constexpr std::int64_t GiB = std::int64_t{1} << 30;
    constexpr std::int64_t size = 4 * GiB + (1 << 20);
    ScratchDir dir;
    const std::string input = dir / "huge.img";
    const int fd = open(input.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    const std::string mark = RandomBytes(4096, 9);
    const std::int64_t marks[] = {2 * GiB - 2048, 4 * GiB - 2048, size - 4096};
    for (const std::int64_t at : marks) {
        ASSERT_EQ(pwrite(fd, mark.data(), mark.size(), at), static_cast<ssize_t>(mark.size()));
    }
    close(fd);

    const ZolResult split = RunZol({"split", "-s", "2G", "-o", "p", "huge.img"}, dir.path());
    ASSERT_EQ(split.status, 0) << split.err;
    ASSERT_EQ(unlink(input.c_str()), 0);
    EXPECT_EQ(ListFolder(dir / "p"),
              (std::vector<std::string>{"zold(huge.img)030001.zol", "zold(huge.img)030002.zol",
                                        "zold(huge.img)030003.zol"}));
    // Compared as a flag: a diff of binary megabytes helps nobody.
    const std::string tail = mark.substr(2048) + std::string((1 << 20) - 2048 - 4096, '\0') + mark;
    EXPECT_TRUE(ReadFile(dir / "p/zold(huge.img)030003.zol") == tail);

    const ZolResult join = RunZol({"join", "p/zold(huge.img)030002.zol"}, dir.path());
    ASSERT_EQ(join.status, 0) << join.err;
    for (const auto& piece : ListFolder(dir / "p")) {
        unlink((dir / "p/" + piece).c_str());
    }
    const int joined = open(input.c_str(), O_RDONLY);
    ASSERT_GE(joined, 0);
    struct stat st {};
    ASSERT_EQ(fstat(joined, &st), 0);
    EXPECT_EQ(st.st_size, size);
    for (const std::int64_t at : marks) {
        std::string back(mark.size(), '\0');
        ASSERT_EQ(pread(joined, back.data(), back.size(), at), static_cast<ssize_t>(back.size()));
        EXPECT_TRUE(back == mark) << "at " << at;
    }
    std::string zeros(4096, '\1');
    ASSERT_EQ(pread(joined, zeros.data(), zeros.size(), 3 * GiB), 4096);
    EXPECT_TRUE(zeros == std::string(4096, '\0'));
    close(joined);
}

} // namespace
} // namespace zol::test
