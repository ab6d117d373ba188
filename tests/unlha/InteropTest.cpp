// Other LHA tools read our archives, and we read theirs.
#include "ArchiveSupport.h"
#include "unlha32.h"

#include <gtest/gtest.h>

using namespace unlha_test;

namespace {

const std::string kFixtures = UNLHA_FIXTURES;

// A tree with the cases worth crossing tools with: methods, folders, an empty file,
// Japanese names.
void MakeTree(const std::string& root) {
    MakeDirs(root + "/sub/deeper");
    MakeDirs(root + "/日本語フォルダ");
    WriteFile(root + "/text.txt", RepetitiveText(120000));
    WriteFile(root + "/random.bin", RandomBytes(40000, 11));
    WriteFile(root + "/empty", {});
    WriteFile(root + "/sub/deeper/mixed.dat", [] {
        Bytes b = RepetitiveText(30000);
        Bytes r = RandomBytes(3000, 12);
        b.insert(b.end(), r.begin(), r.end());
        return b;
    }());
    WriteFile(root + "/日本語フォルダ/ファイル名.txt", RepetitiveText(777));
}

void ExpectSameFiles(const std::string& expected, const std::string& actual) {
    std::vector<std::string> want;
    for (const auto& name : TreeListing(expected)) {
        if (name.back() != '/') {
            want.push_back(name);
        }
    }
    std::vector<std::string> got;
    for (const auto& name : TreeListing(actual)) {
        if (name.back() != '/') {
            got.push_back(name);
        }
    }
    ASSERT_EQ(got, want);
    for (const auto& name : want) {
        EXPECT_EQ(ReadFile(actual + "/" + name), ReadFile(expected + "/" + name)) << name;
    }
}

#define REQUIRE_TOOL(name)                                                                         \
    if (!HaveTool(name)) {                                                                         \
        GTEST_SKIP() << name " is not installed";                                                  \
    }

} // namespace

class OurArchives : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        MakeTree(dir_ / "src");
        const auto r = RunUnlha(std::string("a -d1 ") + GetParam() + " " + (dir_ / "arc") + " " +
                                (dir_ / "src/") + " *.*");
        ASSERT_EQ(r.result, 0) << r.output;
        archive_ = dir_ / "arc.lzh";
    }
    ScratchDir dir_;
    std::string archive_;
};

TEST_P(OurArchives, BsdtarListsAndExtractsThemByteForByte) {
    REQUIRE_TOOL("bsdtar");
    const auto list = RunTool("LC_ALL=C.UTF-8 bsdtar -tvf " + Quote(archive_));
    ASSERT_EQ(list.status, 0) << list.output;
    EXPECT_NE(list.output.find("sub/deeper/mixed.dat"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find("日本語フォルダ/ファイル名.txt"), std::string::npos) << list.output;
    MakeDirs(dir_ / "bsdtar");
    const auto x = RunTool("cd " + Quote(dir_ / "bsdtar") + " && LC_ALL=C.UTF-8 bsdtar -xf " +
                           Quote(archive_));
    ASSERT_EQ(x.status, 0) << x.output;
    ExpectSameFiles(dir_ / "src", dir_ / "bsdtar");
}

TEST_P(OurArchives, LhasaListsTestsAndExtractsThemByteForByte) {
    REQUIRE_TOOL("lhasa");
    const auto list = RunTool("lhasa l " + Quote(archive_));
    ASSERT_EQ(list.status, 0) << list.output;
    EXPECT_NE(list.output.find("sub/deeper/mixed.dat"), std::string::npos) << list.output;
    const auto test = RunTool("lhasa t " + Quote(archive_));
    ASSERT_EQ(test.status, 0) << test.output;
    EXPECT_EQ(test.output.find("CRC error"), std::string::npos) << test.output;
    MakeDirs(dir_ / "lhasa");
    const auto x = RunTool("lhasa xqw=" + Quote(dir_ / "lhasa") + " " + Quote(archive_));
    ASSERT_EQ(x.status, 0) << x.output;
    // lhasa writes names as stored: the Japanese ones in Shift-JIS, so compare the others.
    for (const char* name : {"text.txt", "random.bin", "empty", "sub/deeper/mixed.dat"}) {
        EXPECT_EQ(ReadFile(dir_ / ("lhasa/" + std::string(name))),
                  ReadFile(dir_ / ("src/" + std::string(name))))
            << name;
    }
    const auto sjisName = std::string("\x93\xfa\x96\x7b\x8c\xea\x83\x74\x83\x48\x83\x8b\x83\x5f/"
                                      "\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc.txt");
    EXPECT_EQ(ReadFile(dir_ / ("lhasa/" + sjisName)), RepetitiveText(777))
        << "the Japanese name is stored in Shift-JIS";
}

TEST_P(OurArchives, WeExtractThemBackWithTheirJapaneseNames) {
    const auto x = RunUnlha("e -x1m1 " + archive_ + " " + (dir_ / "ours/"));
    ASSERT_EQ(x.result, 0) << x.output;
    ExpectSameFiles(dir_ / "src", dir_ / "ours");
    EXPECT_EQ(TreeListing(dir_ / "ours"), TreeListing(dir_ / "src")) << "folders too";
}

INSTANTIATE_TEST_SUITE_P(Methods, OurArchives, ::testing::Values("-o5", "-o6", "-o7", "-z"));

struct FixtureCase {
    const char* file;
    const char* method;
    int level;
};

class TheirArchives : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(TheirArchives, WeListTestAndExtractThem) {
    const std::string archive = kFixtures + "/" + GetParam().file;
    HARC arc = UnlhaOpenArchive(0, archive.c_str(), 1);
    ASSERT_NE(arc, 0u);
    INDIVIDUALINFO info{};
    std::vector<std::string> names;
    for (int r = UnlhaFindFirst(arc, "*.*", &info); r == 0; r = UnlhaFindNext(arc, &info)) {
        names.push_back(info.szFileName);
        EXPECT_STREQ(info.szMode, GetParam().method);
        EXPECT_EQ(info.wDate, (21u << 9) | (2u << 5) | 3u) << "2001-02-03";
    }
    UnlhaCloseArchive(arc);
    EXPECT_EQ(names, (std::vector<std::string>{"text.txt", "sub/data.bin"}));
    EXPECT_EQ(RunUnlha("t " + archive).result, 0);
    ScratchDir dir;
    const auto x = RunUnlha("x " + archive + " " + (dir / "out/"));
    ASSERT_EQ(x.result, 0) << x.output;
    ExpectSameFiles(kFixtures + "/expected", dir / "out");
}

INSTANTIATE_TEST_SUITE_P(Jlha, TheirArchives,
                         ::testing::Values(FixtureCase{"lh5.lzh", "-lh5-", 2},
                                           FixtureCase{"lh6.lzh", "-lh6-", 2},
                                           FixtureCase{"lh7.lzh", "-lh7-", 2},
                                           FixtureCase{"level0.lzh", "-lh5-", 0},
                                           FixtureCase{"level1.lzh", "-lh5-", 1}));

TEST(TheirArchives, ShiftJisNamesFromAWindowsToolBecomeUtf8) {
    // An MS-DOS level-0 member as Japanese Windows tools write it: Shift-JIS, "\" between
    // folders, no code page.
    ScratchDir dir;
    const std::string sjis = "\x83\x74\x83\x48\x83\x8b\x83\x5f\\\x95\x5c.TXT"; // フォルダ\表.TXT
    WriteFile(dir / "win.lzh", Archive({Level0Member(sjis, {'j', 'p'}, 0x2A000000)}));
    const auto x = RunUnlha("x " + (dir / "win.lzh") + " " + (dir / "out/"));
    ASSERT_EQ(x.result, 0) << x.output;
    EXPECT_EQ(ReadFile(dir / "out/フォルダ/表.TXT"), (Bytes{'j', 'p'}));
    if (HaveTool("lhasa")) {
        const auto test = RunTool("lhasa t " + Quote(dir / "win.lzh"));
        EXPECT_EQ(test.status, 0) << "the hand-made level-0 member is sound: " << test.output;
    }
}
