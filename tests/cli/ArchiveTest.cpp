// compress, list, test and extract through zol, judged by independent LHA tools.

#include "ZolRun.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zol::test {
namespace {

class Archive : public ::testing::TestWithParam<const char*> {};

TEST_P(Archive, FilesRoundTripAndOtherToolsAgree) {
    const std::string method = GetParam();
    ScratchDir dir;
    const std::string text(200000, 'a');
    const std::string noise = RandomBytes(70000, 31);
    ASSERT_EQ(mkdir((dir / "in").c_str(), 0755), 0);
    WriteFile(dir / "in/text.txt", text + "tail");
    WriteFile(dir / "in/noise.bin", noise);
    const ZolResult compress =
        RunZol({"compress", "-m", method, "-o", "set", "in/text.txt", "in/noise.bin"}, dir.path());
    ASSERT_EQ(compress.status, 0) << compress.err;

    // An archive name without an extension gets ".lzh".
    const std::string archive = dir / "set.lzh";
    EXPECT_EQ(RunShell("lhasa t " + archive + " >/dev/null"), 0);
    EXPECT_EQ(RunShell("cd " + dir.path() + " && bsdtar -tf set.lzh > names"), 0);
    EXPECT_EQ(ReadFile(dir / "names"), "text.txt\nnoise.bin\n");
    EXPECT_EQ(RunShell("mkdir " + dir / "by-bsdtar" + " && bsdtar -xf " + archive + " -C " +
                       dir / "by-bsdtar"),
              0);
    EXPECT_EQ(ReadFile(dir / "by-bsdtar/text.txt"), text + "tail");

    const ZolResult list = RunZol({"list", "set.lzh"}, dir.path());
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("-" + method + "-"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("200,004"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("noise.bin"), std::string::npos);

    const ZolResult test = RunZol({"test", "set.lzh"}, dir.path());
    EXPECT_EQ(test.status, 0) << test.err;

    const ZolResult extract = RunZol({"extract", "-o", "out", "set.lzh"}, dir.path());
    ASSERT_EQ(extract.status, 0) << extract.err;
    EXPECT_EQ(ReadFile(dir / "out/text.txt"), text + "tail");
    EXPECT_EQ(ReadFile(dir / "out/noise.bin"), noise);
}

INSTANTIATE_TEST_SUITE_P(Methods, Archive, ::testing::Values("lh5", "lh6", "lh7"));

TEST(ArchiveFolders, RecursiveCompressKeepsPathsAndExtractRestoresThem) {
    ScratchDir dir;
    ASSERT_EQ(RunShell("mkdir -p " + dir / "tree/sub/deeper"), 0);
    WriteFile(dir / "tree/top.txt", "top");
    WriteFile(dir / "tree/sub/deeper/low.txt", RandomBytes(5000, 32));
    const ZolResult compress = RunZol({"compress", "-r", "-o", "t.lzh", "tree"}, dir.path());
    ASSERT_EQ(compress.status, 0) << compress.err;
    ASSERT_EQ(
        RunShell("mkdir " + dir / "lhasa" + " && cd " + dir / "lhasa" + " && lhasa xq ../t.lzh"),
        0);
    EXPECT_EQ(ReadFile(dir / "lhasa/sub/deeper/low.txt"),
              ReadFile(dir / "tree/sub/deeper/low.txt"));

    ASSERT_EQ(RunZol({"extract", "-o", "back", "t.lzh"}, dir.path()).status, 0);
    EXPECT_EQ(RunShell("diff -r " + dir / "tree" + " " + dir / "back"), 0);
}

TEST(ArchiveFolders, FolderWithoutRecursiveIsAUsageError) {
    ScratchDir dir;
    ASSERT_EQ(RunShell("mkdir " + dir / "tree"), 0);
    const ZolResult compress = RunZol({"compress", "-o", "t.lzh", "tree"}, dir.path());
    EXPECT_EQ(compress.status, 2);
    EXPECT_NE(compress.err.find("tree: is a folder"), std::string::npos) << compress.err;
    EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"tree"});
}

TEST(ArchiveErrors, DamagedArchiveFailsTestAndExtractWithItsName) {
    ScratchDir dir;
    WriteFile(dir / "f.txt", std::string(100000, 'z') + RandomBytes(1000, 33));
    ASSERT_EQ(RunZol({"compress", "-o", "a.lzh", "f.txt"}, dir.path()).status, 0);
    std::string bytes = ReadFile(dir / "a.lzh");
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x55);
    WriteFile(dir / "a.lzh", bytes);
    for (const char* command : {"test", "extract"}) {
        const ZolResult run = RunZol({command, "a.lzh"}, dir / ".");
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err.rfind(std::string("zol ") + command + ": a.lzh: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(ArchiveErrors, NotAnArchiveIsReportedByList) {
    ScratchDir dir;
    WriteFile(dir / "plain.lzh", "this is no archive at all");
    const ZolResult list = RunZol({"list", "plain.lzh", "missing.lzh"}, dir.path());
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("plain.lzh: not a readable LZH archive"), std::string::npos);
    EXPECT_NE(list.err.find("missing.lzh: No such file"), std::string::npos);
}

TEST(ArchiveAdd, CompressOntoAnArchiveKeepsItsOtherMembers) {
    ScratchDir dir;
    WriteFile(dir / "one.txt", "first member");
    WriteFile(dir / "two.txt", "second member");
    ASSERT_EQ(RunZol({"compress", "-o", "a.lzh", "one.txt"}, dir.path()).status, 0);
    ASSERT_EQ(RunZol({"compress", "-m", "lh7", "-o", "a.lzh", "two.txt"}, dir.path()).status, 0);
    ASSERT_EQ(RunShell("cd " + dir.path() + " && bsdtar -tf a.lzh | sort > names"), 0);
    EXPECT_EQ(ReadFile(dir / "names"), "one.txt\ntwo.txt\n");
}

} // namespace
} // namespace zol::test
