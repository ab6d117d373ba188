// The progress bar goes to a terminal only: scripts that capture standard error never see it.

#include "ZolRun.h"

#include <gtest/gtest.h>

namespace zol::test {
namespace {

// No delay, so that even a short run would draw the bar if it were allowed to.
const std::vector<std::string> Immediately{"ZOL_PROGRESS_DELAY_MS=0"};

class Progress : public ::testing::Test {
protected:
    void SetUp() override { WriteFile(dir / "f", RandomBytes(3000000, 41)); }
    ScratchDir dir;
};

TEST_F(Progress, DrawnOnATerminal) {
    const ZolResult split =
        RunZol({"split", "-s", "100K", "-o", "p", "f"}, dir.path(), Stderr::Terminal, Immediately);
    ASSERT_EQ(split.status, 0);
    EXPECT_NE(split.err.find("100%"), std::string::npos) << split.err;
    EXPECT_NE(split.err.find("split ["), std::string::npos);
}

TEST_F(Progress, NothingWhenStandardErrorIsAFile) {
    for (const char* command : {"split", "join"}) {
        const std::vector<std::string> args =
            std::string(command) == "split"
                ? std::vector<std::string>{"split", "-s", "100K", "-o", "p", "f"}
                : std::vector<std::string>{"join", "-o", "g", "p/zold(f)300001.zol"};
        const ZolResult run = RunZol(args, dir.path(), Stderr::File, Immediately);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "") << command;
        EXPECT_EQ(run.out, "") << command;
    }
    EXPECT_EQ(ReadFile(dir / "g"), ReadFile(dir / "f"));
}

TEST_F(Progress, NotForAQuickRunOnATerminal) {
    const ZolResult split = RunZol({"split", "-s", "100K", "-o", "p", "f"}, dir.path(),
                                   Stderr::Terminal, {"ZOL_PROGRESS_DELAY_MS=600000"});
    ASSERT_EQ(split.status, 0);
    EXPECT_EQ(split.err, "");
}

} // namespace
} // namespace zol::test
