// A broken set is refused with a line naming what is wrong, and nothing is written.

#include "ZolRun.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace zol::test {
namespace {

class BrokenSet : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(dir / "r.txt", RandomBytes(450000, 11));
        ASSERT_EQ(RunZol({"split", "-s", "100K", "-o", "s", "r.txt"}, dir.path()).status, 0);
        WriteFile(dir / "o.txt", RandomBytes(450000, 12));
        ASSERT_EQ(RunZol({"split", "-s", "100K", "-o", "other", "o.txt"}, dir.path()).status, 0);
    }

    // Runs the join and checks the refusal: exit 1, each expected text on stderr, no output.
    void expectRefused(const std::vector<std::string>& args,
                       const std::vector<std::string>& expected) {
        const ZolResult join = RunZol(args, dir.path());
        EXPECT_EQ(join.status, 1);
        for (const auto& text : expected) {
            EXPECT_NE(join.err.find(text), std::string::npos) << "missing '" << text << "' in\n"
                                                              << join.err;
        }
        EXPECT_EQ(ListFolder(dir.path()),
                  (std::vector<std::string>{"o.txt", "other", "r.txt", "s"}));
    }

    std::string piece(int k) const {
        return "s/zold(r.txt)0500" + std::string(k < 10 ? "0" : "") + std::to_string(k) + ".zol";
    }

    ScratchDir dir;
};

TEST_F(BrokenSet, MissingPieceFoundBesideTheOneGiven) {
    ASSERT_EQ(unlink((dir / piece(3)).c_str()), 0);
    expectRefused({"join", "-o", "x", piece(1)}, {piece(3) + ": missing", "nothing was written"});
}

TEST_F(BrokenSet, MissingPieceAmongThoseGiven) {
    expectRefused({"join", "-o", "x", piece(1), piece(2), piece(4), piece(5)},
                  {piece(3) + ": missing"});
}

TEST_F(BrokenSet, ForeignPiece) {
    expectRefused(
        {"join", "-o", "x", piece(1), piece(2), piece(3), "other/zold(o.txt)050004.zol", piece(5)},
        {"other/zold(o.txt)050004.zol: belongs to another set", piece(4) + ": missing"});
}

TEST_F(BrokenSet, DuplicatePiece) {
    expectRefused({"join", "-o", "x", piece(1), piece(2), piece(2), piece(3), piece(4), piece(5)},
                  {"piece 02 given twice"});
}

TEST_F(BrokenSet, ShortMiddlePiece) {
    ASSERT_EQ(truncate((dir / piece(2)).c_str(), 1000), 0);
    expectRefused({"join", "-o", "x", piece(4)}, {piece(2) + ": short piece: 1000 bytes"});
}

TEST_F(BrokenSet, LastPieceLongerThanTheOthers) {
    WriteFile(dir / piece(5), RandomBytes(200000, 13));
    expectRefused({"join", "-o", "x", piece(5)}, {piece(5) + ": last piece of 200000 bytes"});
}

TEST_F(BrokenSet, FileThatIsNoPiece) {
    expectRefused({"join", "-o", "x", "r.txt"}, {"r.txt: not a piece"});
}

TEST_F(BrokenSet, CountFieldBeyondTheSet) {
    ASSERT_EQ(rename((dir / piece(5)).c_str(), (dir / "s/zold(r.txt)050006.zol").c_str()), 0);
    expectRefused({"join", "-o", "x", piece(1)},
                  {"piece number 06 is outside", piece(5) + ": missing"});
}

} // namespace
} // namespace zol::test
