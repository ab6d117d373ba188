#include "engine/Joiner.h"

#include "FakeHost.h"
#include "TestFiles.h"
#include "engine/MessageBox.h"
#include "engine/Texts.h"
#include "platform/FileError.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace zol {
namespace {

using test::FakeHost;
using test::ScratchDir;

class JoinerTest : public ::testing::Test {
protected:
    void SetUp() override { host_.state.ProcMode = mode::Join; }

    std::string makeInput(const std::string& name, std::size_t size, unsigned seed,
                          std::time_t time = 1500000000) {
        const std::string path = dir_ / name;
        test::WriteBytes(path, test::PatternBytes(size, seed));
        test::SetModifiedTime(path, time);
        return path;
    }

    int failureCode() {
        try {
            JoinFiles(host_);
        } catch (const FileError& error) {
            return error.code();
        }
        return 0;
    }

    ScratchDir dir_;
    FakeHost host_;
};

TEST_F(JoinerTest, WritesTheEntriesInListOrderWithTheLastEntrysTime) {
    const std::string a = makeInput("3", 100, 3, 1500000000);
    const std::string b = makeInput("1", 0, 1, 1500000100);
    const std::string c = makeInput("2", 50, 2, 1500000201);
    host_.list = {a, b, c};
    host_.output = dir_ / "joined";
    JoinFiles(host_);
    EXPECT_EQ(test::ReadBytes(dir_ / "joined"), test::ReadBytes(a) + test::ReadBytes(c));
    EXPECT_EQ(test::ModifiedTime(dir_ / "joined"), 1500000200);
    EXPECT_EQ(host_.state.CurItem, 2);
    EXPECT_FALSE(host_.progressVisible);
    EXPECT_TRUE(host_.boxes.empty());
}

TEST_F(JoinerTest, ProgressCountsBlocksOfTheBuffer) {
    const std::string big = makeInput("big", 3276801, 1);
    const std::string small = makeInput("small", 10, 2);
    const std::string empty = makeInput("empty", 0, 3);
    host_.list = {big, small, empty};
    host_.output = dir_ / "joined";
    JoinFiles(host_);
    EXPECT_EQ(host_.progressMax, 3);
    EXPECT_EQ(host_.progressSteps, 3);
    EXPECT_EQ(test::ReadBytes(dir_ / "joined"), test::ReadBytes(big) + test::ReadBytes(small));
}

TEST_F(JoinerTest, OutputThatIsOneOfTheInputsIsRefusedBeforeItIsTouched) {
    const std::string a = makeInput("a", 100, 1);
    const std::string b = makeInput("b", 200, 2);
    const std::string bytesB = test::ReadBytes(b);
    symlink(b.c_str(), (dir_ / "link").c_str());
    link(b.c_str(), (dir_ / "hard").c_str());
    const std::string outputs[] = {b, dir_ / "./b", dir_ / "link", dir_ / "hard"};
    for (const auto& output : outputs) {
        FakeHost host;
        host.list = {a, b};
        host.output = output;
        JoinFiles(host);
        ASSERT_EQ(host.boxes.size(), 1u) << output;
        EXPECT_EQ(host.boxes[0].caption, MsgCaption);
        EXPECT_EQ(host.boxes[0].flags, mb::Ok | mb::IconError);
        EXPECT_NE(host.boxes[0].text.find(output), std::string::npos);
        EXPECT_EQ(test::ReadBytes(b), bytesB) << output;
        EXPECT_EQ(host.progressSteps, 0);
    }
}

TEST_F(JoinerTest, CancelWritesTheBlockInHandAndReadsNoFurther) {
    const std::string big = makeInput("big", 7000000, 1, 1500000300);
    const std::string next = makeInput("next", 10, 2);
    host_.list = {big, next};
    host_.output = dir_ / "joined";
    host_.onEvents = [&] { host_.state.CancelFlag = 1; };
    JoinFiles(host_);
    EXPECT_EQ(test::ReadBytes(dir_ / "joined"), test::ReadBytes(big).substr(0, 3276800));
    EXPECT_EQ(test::ModifiedTime(dir_ / "joined"), 1500000300);
    EXPECT_EQ(host_.progressSteps, 1);
    EXPECT_FALSE(host_.progressVisible);
}

TEST_F(JoinerTest, FullDiskFailsWithTheDiskFullTextAndClosesTheFiles) {
    host_.list = {makeInput("a", 1000, 1)};
    symlink("/dev/full", (dir_ / "full").c_str());
    host_.output = dir_ / "full";
    const int openBefore = test::OpenFileCount();
    EXPECT_EQ(failureCode(), ShortWriteCode);
    EXPECT_EQ(test::OpenFileCount(), openBefore);
    EXPECT_TRUE(host_.progressVisible);
}

// The joined file is written through when it lies on a removable disk: a target that
// refuses it (a FIFO, as a bad floppy refuses the write-back) makes the join fail.
TEST_F(JoinerTest, OutputOnARemovableDiskIsWrittenThrough) {
    const std::string a = makeInput("a", 1000, 1);
    mkdir((dir_ / "disk").c_str(), 0755);
    const struct {
        const char* what;
        std::string output;
        int code;
    } cases[] = {
        {"FIFO on the disk", dir_ / "disk/fifo", SystemErrorBase + EINVAL},
        {"FIFO on a fixed disk", dir_ / "fifo", 0},
    };
    for (const auto& c : cases) {
        mkfifo(c.output.c_str(), 0644);
        const int reader = open(c.output.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        FakeHost host;
        host.drive.removableRoot = dir_ / "disk/";
        host.list = {a};
        host.output = c.output;
        int code = 0;
        try {
            JoinFiles(host);
        } catch (const FileError& error) {
            code = error.code();
        }
        close(reader);
        EXPECT_EQ(code, c.code) << c.what;
    }
}

TEST_F(JoinerTest, OutputNamingAFolderFailsBeforeAnythingIsRead) {
    host_.list = {makeInput("a", 1000, 1)};
    host_.output = dir_.path();
    EXPECT_EQ(failureCode(), SystemErrorBase + EISDIR);
    EXPECT_EQ(host_.progressSteps, 0);
    EXPECT_EQ(host_.eventPumps, 0);
}

TEST_F(JoinerTest, MissingEntryFailsWithFileNotFoundAfterTheEarlierOnes) {
    const std::string a = makeInput("a", 1000, 1);
    host_.list = {a, dir_ / "missing"};
    host_.output = dir_ / "joined";
    EXPECT_EQ(failureCode(), 2);
    EXPECT_EQ(test::ReadBytes(dir_ / "joined"), test::ReadBytes(a));
}

TEST_F(JoinerTest, FolderOrFifoEntryFailsInsteadOfAddingNothing) {
    const std::string a = makeInput("a", 1000, 1);
    mkdir((dir_ / "folder").c_str(), 0755);
    mkfifo((dir_ / "fifo").c_str(), 0644);
    for (const char* name : {"folder", "fifo"}) {
        host_.list = {a, dir_ / name, makeInput("b", 10, 2)};
        host_.output = dir_ / "joined";
        EXPECT_EQ(failureCode(), 5) << name;
        EXPECT_EQ(test::ReadBytes(dir_ / "joined"), test::ReadBytes(a)) << name;
    }
}

} // namespace
} // namespace zol
