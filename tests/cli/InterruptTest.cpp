// Ctrl-C while zol runs: the first press stops the run at the next piece or member and says
// what is left; a second ends zol at once.

#include "ZolRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zol::test {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// mib MiB of random bytes: a run over them takes long enough to be interrupted, and nothing
// in them compresses.
void WriteBigInput(const std::string& path, std::size_t mib) {
    const std::string block = RandomBytes(kMiB, 31);
    std::string data;
    data.reserve(mib * kMiB);
    for (std::size_t i = 0; i < mib; ++i) {
        data += block;
    }
    WriteFile(path, data);
}

std::function<bool()> WhenFolderHasMoreThan(const std::string& folder, std::size_t entries) {
    return [folder, entries] { return ListFolder(folder).size() > entries; };
}

TEST(CtrlC, StopsASplitAndSaysItsPiecesAreIncomplete) {
    ScratchDir dir;
    WriteBigInput(dir / "big", 200);
    mkdir((dir / "p").c_str(), 0755);
    const ZolResult split = RunZolWithCtrlC({"split", "-s", "10M", "-o", "p", "big"}, dir.path(),
                                            WhenFolderHasMoreThan(dir / "p", 0));
    EXPECT_EQ(split.status, 1);
    EXPECT_EQ(split.err, "zol split: big: interrupted; its pieces in p are incomplete\n");
    EXPECT_LT(ListFolder(dir / "p").size(), 20u);
}

TEST(CtrlC, StopsAJoinAndLeavesNoOutput) {
    ScratchDir dir;
    WriteBigInput(dir / "big", 200);
    ASSERT_EQ(RunZol({"split", "-s", "10M", "-o", "p", "big"}, dir.path()).status, 0);
    ASSERT_EQ(unlink((dir / "big").c_str()), 0);
    const std::vector<std::string> pieces = ListFolder(dir / "p");
    ASSERT_EQ(pieces.size(), 20u);

    // The join writes into a work file beside the output; Ctrl-C as soon as it appears.
    const ZolResult join = RunZolWithCtrlC({"join", "p/" + pieces.front()}, dir.path(),
                                           WhenFolderHasMoreThan(dir.path(), 1));
    EXPECT_EQ(join.status, 1);
    EXPECT_EQ(join.err, "zol join: big: interrupted; nothing was written\n");
    EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"p"});
    EXPECT_EQ(ListFolder(dir / "p"), pieces);
}

// The library finishes the member in hand; the archive it made is then removed, since it
// would pass for a whole one.
TEST(CtrlC, ACompressStopsAfterTheMemberAndLeavesNoNewArchive) {
    ScratchDir dir;
    WriteBigInput(dir / "big", 60);
    WriteFile(dir / "small", "later");
    const ZolResult compress = RunZolWithCtrlC({"compress", "-o", "a.lzh", "big", "small"},
                                               dir.path(), WhenFolderHasMoreThan(dir.path(), 2));
    EXPECT_EQ(compress.status, 1);
    EXPECT_EQ(compress.err, "zol compress: big: interrupted\n");
    EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"big", "small"}));
}

TEST(CtrlC, PressedTwiceEndsZolAtOnce) {
    ScratchDir dir;
    WriteBigInput(dir / "big", 60);
    const ZolResult compress = RunZolWithCtrlC({"compress", "-o", "a.lzh", "big"}, dir.path(),
                                               WhenFolderHasMoreThan(dir.path(), 1), 2);
    EXPECT_EQ(compress.status, 128 + SIGINT);
}

} // namespace
} // namespace zol::test
