// The command strings: words, quotes, switches, base folders and the archive name.
#include "command_line.h"
#include "wildcard.h"

#include <gtest/gtest.h>

using namespace unlha;

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

class SplitLine : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLine, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitLine,
    ::testing::Values(
        SplitCase{"a arc file", {"a", "arc", "file"}},
        SplitCase{"  a   arc\tfile  ", {"a", "arc", "file"}},
        SplitCase{"a -d1 \"/my work/set\" /src/ *.*", {"a", "-d1", "/my work/set", "/src/", "*.*"}},
        SplitCase{"e -x1m1 /in/set.lzh \"/out dir/\"", {"e", "-x1m1", "/in/set.lzh", "/out dir/"}},
        SplitCase{"e -x1m1 /in/set.lzh ", {"e", "-x1m1", "/in/set.lzh"}},
        SplitCase{"a  file", {"a", "file"}}, SplitCase{"a \"\" file", {"a", "", "file"}},
        SplitCase{"a x\"y z\"w", {"a", "xy zw"}},
        SplitCase{"a \"unterminated quote", {"a", "unterminated quote"}},
        SplitCase{"a 全角\xE3\x80\x80空白", {"a", "全角\xE3\x80\x80空白"}}));

TEST(ParseCommand, ExtractCommandOfTheProgram) {
    const ParseResult r = ParseCommand("e -x1m1 /in/set.lzh /out/");
    ASSERT_TRUE(r.command) << r.error;
    EXPECT_EQ(r.command->verb, 'e');
    EXPECT_EQ(r.command->keepPaths, true);
    EXPECT_TRUE(r.command->overwrite);
    EXPECT_EQ(r.command->archive, "/in/set.lzh");
    EXPECT_EQ(r.command->lastBase, "/out/");
    EXPECT_TRUE(r.command->names.empty());
}

TEST(ParseCommand, FolderAddKeepsTheBaseWithEachName) {
    const ParseResult r = ParseCommand("a -d1 arc /src/ *.* /other/ x.txt");
    ASSERT_TRUE(r.command) << r.error;
    EXPECT_TRUE(r.command->recurse);
    ASSERT_EQ(r.command->names.size(), 2u);
    EXPECT_EQ(r.command->names[0].base, "/src/");
    EXPECT_EQ(r.command->names[0].name, "*.*");
    EXPECT_EQ(r.command->names[1].base, "/other/");
    EXPECT_EQ(r.command->names[1].name, "x.txt");
}

TEST(ParseCommand, MethodAndStoreSwitches) {
    EXPECT_EQ(ParseCommand("a arc f").command->method, Method::Lh5);
    EXPECT_EQ(ParseCommand("a -o6 arc f").command->method, Method::Lh6);
    EXPECT_EQ(ParseCommand("a -o7 arc f").command->method, Method::Lh7);
    EXPECT_EQ(ParseCommand("a -z arc f").command->method, Method::Store);
    EXPECT_EQ(ParseCommand("a -x0 arc f").command->keepPaths, false);
    EXPECT_EQ(ParseCommand("A ARC F").command->verb, 'a');
}

TEST(ParseCommand, DoubleDashEndsSwitches) {
    const ParseResult r = ParseCommand("a arc -- -name-");
    ASSERT_TRUE(r.command);
    ASSERT_EQ(r.command->names.size(), 1u);
    EXPECT_EQ(r.command->names[0].name, "-name-");
}

TEST(ParseCommand, ErrorsSayWhat) {
    const char* bad[] = {
        "",          "   ", "q arc",   "add arc",   "a -k arc f",       "a -o9 arc f",
        "a -d2 arc", "a",   "e -x1m1", "a - arc f", "a -d1  /src/ *.*", "x /out/"};
    for (const char* line : bad) {
        const ParseResult r = ParseCommand(line);
        EXPECT_FALSE(r.command) << line;
        EXPECT_FALSE(r.error.empty()) << line;
    }
}

TEST(ArchiveFileName, NameWithoutExtensionGetsLzh) {
    EXPECT_EQ(ArchiveFileName("/tmp/zoltemp"), "/tmp/zoltemp.lzh");
    EXPECT_EQ(ArchiveFileName("backup"), "backup.lzh");
    EXPECT_EQ(ArchiveFileName("/a.b/backup"), "/a.b/backup.lzh");
    EXPECT_EQ(ArchiveFileName("/x/set.lzh"), "/x/set.lzh");
    EXPECT_EQ(ArchiveFileName("/x/set.LZH"), "/x/set.LZH");
    EXPECT_EQ(ArchiveFileName("/x/data.tar"), "/x/data.tar");
    EXPECT_EQ(ArchiveFileName("/x/.hidden"), "/x/.hidden.lzh");
}

TEST(Wildcard, DosStyleMatching) {
    EXPECT_TRUE(WildcardMatch("*.*", "noext"));
    EXPECT_TRUE(WildcardMatch("*.txt", "a.txt"));
    EXPECT_FALSE(WildcardMatch("*.txt", "a.txt.gz"));
    EXPECT_TRUE(WildcardMatch("a?c", "abc"));
    EXPECT_FALSE(WildcardMatch("a?c", "ac"));
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_FALSE(WildcardMatch("x", "X"));
    EXPECT_FALSE(WildcardMatch(std::string(30, '*') + "b", std::string(5000, 'a')));
    EXPECT_TRUE(MemberMatches("*.c", "src/main.c"));
    EXPECT_TRUE(MemberMatches("src/*", "src/main.c"));
    EXPECT_FALSE(MemberMatches("lib/*", "src/main.c"));
}
