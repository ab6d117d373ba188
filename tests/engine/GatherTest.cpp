#include "FakeHost.h"
#include "TestFiles.h"
#include "engine/Joiner.h"
#include "engine/MessageBox.h"
#include "engine/PieceName.h"
#include "engine/Texts.h"
#include "platform/FolderListing.h"

#include <deque>
#include <gtest/gtest.h>

namespace zol {
namespace {

using test::FakeHost;
using test::ScratchDir;

const std::string StartPrompt = "分割されたＦＤの結合を行います。分割されたＦＤを準備してください。"
                                "順番はどこからでも結構です。";
const std::string NextPrompt = "次の分割されたＦＤに入替えてください。";
const std::string NotAPiece = "分割されたＦＤではありません。\n分割されたＦＤを準備してください。";
const std::string AlreadyCollected =
    "このＦＤの分割ファイルは、すでに読込みました。\n次の分割されたＦＤに入替えてください。";

// The time every piece carries: the time of the file that was split.
constexpr std::time_t PieceTime = 1262304000; // 2010-01-01 00:00:00 UTC

// A floppy drive (a removable test folder) and a shelf of disks: every prompt that asks for
// another disk puts the next one of the queue into the drive.
class GatherTest : public ::testing::Test {
protected:
    void SetUp() override {
        drive_ = dir_ / "drive/";
        mkdir(drive_.c_str(), 0755);
        host_.drive.removableRoot = drive_;
        host_.state.ProcMode = mode::Join;
        original_ = test::PatternBytes(2500);
        for (int k = 1; k <= 3; ++k) {
            makeDisk("d" + std::to_string(k), PieceName("", "a.bin", 3, 0, k),
                     original_.substr(static_cast<std::size_t>(k - 1) * 1000, 1000));
        }
        makeDisk("foreign", "zold(b.bin)020001.zol", "other set");
        makeDisk("othercount", "zold(a.bin)020001.zol", "other count");
        mkdir((dir_ / "empty/").c_str(), 0755);
        host_.answer = [this](const test::ShownBox& box) {
            if (box.text == StartPrompt) {
                return mb::IdOk;
            }
            if (queue_.empty()) {
                return (box.flags & mb::ButtonMask) == mb::Ok ? mb::IdOk : mb::IdCancel;
            }
            insert(queue_.front());
            queue_.pop_front();
            return mb::IdOk;
        };
    }

    void makeDisk(const std::string& disk, const std::string& name, const std::string& bytes) {
        mkdir((dir_ / disk).c_str(), 0755);
        test::WriteBytes(dir_ / (disk + "/" + name), bytes);
        test::SetModifiedTime(dir_ / (disk + "/" + name), PieceTime);
    }

    void insert(const std::string& disk) {
        test::RemoveFiles(drive_);
        test::CopyFilesTo(dir_ / (disk + "/"), drive_);
    }

    // Gathers with disk first in the drive and the others queued, then joins.
    std::string gatherAndJoin(const std::string& first, std::deque<std::string> queue) {
        insert(first);
        queue_ = std::move(queue);
        const std::string firstPath = drive_ + FolderEntries(drive_).front();
        host_.list = {firstPath};
        GatherFloppyPieces(host_, firstPath);
        host_.output = dir_ / "joined";
        JoinFiles(host_);
        return test::ReadBytes(dir_ / "joined");
    }

    ScratchDir dir_;
    std::string drive_;
    std::string original_;
    std::deque<std::string> queue_;
    FakeHost host_;
};

TEST_F(GatherTest, PiecesInAnyOrderAreJoinedInPieceOrder) {
    EXPECT_EQ(gatherAndJoin("d3", {"d1", "d2"}), original_);
    EXPECT_EQ(test::ModifiedTime(dir_ / "joined"), PieceTime)
        << "the pieces' time, not the copies'";
    const std::vector<std::string> copies = {host_.tempFolder() + "zold(a.bin)030001.zol",
                                             host_.tempFolder() + "zold(a.bin)030002.zol",
                                             host_.tempFolder() + "zold(a.bin)030003.zol"};
    EXPECT_EQ(host_.list, copies);
    EXPECT_EQ(host_.countBoxes(StartPrompt), 1);
    EXPECT_EQ(host_.countBoxes(NextPrompt), 2);
    EXPECT_EQ(host_.countBoxes(NotAPiece), 0);
    for (const auto& box : host_.boxes) {
        EXPECT_EQ(box.caption, MsgCaption);
        EXPECT_EQ(box.flags & mb::IconMask, 0u) << box.text;
    }
}

TEST_F(GatherTest, ForeignOrEmptyDiskBringsTheNotAPiecePromptUntilTheRightOneComes) {
    EXPECT_EQ(gatherAndJoin("d2", {"foreign", "empty", "othercount", "d1", "d3"}), original_);
    EXPECT_EQ(host_.countBoxes(NotAPiece), 3);
    EXPECT_EQ(host_.list.size(), 3u);
    for (const auto& box : host_.boxes) {
        if (box.text == NotAPiece) {
            EXPECT_EQ(box.flags, mb::OkCancel);
        }
    }
}

TEST_F(GatherTest, SameDiskTwiceIsNeitherCopiedNorListedAgain) {
    EXPECT_EQ(gatherAndJoin("d1", {"d1", "d2", "d2", "d3"}), original_);
    EXPECT_EQ(host_.countBoxes(AlreadyCollected), 2);
    EXPECT_EQ(host_.list.size(), 3u);
}

// Between two disks the mount point is an ordinary folder; a piece left in it is not read.
TEST_F(GatherTest, PiecesInTheMountPointOfNoDiskAreNotTaken) {
    std::deque<std::string> disks = {"d2", "d3"};
    bool mounted = true;
    host_.answer = [&](const test::ShownBox& box) {
        if (box.text == StartPrompt) {
            return mb::IdOk;
        }
        if (mounted) {
            // The disk is taken out; a stray piece 3 lies in the folder left behind.
            test::RemoveFiles(drive_);
            test::WriteBytes(drive_ + "zold(a.bin)030003.zol", "stray");
            host_.drive.removableRoot.clear();
            mounted = false;
            return mb::IdOk;
        }
        if (disks.empty()) {
            return mb::IdCancel;
        }
        insert(disks.front());
        disks.pop_front();
        host_.drive.removableRoot = drive_;
        mounted = true;
        return mb::IdOk;
    };
    insert("d1");
    const std::string firstPath = drive_ + "zold(a.bin)030001.zol";
    host_.list = {firstPath};
    GatherFloppyPieces(host_, firstPath);
    host_.output = dir_ / "joined";
    JoinFiles(host_);
    EXPECT_EQ(test::ReadBytes(dir_ / "joined"), original_);
    EXPECT_EQ(host_.countBoxes(NotAPiece), 2);
}

TEST_F(GatherTest, OneDiskHoldingTheWholeSetGivesEveryPiece) {
    test::CopyFilesTo(dir_ / "d2/", dir_ / "d1/");
    test::CopyFilesTo(dir_ / "d3/", dir_ / "d1/");
    EXPECT_EQ(gatherAndJoin("d1", {}), original_);
    EXPECT_EQ(host_.countBoxes(AlreadyCollected), 0);
}

// Copies, other file numbers of the same count and name, and names that only contain the
// set's name are not pieces of the set.
TEST_F(GatherTest, OnlyWholePieceNamesOfTheSameSetAreTaken) {
    makeDisk("copy", "zold(a.bin)030001 - Copy.zol", "copy");
    makeDisk("backup", "zold(a.bin)030002.zol.bak", "backup");
    makeDisk("otherfile", "zold(a.bin)030101.zol", "other file number");
    makeDisk("longer", "zold(a.bin)0300011.zol", "longer name");
    EXPECT_EQ(gatherAndJoin("d1", {"copy", "backup", "otherfile", "longer", "d2", "d3"}),
              original_);
    EXPECT_EQ(host_.countBoxes(NotAPiece), 4);
}

TEST_F(GatherTest, ParenthesesInTheNameDoNotWidenTheSet) {
    const std::string bytes = "joined";
    makeDisk("p1", "zold(a(1).txt)020001.zol", bytes.substr(0, 3));
    makeDisk("p2", "zold(a(1).txt)020002.zol", bytes.substr(3));
    makeDisk("p9", "zold(a(1).txt)030002.zol", "other count");
    EXPECT_EQ(gatherAndJoin("p1", {"p9", "p2"}), bytes);
    EXPECT_EQ(host_.countBoxes(NotAPiece), 1);
}

// Whatever was copied goes again, and nothing is left to join: part of a set would be joined
// under the original's name without its missing pieces.
TEST_F(GatherTest, CancelAtTheNotAPiecePromptLeavesNothingToJoin) {
    insert("d1");
    queue_ = {"empty"};
    const std::string firstPath = drive_ + "zold(a.bin)030001.zol";
    GatherFloppyPieces(host_, firstPath);
    EXPECT_TRUE(host_.list.empty());
    EXPECT_TRUE(FolderEntries(host_.tempFolder()).empty());
    EXPECT_EQ(host_.countBoxes(NotAPiece), 1);
}

TEST_F(GatherTest, CancelDuringACopyEndsTheGatheringWithNothingToJoin) {
    for (const char* disk : {"d2", "d3"}) {
        SCOPED_TRACE(disk);
        host_.boxes.clear();
        host_.state.CancelFlag = 0;
        insert(disk);
        queue_ = {"d1", "d3"};
        host_.onEvents = [this] { host_.state.CancelFlag = 1; };
        GatherFloppyPieces(host_, drive_ + FolderEntries(drive_).front());
        EXPECT_TRUE(host_.list.empty());
        EXPECT_TRUE(FolderEntries(host_.tempFolder()).empty());
        EXPECT_EQ(host_.countBoxes(NextPrompt), 0);
    }
}

// The whole set gathered, and then cancelled during the last copy: still nothing is joined,
// where the Cancel would otherwise cut the join after its first block.
TEST_F(GatherTest, CancelDuringTheLastCopyOfAWholeSetLeavesNothingToJoin) {
    insert("d1");
    queue_ = {"d2", "d3"};
    int copies = 0;
    host_.onEvents = [this, &copies] {
        if (host_.list.size() == 2 && ++copies == 1) {
            host_.state.CancelFlag = 1;
        }
    };
    GatherFloppyPieces(host_, drive_ + "zold(a.bin)030001.zol");
    EXPECT_TRUE(host_.list.empty());
    EXPECT_EQ(host_.countBoxes(NextPrompt), 2);
}

TEST_F(GatherTest, FreeSubModeOnlyTellsTheUser) {
    host_.joinPieces = false;
    host_.list = {drive_ + "x.txt", drive_ + "y.txt"};
    GatherFloppyPieces(host_, drive_ + "x.txt");
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text,
              "分割されたＦＤの結合のみ行います。分割されたＦＤを準備してください。");
    EXPECT_EQ(host_.boxes[0].flags, mb::Ok);
    EXPECT_EQ(host_.list.size(), 2u);
}

TEST_F(GatherTest, UnreadableCountFailsBeforeAnyPrompt) {
    host_.list = {drive_ + "zoldfish.txt"};
    EXPECT_THROW(GatherFloppyPieces(host_, drive_ + "zoldfish.txt"), NotANumberError);
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_EQ(host_.list.size(), 1u);
}

} // namespace
} // namespace zol
