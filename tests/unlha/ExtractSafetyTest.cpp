// Extraction writes nothing outside the destination, whatever the archive names or the tree
// already holds.
#include "ArchiveSupport.h"
#include "destination.h"
#include "unlha32.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace unlha_test;

struct TraversalCase {
    const char* what;
    bool level0;      // written with a level-0 header (MS-DOS "\" separators)
    std::string name; // the stored name
};

class PathTraversal : public ::testing::TestWithParam<TraversalCase> {};

TEST_P(PathTraversal, MemberIsRefusedAndNothingLandsOutside) {
    ScratchDir dir;
    const auto& c = GetParam();
    const std::string outside = dir / "outside.txt";
    std::string name = c.name;
    for (std::size_t at; (at = name.find('%')) != std::string::npos;) {
        name.replace(at, 1, dir.Path().substr(1));
    }
    const Bytes evil{'e', 'v', 'i', 'l'};
    const Bytes member = c.level0 ? Level0Member(name, evil, 0x21000000) : Level2Member(name, evil);
    WriteFile(dir / "evil.lzh", Archive({Level2Member("good.txt", {'g'}), member}));
    MakeDirs(dir / "dest/inner");
    for (const char* command : {"x -m1", "e -x1m1"}) {
        const auto r =
            RunUnlha(std::string(command) + " " + (dir / "evil.lzh") + " " + (dir / "dest/inner/"));
        EXPECT_EQ(r.result, UNLHA_ERROR_NOT_FILENAME) << c.what << ": " << r.output;
    }
    EXPECT_EQ(ReadFile(dir / "dest/inner/good.txt"), Bytes{'g'})
        << "the good member is still extracted";
    EXPECT_FALSE(Exists(outside));
    EXPECT_FALSE(Exists(dir / "dest/outside.txt"));
    EXPECT_FALSE(Exists("/outside.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, PathTraversal,
    ::testing::Values(TraversalCase{"dot-dot", false, "../../outside.txt"},
                      TraversalCase{"dot-dot inside", false, "a/../../../outside.txt"},
                      TraversalCase{"absolute", false, "/%/outside.txt"},
                      TraversalCase{"dos dot-dot", true, "..\\..\\outside.txt"},
                      TraversalCase{"dos absolute", true, "\\%\\outside.txt"},
                      TraversalCase{"drive letter", true, "C:\\outside.txt"}));

TEST(ExtractSafety, SymlinkFolderInTheTreeIsNotFollowed) {
    ScratchDir dir;
    MakeDirs(dir / "dest");
    MakeDirs(dir / "elsewhere");
    ASSERT_EQ(symlink((dir / "elsewhere").c_str(), (dir / "dest/sub").c_str()), 0);
    WriteFile(dir / "arc.lzh", Archive({Level2Member("sub/planted.txt", {'p'})}));
    const auto r = RunUnlha("x -m1 " + (dir / "arc.lzh") + " " + (dir / "dest/"));
    EXPECT_EQ(r.result, UNLHA_ERROR_NOT_FILENAME) << r.output;
    EXPECT_FALSE(Exists(dir / "elsewhere/planted.txt"));
}

TEST(ExtractSafety, SymlinkFileInTheTreeIsReplacedNotWrittenThrough) {
    ScratchDir dir;
    MakeDirs(dir / "dest");
    WriteText(dir / "victim.txt", "keep");
    ASSERT_EQ(symlink((dir / "victim.txt").c_str(), (dir / "dest/f.txt").c_str()), 0);
    WriteFile(dir / "arc.lzh", Archive({Level2Member("f.txt", {'n', 'e', 'w'})}));
    const auto r = RunUnlha("x -m1 " + (dir / "arc.lzh") + " " + (dir / "dest/"));
    EXPECT_EQ(r.result, 0) << r.output;
    EXPECT_EQ(ReadFile(dir / "victim.txt"), (Bytes{'k', 'e', 'e', 'p'}));
    char target[16];
    EXPECT_EQ(readlink((dir / "dest/f.txt").c_str(), target, sizeof target), -1)
        << "the link itself was replaced by the file";
    EXPECT_EQ(ReadFile(dir / "dest/f.txt"), (Bytes{'n', 'e', 'w'}));
}

TEST(ExtractSafety, SymlinkMemberThenFileThroughItIsRefused) {
    // LHa for UNIX stores links as folders named "link|target"; an archive could plant a link
    // and then write through it.
    ScratchDir dir;
    MakeDirs(dir / "elsewhere");
    const std::string link = "ln|" + dir.Path() + "/elsewhere";
    WriteFile(dir / "arc.lzh",
              Archive({Level2Member(link, {}, "-lhd-"), Level2Member("ln/planted.txt", {'p'})}));
    const auto r = RunUnlha("x -m1 " + (dir / "arc.lzh") + " " + (dir / "dest/"));
    EXPECT_NE(r.result, 0);
    EXPECT_FALSE(Exists(dir / "elsewhere/planted.txt"));
    struct stat st {};
    EXPECT_TRUE(lstat((dir / "dest/ln").c_str(), &st) != 0 || !S_ISLNK(st.st_mode));
}

TEST(SafeComponents, SplitsAndRefuses) {
    std::string why;
    EXPECT_EQ(unlha::SafeComponents("a/./b//c", why), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(unlha::SafeComponents("a/../b", why));
    EXPECT_FALSE(unlha::SafeComponents("/etc/passwd", why));
    EXPECT_FALSE(unlha::SafeComponents("c:/x", why));
    EXPECT_FALSE(unlha::SafeComponents("./", why));
    EXPECT_FALSE(unlha::SafeComponents(std::string("ok\0evil", 7), why));
    EXPECT_EQ(unlha::SafeComponents("..a/b..", why), (std::vector<std::string>{"..a", "b.."}));
}
