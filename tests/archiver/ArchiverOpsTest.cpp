#include "archiver/ArchiverOps.h"

#include "FakeJobHost.h"
#include "RecordingUnlha.h"
#include "ScratchFolder.h"
#include "engine/MessageBox.h"
#include "engine/Texts.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zol::test {
namespace {

// A host whose boxes know how many commands the recording library has seen.
class RecordedHost : public FakeJobHost {
public:
    RecordedHost() {
        commandCount = [] { return recording::Calls().size(); };
    }
};

std::vector<std::string> Commands() {
    std::vector<std::string> commands;
    for (const recording::Call& call : recording::Calls())
        commands.push_back(call.command);
    return commands;
}

struct CommandCase {
    const char* name;
    std::vector<std::string> entries;
    std::string output;
    bool folder;
    std::vector<std::string> expected;
};

class CompressCommands : public testing::TestWithParam<CommandCase> {};

TEST_P(CompressCommands, OneCommandPerEntryInListOrder) {
    const CommandCase& c = GetParam();
    recording::Script({});
    RecordedHost host;
    host.entries = c.entries;
    host.output = c.output;
    host.folderChosen = c.folder;

    CompressInputs(host);

    EXPECT_EQ(Commands(), c.expected);
    for (const recording::Call& call : recording::Calls()) {
        EXPECT_EQ(call.window, FakeJobHost::Window);
        EXPECT_EQ(call.outputSize, 32000u);
    }
    EXPECT_EQ(host.job().CurItem, static_cast<std::int32_t>(c.entries.size()));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.selectFilesCalls, 1);
    EXPECT_EQ(host.commandsBeforeSelectFiles, c.entries.size());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CompressCommands,
    testing::Values(
        CommandCase{"Files",
                    {"/in/a.txt", "/in/b.txt"},
                    "/out/backup",
                    false,
                    {"a /out/backup /in/a.txt", "a /out/backup /in/b.txt"}},
        CommandCase{"BlankInArchiveQuotesEveryCommand",
                    {"/in/a.txt", "/in/b.txt"},
                    "/out/my backup",
                    false,
                    {"a \"/out/my backup\" /in/a.txt", "a \"/out/my backup\" /in/b.txt"}},
        CommandCase{"BlankInEntryQuotesOnlyItsCommand",
                    {"/in/my a.txt", "/in/b.txt"},
                    "/out/backup",
                    false,
                    {"a /out/backup \"/in/my a.txt\"", "a /out/backup /in/b.txt"}},
        CommandCase{"EmptyArchiveKeepsBothBlanks", {"/in/a.txt"}, "", false, {"a  /in/a.txt"}},
        CommandCase{"FullWidthSpaceIsNoBlank",
                    {"/in/ａ　ｂ.txt"},
                    "/out/　",
                    false,
                    {"a /out/　 /in/ａ　ｂ.txt"}},
        CommandCase{"EmptyList", {}, "/out/backup", true, {}}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

// One member per name: the second file would silently replace the first in the archive.
TEST(CompressInputs, TwoFilesOfOneNameAreRefusedBeforeAnyCommand) {
    for (const bool folderForm : {false, true}) {
        recording::Script({});
        RecordedHost host;
        host.entries = {"/in/a/r.txt", "/in/x.txt", "/in/b/r.txt"};
        host.output = "/out/set";
        host.folderChosen = folderForm;

        CompressInputs(host);

        EXPECT_TRUE(Commands().empty());
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text,
                  "同じ名前のファイルが二つあります。\nr.txt\n一つの圧縮ファイルの中では、後の"
                  "ファイルが先のファイルを置き換えてしまいます。\n何も圧縮していません。");
        EXPECT_EQ(host.boxes[0].caption, MsgCaption);
        EXPECT_EQ(host.boxes[0].flags, mb::IconError | mb::Ok);
        EXPECT_EQ(host.selectFilesCalls, 1);
    }
}

TEST(CompressInputs, FolderFormAddsEachFolderFromInsideAndOtherEntriesAsThemselves) {
    ScratchFolder scratch;
    std::filesystem::create_directories(scratch / "src");
    std::filesystem::create_directories(scratch / "my src");
    std::filesystem::create_directories(scratch / "dropped");
    WritePatternFile(scratch / "a.txt", 10, 1);
    recording::Script({});
    RecordedHost host;
    host.entries = {scratch / "src/", scratch / "my src", scratch / "dropped", scratch / "a.txt",
                    scratch / "gone"};
    host.output = "/d/my work/set";
    host.folderChosen = true;

    CompressInputs(host);

    const std::string head = "a -d1 \"/d/my work/set\" ";
    EXPECT_EQ(Commands(), (std::vector<std::string>{
                              head + scratch / "src/" + " *.*",
                              head + "\"" + scratch / "my src/" + "\" *.*",
                              head + scratch / "dropped/" + " *.*",
                              head + scratch / "a.txt",
                              head + scratch / "gone",
                          }));
    EXPECT_EQ(host.selectFilesCalls, 1);
}

class ExtractCommands : public testing::TestWithParam<CommandCase> {};

TEST_P(ExtractCommands, OneCommandPerArchiveInListOrder) {
    const CommandCase& c = GetParam();
    recording::Script({});
    RecordedHost host;
    host.entries = c.entries;
    host.output = c.output;

    ExtractArchives(host);

    EXPECT_EQ(Commands(), c.expected);
    for (const recording::Call& call : recording::Calls()) {
        EXPECT_EQ(call.window, FakeJobHost::Window);
        EXPECT_EQ(call.outputSize, 32000u);
    }
    EXPECT_EQ(host.job().CurItem, static_cast<std::int32_t>(c.entries.size()));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.selectFilesCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ExtractCommands,
    testing::Values(
        CommandCase{"DestGetsSlash", {"/in/set.lzh"}, "/out", false, {"e -x1m1 /in/set.lzh /out/"}},
        CommandCase{
            "DestKeepsSingleSlash", {"/in/set.lzh"}, "/out/", false, {"e -x1m1 /in/set.lzh /out/"}},
        CommandCase{"EmptyDestEndsWithBlank", {"/in/set.lzh"}, "", false, {"e -x1m1 /in/set.lzh "}},
        CommandCase{"DestWithBlankQuotedAfterSlash",
                    {"/in/set.lzh"},
                    "/my out",
                    false,
                    {"e -x1m1 /in/set.lzh \"/my out/\""}},
        CommandCase{"ArchiveWithBlank",
                    {"/in/my set.lzh", "/in/b.lzh"},
                    "/out",
                    false,
                    {"e -x1m1 \"/in/my set.lzh\" /out/", "e -x1m1 /in/b.lzh /out/"}},
        CommandCase{"FullWidthSpaceIsNoBlank",
                    {"/in/ａ　ｂ.lzh"},
                    "/出力　先",
                    false,
                    {"e -x1m1 /in/ａ　ｂ.lzh /出力　先/"}},
        CommandCase{
            "TabOrLineBreakQuotedLikeABlank",
            {"/in/a\tb.lzh", "/in/c\nd.lzh"},
            "/o\tut",
            false,
            {"e -x1m1 \"/in/a\tb.lzh\" \"/o\tut/\"", "e -x1m1 \"/in/c\nd.lzh\" \"/o\tut/\""}},
        CommandCase{"EmptyList", {}, "/out", false, {}}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST(ExtractArchives, SecondOfThreeFailingShowsOneBoxAndExtractsTheOthers) {
    recording::Script({{0, ""}, {2, "b.lzh: not an archive"}, {0, ""}});
    RecordedHost host;
    host.entries = {"/in/a.lzh", "/in/b.lzh", "/in/c.lzh"};
    host.output = "/out";

    ExtractArchives(host);

    EXPECT_EQ(Commands().size(), 3u);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "解凍で異常が発生しました。");
    EXPECT_EQ(host.boxes[0].caption, MsgCaption);
    EXPECT_EQ(host.boxes[0].flags, mb::IconError | mb::Ok);
    EXPECT_EQ(host.boxes[0].commandsBefore, 2u);
}

TEST(ExtractArchives, EveryFailureHasItsOwnBox) {
    recording::Script({{1, ""}, {-1, ""}});
    RecordedHost host;
    host.entries = {"/in/a.lzh", "/in/b.lzh"};
    host.output = "/out";

    ExtractArchives(host);

    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].commandsBefore, 1u);
    EXPECT_EQ(host.boxes[1].commandsBefore, 2u);
}

TEST(CompressInputs, FailuresShowTheReportsOnceAfterTheLastEntry) {
    recording::Script(
        {{0, "a.txt added\n"}, {3, "/in/b.txt: cannot open\n"}, {3, "/in/c.txt: cannot open\n"}});
    RecordedHost host;
    host.entries = {"/in/a.txt", "/in/b.txt", "/in/c.txt"};
    host.output = "/out/backup";

    CompressInputs(host);

    EXPECT_EQ(Commands().size(), 3u);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "/in/b.txt: cannot open\n/in/c.txt: cannot open\n");
    EXPECT_EQ(host.boxes[0].caption, MsgCaption);
    EXPECT_EQ(host.boxes[0].flags, mb::IconError | mb::Ok);
    EXPECT_EQ(host.boxes[0].commandsBefore, 3u);
    EXPECT_EQ(host.selectFilesCalls, 1);
}

TEST(CompressInputs, FailureWithoutReportStillSaysSo) {
    recording::Script({{1, ""}});
    RecordedHost host;
    host.entries = {"/in/a.txt"};
    host.output = "/out/backup";

    CompressInputs(host);

    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "圧縮で異常が発生しました。");
}

TEST(CompressInputs, SuccessReportsAreNotShown) {
    recording::Script({{0, "a.txt added\n"}, {0, "b.txt added\n"}});
    RecordedHost host;
    host.entries = {"/in/a.txt", "/in/b.txt"};
    host.output = "/out/backup";

    CompressInputs(host);

    EXPECT_TRUE(host.boxes.empty());
}

} // namespace
} // namespace zol::test
