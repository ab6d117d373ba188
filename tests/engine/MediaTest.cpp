#include "engine/Media.h"

#include "FakeHost.h"
#include "TestFiles.h"
#include "engine/MessageBox.h"
#include "engine/Texts.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

using test::FakeHost;
using test::ScratchDir;

const std::string FormatOffer =
    "指定のＦＤは、初期化されたＦＤではありません。\nＦＤのフォーマットを行いますか？";

class MediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        disk_ = dir_ / "disk/";
        mkdir(disk_.c_str(), 0755);
        host_.drive.removableRoot = disk_;
    }
    ScratchDir dir_;
    std::string disk_;
    FakeHost host_;
};

TEST_F(MediaTest, RemovableOnlyForPathsOnTheRemovableDrive) {
    EXPECT_TRUE(IsRemovableDrive(host_, disk_));
    EXPECT_TRUE(IsRemovableDrive(host_, disk_ + "zold(a)020001.zol"));
    EXPECT_FALSE(IsRemovableDrive(host_, dir_.path()));
    EXPECT_FALSE(IsRemovableDrive(host_, ""));
}

TEST_F(MediaTest, NotEmptyDiskBringsTheOfferAndOkFormatsIt) {
    test::WriteBytes(disk_ + "old.txt", "x");
    PrepareFloppy(host_, disk_);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, FormatOffer);
    EXPECT_EQ(host_.boxes[0].caption, MsgCaption);
    EXPECT_EQ(host_.boxes[0].flags, mb::OkCancel | mb::IconQuestion);
    EXPECT_EQ(host_.formatted, std::vector<std::string>{disk_});
    EXPECT_FALSE(test::Exists(disk_ + "old.txt"));
}

TEST_F(MediaTest, CancelLeavesTheDiskAsItIs) {
    test::WriteBytes(disk_ + "old.txt", "x");
    host_.answer = [](const test::ShownBox&) { return mb::IdCancel; };
    PrepareFloppy(host_, disk_);
    EXPECT_EQ(host_.boxes.size(), 1u);
    EXPECT_TRUE(host_.formatted.empty());
    EXPECT_TRUE(test::Exists(disk_ + "old.txt"));
}

// "." and ".." are listed in every folder below the root; they do not make a disk full.
TEST_F(MediaTest, EmptyDiskOrEmptyFolderOnItBringsNoOffer) {
    PrepareFloppy(host_, disk_);
    mkdir((disk_ + "sub").c_str(), 0755);
    PrepareFloppy(host_, disk_ + "sub/");
    PrepareFloppy(host_, disk_ + "missing/");
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_TRUE(host_.formatted.empty());
}

TEST_F(MediaTest, FolderTextWithoutSlashListsItsParent) {
    test::WriteBytes(disk_ + "old.txt", "x");
    PrepareFloppy(host_, disk_ + "out");
    EXPECT_EQ(host_.countBoxes(FormatOffer), 1);
}

TEST_F(MediaTest, FixedDiskIsNeverOffered) {
    test::WriteBytes(dir_ / "a.txt", "x");
    PrepareFloppy(host_, dir_.path());
    EXPECT_TRUE(host_.boxes.empty());
}

TEST_F(MediaTest, FormatIsAskedForTheDriveRoot) {
    FormatFloppy(host_, disk_ + "sub/zold(a)020001.zol");
    EXPECT_EQ(host_.formatted, std::vector<std::string>{disk_});
}

} // namespace
} // namespace zol
