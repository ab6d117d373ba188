#include "platform/TempFolder.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

using test::ScratchDir;

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TMPDIR");
        hadTmpdir_ = old != nullptr;
        oldTmpdir_ = hadTmpdir_ ? old : "";
        setenv("TMPDIR", base_.path().c_str(), 1);
    }
    void TearDown() override {
        if (hadTmpdir_) {
            setenv("TMPDIR", oldTmpdir_.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }
    ScratchDir base_;

private:
    bool hadTmpdir_ = false;
    std::string oldTmpdir_;
};

TEST_F(TempFolderTest, MadeOnceUnderTmpdirEndingWithSlash) {
    TempFolder temp;
    const std::string path = temp.path();
    EXPECT_EQ(path.rfind(base_.path(), 0), 0u);
    EXPECT_EQ(path.back(), '/');
    EXPECT_TRUE(test::Exists(path));
    EXPECT_EQ(temp.path(), path);
}

TEST_F(TempFolderTest, RemovedWithEverythingInItButNotWhatLinksPointTo) {
    test::WriteBytes(base_ / "outside.txt", "keep");
    std::string path;
    {
        TempFolder temp;
        path = temp.path();
        mkdir((path + "sub").c_str(), 0755);
        test::WriteBytes(path + "sub/zoltemp.lzh", "x");
        test::WriteBytes(path + "zold(a)020001.zol", "y");
        symlink((base_ / "outside.txt").c_str(), (path + "link").c_str());
    }
    EXPECT_FALSE(test::Exists(path));
    EXPECT_EQ(test::ReadBytes(base_ / "outside.txt"), "keep");
}

TEST_F(TempFolderTest, UnusedFolderIsNeverMade) {
    { TempFolder temp; }
    EXPECT_EQ(test::EntryCount(base_.path()), 0);
}

} // namespace
} // namespace zol
