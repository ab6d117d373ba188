#include "engine/Splitter.h"

#include "FakeHost.h"
#include "TestFiles.h"
#include "engine/Joiner.h"
#include "engine/MessageBox.h"
#include "engine/PieceName.h"
#include "engine/Texts.h"
#include "platform/FileError.h"
#include "platform/FolderListing.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace zol {
namespace {

using test::FakeHost;
using test::ScratchDir;

const std::string NewDiskPrompt = "つぎの新しいＦＤに入替えてください。";
const std::string OtherInputBox =
    "分割先のファイルが、分割する別のファイルと同じです。\n別の分割先を"
    "指定してください。\n";
const std::string FormatOffer =
    "指定のＦＤは、初期化されたＦＤではありません。\nＦＤのフォーマットを行いますか？";
constexpr std::time_t InputTime = 1234567891; // odd: the pieces get the even second below

std::vector<std::string> sortedEntries(const std::string& folder) {
    auto names = FolderEntries(folder);
    std::sort(names.begin(), names.end());
    return names;
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override {
        in_ = dir_ / "in/";
        out_ = dir_ / "out/";
        mkdir(in_.c_str(), 0755);
        mkdir(out_.c_str(), 0755);
        host_.state.ProcMode = mode::Split;
        host_.state.PieceSize = piece::Size144;
        host_.output = out_;
    }

    std::string makeInput(const std::string& name, std::size_t size, unsigned seed = 1) {
        const std::string path = in_ + name;
        test::WriteBytes(path, test::PatternBytes(size, seed));
        test::SetModifiedTime(path, InputTime);
        return path;
    }

    // Joins the files of folder in name order, as the join mode does with a sorted list.
    std::string joinedFrom(const std::string& folder) {
        FakeHost joiner;
        for (const auto& name : sortedEntries(folder)) {
            joiner.addInput(folder + name);
        }
        joiner.output = dir_ / "joined";
        JoinFiles(joiner);
        return test::ReadBytes(dir_ / "joined");
    }

    ScratchDir dir_;
    std::string in_;
    std::string out_;
    FakeHost host_;
};

TEST_F(SplitterTest, RoundTripsByteForByteWithTimes) {
    const std::int64_t p = piece::Size144;
    const struct {
        std::int64_t size;
        std::vector<std::string> names;
        std::vector<std::int64_t> sizes;
    } cases[] = {
        {0, {"a.bin"}, {0}},
        {1, {"a.bin"}, {1}},
        {p - 1, {"a.bin"}, {p - 1}},
        {p, {"zold(a.bin)010001.zol"}, {p}},
        {p + 1, {"zold(a.bin)020001.zol", "zold(a.bin)020002.zol"}, {p, 1}},
        {3000000,
         {"zold(a.bin)030001.zol", "zold(a.bin)030002.zol", "zold(a.bin)030003.zol"},
         {p, p, 84672}},
    };
    for (const auto& c : cases) {
        test::RemoveFiles(out_);
        FakeHost host;
        host.state.PieceSize = p;
        host.output = out_;
        const std::string input = makeInput("a.bin", static_cast<std::size_t>(c.size));
        host.list = {input};
        SplitFiles(host);
        ASSERT_EQ(sortedEntries(out_), c.names) << c.size;
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(test::ReadBytes(out_ + c.names[i]).size(),
                      static_cast<std::size_t>(c.sizes[i]));
            EXPECT_EQ(test::ModifiedTime(out_ + c.names[i]), InputTime - 1) << c.names[i];
        }
        EXPECT_EQ(joinedFrom(out_), test::ReadBytes(input)) << c.size;
        EXPECT_EQ(test::ModifiedTime(dir_ / "joined"), InputTime - 1);
        EXPECT_TRUE(host.boxes.empty()) << "a fixed disk brings no offer and no prompt";
        EXPECT_FALSE(host.progressVisible);
        EXPECT_EQ(host.progressMax, static_cast<std::int64_t>(c.names.size()));
        EXPECT_EQ(host.progressPos, host.progressMax);
    }
}

TEST_F(SplitterTest, SeveralInputsCarryTheirListPosition) {
    const std::string first = makeInput("a.bin", 3000000, 1);
    const std::string second = makeInput("b.bin", 1457665, 2);
    const std::string third = makeInput("c.txt", 10, 3);
    host_.list = {first, second, third};
    SplitFiles(host_);
    const std::vector<std::string> expected = {
        "c.txt",
        "zold(a.bin)030001.zol",
        "zold(a.bin)030002.zol",
        "zold(a.bin)030003.zol",
        "zold(b.bin)020101.zol",
        "zold(b.bin)020102.zol",
    };
    EXPECT_EQ(sortedEntries(out_), expected);
    EXPECT_EQ(host_.state.CurItem, 2);
    EXPECT_EQ(test::ReadBytes(out_ + "c.txt"), test::ReadBytes(third));
    EXPECT_EQ(test::ReadBytes(out_ + "zold(b.bin)020102.zol"),
              test::ReadBytes(second).substr(1457664));
}

TEST_F(SplitterTest, PieceLargerThanTheBufferMovesInSeveralBlocks) {
    const std::int64_t p = 8 * 1024 * 1024;
    host_.state.PieceSize = p;
    const std::string input = makeInput("a.bin", static_cast<std::size_t>(p + 5));
    host_.list = {input};
    SplitFiles(host_);
    EXPECT_EQ(test::ReadBytes(out_ + "zold(a.bin)020001.zol"), test::ReadBytes(input).substr(0, p));
    EXPECT_EQ(test::ReadBytes(out_ + "zold(a.bin)020002.zol"), test::ReadBytes(input).substr(p));
    EXPECT_EQ(host_.eventPumps, 3 + 1)
        << "8 MiB in 3 blocks of the 3276800-byte buffer, then 5 bytes";
}

// Between two file systems the system copies nothing and the buffer carries every block.
TEST_F(SplitterTest, RoundTripAcrossFileSystemsGoesThroughTheBuffer) {
    if (!test::Exists("/dev/shm")) {
        GTEST_SKIP() << "no /dev/shm";
    }
    ScratchDir other("/dev/shm");
    const std::int64_t p = 4 * 1024 * 1024;
    host_.state.PieceSize = p;
    host_.output = other.path();
    const std::string input = makeInput("a.bin", static_cast<std::size_t>(p + 5));
    host_.list = {input};
    SplitFiles(host_);
    EXPECT_EQ(test::ReadBytes(other / "zold(a.bin)020001.zol"),
              test::ReadBytes(input).substr(0, p));
    EXPECT_EQ(test::ReadBytes(other / "zold(a.bin)020002.zol"), test::ReadBytes(input).substr(p));
    EXPECT_EQ(test::ModifiedTime(other / "zold(a.bin)020002.zol"), InputTime - 1);
    EXPECT_EQ(joinedFrom(other.path()), test::ReadBytes(input));
}

TEST_F(SplitterTest, PieceSizeBeyondTwoGibibytesCopiesSmallerFilesWhole) {
    host_.state.PieceSize = 4294967295LL;
    const std::string input = makeInput("a.bin", 1000);
    host_.list = {input};
    SplitFiles(host_);
    EXPECT_EQ(sortedEntries(out_), std::vector<std::string>{"a.bin"});
}

TEST_F(SplitterTest, MoreThanNinetyNinePiecesIsRefusedBeforeAnythingIsWritten) {
    host_.state.PieceSize = 1000;
    const std::string small = makeInput("a.bin", 500);
    const std::string large = makeInput("b.bin", 99001);
    host_.list = {small, large};
    SplitFiles(host_);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find("b.bin"), std::string::npos);
    EXPECT_NE(host_.boxes[0].text.find("100"), std::string::npos);
    EXPECT_EQ(host_.boxes[0].caption, MsgCaption);
    EXPECT_EQ(host_.boxes[0].flags, mb::Ok | mb::IconError);
    EXPECT_TRUE(sortedEntries(out_).empty());
}

// Either way the later file would replace the earlier one in the output.
TEST_F(SplitterTest, TwoOutputsOfOneNameAreRefusedBeforeAnythingIsWritten) {
    host_.state.PieceSize = 1000;
    mkdir((in_ + "x").c_str(), 0755);
    const struct {
        std::vector<std::string> inputs;
        const char* name;
    } cases[] = {
        {{makeInput("x/r.txt", 10), makeInput("a.bin", 10), makeInput("r.txt", 20)}, "r.txt"},
        {[this] {
             // List places 0 and 100 both give the file-number field "00".
             std::vector<std::string> list{makeInput("x/big.bin", 2500)};
             for (int i = 1; i < 100; ++i) {
                 list.push_back(makeInput("f" + std::to_string(i), 1));
             }
             list.push_back(makeInput("big.bin", 2500, 2));
             return list;
         }(),
         "zold(big.bin)030001.zol"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host_.boxes.clear();
        host_.list = c.inputs;
        SplitFiles(host_);
        ASSERT_EQ(host_.boxes.size(), 1u);
        EXPECT_EQ(host_.boxes[0].text, std::string("分割先に同じ名前のファイルが二つできます。\n") +
                                           c.name + "\n何も書込んでいません。");
        EXPECT_EQ(host_.boxes[0].flags, mb::Ok | mb::IconError);
        EXPECT_TRUE(sortedEntries(out_).empty());
    }
}

TEST_F(SplitterTest, NinetyNinePiecesAreStillASet) {
    host_.state.PieceSize = 1000;
    host_.list = {makeInput("b.bin", 99000)};
    SplitFiles(host_);
    const auto names = sortedEntries(out_);
    ASSERT_EQ(names.size(), 99u);
    EXPECT_EQ(names.back(), "zold(b.bin)990099.zol");
    EXPECT_TRUE(host_.boxes.empty());
}

// The count of a 5 GiB file must not come from the low 32 bits of its size (1 GiB).
TEST_F(SplitterTest, CountOfAFileBeyondFourGibibytesIsWhole) {
    test::MakeSparse(in_ + "big.bin", 5LL * 1024 * 1024 * 1024);
    host_.list = {in_ + "big.bin"};
    SplitFiles(host_);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find("3684"), std::string::npos) << host_.boxes[0].text;
    EXPECT_TRUE(sortedEntries(out_).empty());
}

TEST_F(SplitterTest, NeverWritesOverItsInputUnderAnyFormOfItsPath) {
    const std::string bytes = test::PatternBytes(1000);
    test::WriteBytes(in_ + "a.txt", bytes);
    symlink(in_.c_str(), (dir_ / "linked").c_str());
    mkdir((dir_ / "hard").c_str(), 0755);
    link((in_ + "a.txt").c_str(), (dir_ / "hard/a.txt").c_str());
    const std::string outputs[] = {in_, in_ + "./", dir_ / "linked/", dir_ / "hard/",
                                   dir_ / "in/../in/"};
    for (const auto& output : outputs) {
        host_.output = output;
        host_.list = {in_ + "a.txt"};
        SplitFiles(host_);
        EXPECT_EQ(test::ReadBytes(in_ + "a.txt"), bytes) << output;
        EXPECT_EQ(sortedEntries(in_), std::vector<std::string>{"a.txt"}) << output;
    }
    EXPECT_TRUE(host_.boxes.empty());
}

// A piece name that is a hard link to the input would be truncated by creating the piece.
TEST_F(SplitterTest, PieceThatIsTheInputIsRefused) {
    const std::string input = makeInput("a.bin", 1457665);
    const std::string bytes = test::ReadBytes(input);
    link(input.c_str(), (out_ + "zold(a.bin)020001.zol").c_str());
    host_.list = {input};
    SplitFiles(host_);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].flags, mb::Ok | mb::IconError);
    EXPECT_EQ(test::ReadBytes(input), bytes);
    EXPECT_FALSE(test::Exists(out_ + "zold(a.bin)020002.zol"));
    EXPECT_FALSE(host_.progressVisible);
}

// /in/x.txt copied into /out/ would replace the input /out/x.txt, whichever comes first in
// the list; a piece name can be another input too. The other input is found by device and
// inode, also when listed through a linked folder.
TEST_F(SplitterTest, TargetThatIsAnotherInputStopsTheRunWithoutTouchingIt) {
    host_.state.PieceSize = 1000;
    symlink(out_.c_str(), (dir_ / "alias").c_str());
    const struct {
        const char* what;
        std::size_t inputSize;
        bool otherFirst;
        bool viaLink;
    } cases[] = {
        {"plain copy, other input last", 10, false, false},
        {"plain copy, other input first", 10, true, true},
        {"piece, other input last", 1500, false, true},
        {"piece, other input first", 1500, true, false},
    };
    for (const auto& c : cases) {
        test::RemoveFiles(out_);
        const std::string input = makeInput("x.txt", c.inputSize, 1);
        // The entry's name is the one its own first output would get.
        const std::string item = c.otherFirst ? "01" : "00";
        const std::string name = c.inputSize < 1000 ? "x.txt" : "zold(x.txt)02" + item + "01.zol";
        const std::string otherBytes = test::PatternBytes(20, 2);
        test::WriteBytes(out_ + name, otherBytes);
        // Listed under another name, so that only the file itself, not its name, is shared.
        ASSERT_EQ(link((out_ + name).c_str(), (out_ + "other").c_str()), 0);
        const std::string other = (c.viaLink ? dir_ / "alias/" : out_) + "other";
        FakeHost host;
        host.state.PieceSize = 1000;
        host.output = out_;
        host.list = c.otherFirst ? std::vector<std::string>{other, input}
                                 : std::vector<std::string>{input, other};
        SplitFiles(host);
        ASSERT_EQ(host.boxes.size(), 1u) << c.what;
        EXPECT_EQ(host.boxes[0].text, OtherInputBox + out_ + name) << c.what;
        EXPECT_EQ(host.boxes[0].caption, MsgCaption);
        EXPECT_EQ(host.boxes[0].flags, mb::Ok | mb::IconError);
        EXPECT_EQ(test::ReadBytes(out_ + name), otherBytes) << c.what;
        EXPECT_EQ(sortedEntries(out_), (std::vector<std::string>{"other", name})) << c.what;
        EXPECT_FALSE(host.progressVisible);
    }
}

// The same file listed twice is still only the input in hand.
TEST_F(SplitterTest, InputListedTwiceIntoItsOwnFolderIsSkippedTwice) {
    const std::string input = makeInput("x.txt", 10);
    host_.output = in_;
    host_.list = {input, in_ + "./x.txt"};
    SplitFiles(host_);
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_EQ(test::ReadBytes(input), test::PatternBytes(10));
}

TEST_F(SplitterTest, LargerInputGetsItsPiecesBesideIt) {
    const std::string input = makeInput("a.bin", 1457665);
    host_.output = in_;
    host_.list = {input};
    SplitFiles(host_);
    const std::vector<std::string> expected = {"a.bin", "zold(a.bin)020001.zol",
                                               "zold(a.bin)020002.zol"};
    EXPECT_EQ(sortedEntries(in_), expected);
}

TEST_F(SplitterTest, OutputWithoutSlashPrefixesTheNames) {
    host_.output = dir_ / "out";
    host_.list = {makeInput("a.bin", 1457665)};
    SplitFiles(host_);
    EXPECT_TRUE(test::Exists(dir_ / "outzold(a.bin)020001.zol"));
}

TEST_F(SplitterTest, CancelCompletesThePieceInHandAndEndsTheRun) {
    host_.state.PieceSize = 1000;
    const std::string first = makeInput("a.bin", 4500);
    const std::string second = makeInput("b.bin", 3000);
    host_.list = {first, second};
    host_.onEvents = [&] {
        if (host_.eventPumps == 2) {
            host_.state.CancelFlag = 1;
        }
    };
    SplitFiles(host_);
    const std::vector<std::string> expected = {"zold(a.bin)050001.zol", "zold(a.bin)050002.zol"};
    EXPECT_EQ(sortedEntries(out_), expected);
    EXPECT_EQ(test::ReadBytes(out_ + expected[1]), test::ReadBytes(first).substr(1000, 1000));
    EXPECT_EQ(test::ModifiedTime(out_ + expected[1]), InputTime - 1);
    EXPECT_FALSE(host_.progressVisible);
}

TEST_F(SplitterTest, MissingInputFailsWithFileNotFound) {
    host_.list = {in_ + "missing.bin"};
    try {
        SplitFiles(host_);
        ADD_FAILURE();
    } catch (const FileError& error) {
        EXPECT_EQ(error.code(), 2);
        EXPECT_STREQ(error.what(), "ﾌｧｲﾙが見つかりません");
    }
}

// A folder would "split" into an empty file named after it; a FIFO would hold the window.
TEST_F(SplitterTest, FolderOrFifoInputIsRefusedWithoutWritingAnything) {
    mkdir((in_ + "folder").c_str(), 0755);
    mkfifo((in_ + "fifo").c_str(), 0644);
    for (const char* name : {"folder", "fifo"}) {
        host_.list = {in_ + name};
        int code = 0;
        try {
            SplitFiles(host_);
        } catch (const FileError& error) {
            code = error.code();
        }
        EXPECT_EQ(code, 5) << name;
        EXPECT_TRUE(sortedEntries(out_).empty()) << name;
    }
}

// A disk with room for part of a piece: the file-size limit stores what fits, then refuses.
TEST_F(SplitterTest, FullDiskEndsTheSplitWithTheDiskFullErrorAndClosesTheFiles) {
    host_.state.PieceSize = 2000;
    const std::string input = makeInput("a.bin", 5000);
    host_.list = {input};
    const int openBefore = test::OpenFileCount();
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto* const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1500;
    setrlimit(RLIMIT_FSIZE, &small);
    int code = 0;
    try {
        SplitFiles(host_);
    } catch (const FileError& error) {
        code = error.code();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(code, ShortWriteCode);
    EXPECT_EQ(sortedEntries(out_), std::vector<std::string>{"zold(a.bin)030001.zol"});
    EXPECT_EQ(test::ReadBytes(out_ + "zold(a.bin)030001.zol"),
              test::ReadBytes(input).substr(0, 1500));
    EXPECT_EQ(test::OpenFileCount(), openBefore);
    EXPECT_TRUE(host_.progressVisible);
}

// The simulated floppy drive: each new-disk prompt takes the disk out onto a shelf.
class FloppySplitTest : public SplitterTest {
protected:
    void SetUp() override {
        SplitterTest::SetUp();
        disk_ = dir_ / "disk/";
        mkdir(disk_.c_str(), 0755);
        host_.drive.removableRoot = disk_;
        host_.output = disk_;
        host_.state.PieceSize = 1000;
        host_.answer = [this](const test::ShownBox& box) {
            if (box.text == NewDiskPrompt) {
                test::MoveFilesTo(disk_, shelf(++disksTaken_));
            }
            return mb::IdOk;
        };
    }
    std::string shelf(int n) { return dir_ / ("shelf" + std::to_string(n) + "/"); }

    std::string disk_;
    int disksTaken_ = 0;
};

TEST_F(FloppySplitTest, OnePiecePerDiskWithOffersAndPrompts) {
    test::WriteBytes(disk_ + "old.txt", "x");
    const std::string input = makeInput("a.bin", 2500);
    host_.list = {input};
    SplitFiles(host_);
    EXPECT_EQ(host_.countBoxes(FormatOffer), 1);
    EXPECT_EQ(host_.formatted, std::vector<std::string>{disk_});
    EXPECT_EQ(host_.countBoxes(NewDiskPrompt), 2);
    EXPECT_EQ(sortedEntries(shelf(1)), std::vector<std::string>{"zold(a.bin)030001.zol"});
    EXPECT_EQ(sortedEntries(shelf(2)), std::vector<std::string>{"zold(a.bin)030002.zol"});
    EXPECT_EQ(sortedEntries(disk_), std::vector<std::string>{"zold(a.bin)030003.zol"});
    for (const auto& box : host_.boxes) {
        EXPECT_EQ(box.caption, MsgCaption);
        if (box.text == NewDiskPrompt) {
            EXPECT_EQ(box.flags, mb::Ok);
        }
    }
    ASSERT_EQ(host_.boxes.size(), 3u);
    EXPECT_EQ(host_.boxes.back().text, NewDiskPrompt) << "no prompt after the last piece";
}

TEST_F(FloppySplitTest, NextInputGoesOntoTheDiskInTheDrive) {
    host_.list = {makeInput("a.bin", 2000, 1), makeInput("b.txt", 10, 2)};
    host_.answer = [this](const test::ShownBox& box) {
        if (box.text == NewDiskPrompt) {
            test::MoveFilesTo(disk_, shelf(++disksTaken_));
        }
        return box.text == FormatOffer ? mb::IdCancel : mb::IdOk;
    };
    SplitFiles(host_);
    EXPECT_EQ(host_.countBoxes(NewDiskPrompt), 1);
    EXPECT_EQ(host_.countBoxes(FormatOffer), 1) << "piece 2 is on the disk when b.txt comes";
    const std::vector<std::string> expected = {"b.txt", "zold(a.bin)020002.zol"};
    EXPECT_EQ(sortedEntries(disk_), expected);
}

// A disk not mounted after the change leaves the output on the fixed disk: nothing is written
// there; the user is asked until the disk is back, or gives up.
TEST_F(FloppySplitTest, OutputOffTheDiskAfterTheChangeIsAskedForAgain) {
    const std::string missing = "分割先のＦＤが見つかりません。\n" + disk_ +
                                "\nＦＤを入れて（マウントして）から OK を押してください。";
    for (const bool giveUp : {false, true}) {
        SCOPED_TRACE(giveUp ? "cancelled" : "mounted on the second try");
        test::RemoveFiles(disk_);
        FakeHost host;
        host.state.PieceSize = 1000;
        host.drive.removableRoot = disk_;
        host.output = disk_;
        host.list = {makeInput("a.bin", 2500)};
        int asked = 0;
        host.answer = [&](const test::ShownBox& box) {
            if (box.text == NewDiskPrompt) {
                test::RemoveFiles(disk_);
                host.drive.removableRoot.clear(); // taken out, the new one not yet mounted
            } else if (box.text == missing && ++asked % 2 == 0) {
                if (giveUp) {
                    return mb::IdCancel;
                }
                host.drive.removableRoot = disk_;
            }
            return mb::IdOk;
        };
        SplitFiles(host);
        EXPECT_EQ(asked, giveUp ? 2 : 4);
        EXPECT_EQ(host.countBoxes(NewDiskPrompt), giveUp ? 1 : 2);
        for (const auto& box : host.boxes) {
            if (box.text == missing) {
                EXPECT_EQ(box.flags, mb::OkCancel | mb::IconError);
            }
        }
        const std::vector<std::string> left =
            giveUp ? std::vector<std::string>{} : std::vector<std::string>{"zold(a.bin)030003.zol"};
        EXPECT_EQ(sortedEntries(disk_), left);
    }
}

// The disk holds an input of the run, so it is not empty, but formatting it would erase that
// input: no offer, the pieces go beside it.
TEST_F(FloppySplitTest, DiskHoldingAnInputIsNotOfferedForFormatting) {
    for (const bool inHand : {true, false}) {
        SCOPED_TRACE(inHand ? "the input in hand" : "another input of the run");
        test::RemoveFiles(disk_);
        const std::string onDisk = disk_ + (inHand ? "a.bin" : "b.bin");
        test::WriteBytes(onDisk, std::string(inHand ? 2500 : 10, 'x'));
        const std::string elsewhere = makeInput(inHand ? "b.bin" : "a.bin", 2500);
        host_.list =
            inHand ? std::vector<std::string>{onDisk} : std::vector<std::string>{elsewhere, onDisk};
        host_.boxes.clear();
        host_.formatted.clear();
        host_.answer = [](const test::ShownBox&) { return mb::IdOk; }; // the same disk stays in
        SplitFiles(host_);
        EXPECT_EQ(host_.countBoxes(FormatOffer), 0);
        EXPECT_TRUE(host_.formatted.empty());
        EXPECT_TRUE(test::Exists(onDisk));
        EXPECT_TRUE(test::Exists(disk_ + "zold(a.bin)030003.zol"));
    }
}

TEST_F(FloppySplitTest, CancelBringsNoFurtherPrompt) {
    host_.list = {makeInput("a.bin", 3000)};
    host_.onEvents = [&] { host_.state.CancelFlag = 1; };
    SplitFiles(host_);
    EXPECT_EQ(host_.countBoxes(NewDiskPrompt), 0);
    EXPECT_EQ(sortedEntries(disk_), std::vector<std::string>{"zold(a.bin)030001.zol"});
}

// Each output on the disk is written through before the user may take the disk out. A target
// that refuses it (a FIFO at the piece's name) shows the write-back error of a bad floppy:
// the run ends with it and no prompt for the next disk follows. A fixed disk is not flushed.
TEST_F(FloppySplitTest, WriteBackErrorOnTheDiskEndsTheRunBeforeThePrompt) {
    const struct {
        const char* what;
        std::size_t inputSize;
        const char* target;
        bool onDisk;
    } cases[] = {
        {"piece on the disk", 2500, "zold(a.bin)030001.zol", true},
        {"plain copy on the disk", 10, "a.bin", true},
        {"piece on a fixed disk", 2500, "zold(a.bin)030001.zol", false},
    };
    for (const auto& c : cases) {
        test::RemoveFiles(disk_);
        test::RemoveFiles(out_);
        const std::string folder = c.onDisk ? disk_ : out_;
        const std::string fifo = folder + c.target;
        mkfifo(fifo.c_str(), 0644);
        const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        FakeHost host;
        host.state.PieceSize = 1000;
        host.drive.removableRoot = disk_;
        host.output = folder;
        host.list = {makeInput("a.bin", c.inputSize)};
        // Formatting would remove the FIFO: the disk is taken as it is.
        host.answer = [](const test::ShownBox& box) {
            return box.text == FormatOffer ? mb::IdCancel : mb::IdOk;
        };
        int code = 0;
        try {
            SplitFiles(host);
        } catch (const FileError& error) {
            code = error.code();
        }
        close(reader);
        EXPECT_EQ(code, c.onDisk ? SystemErrorBase + EINVAL : 0) << c.what;
        EXPECT_EQ(host.countBoxes(NewDiskPrompt), 0) << c.what;
        if (!c.onDisk) {
            EXPECT_EQ(test::ReadBytes(out_ + "zold(a.bin)030003.zol").size(), 500u);
        }
    }
}

} // namespace
} // namespace zol
