// Damaged and hostile archives give an error result: never a crash, a hang or a loop.
#include "ArchiveSupport.h"
#include "archive_reader.h"
#include "member_header.h"
#include "unlha32.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace unlha_test;

namespace {

Bytes SampleArchive(ScratchDir& dir) {
    MakeDirs(dir / "src/sub");
    WriteFile(dir / "src/a.txt", RepetitiveText(6000));
    WriteFile(dir / "src/sub/b.bin", RandomBytes(500, 5));
    EXPECT_EQ(RunUnlha("a -d1 " + (dir / "sample") + " " + (dir / "src/") + " *.*").result, 0);
    return ReadFile(dir / "sample.lzh");
}

// Lists, tests and extracts an image; the result of the extraction.
int Exercise(ScratchDir& dir, const Bytes& image) {
    WriteFile(dir / "probe.lzh", image);
    HARC arc = UnlhaOpenArchive(0, (dir / "probe.lzh").c_str(), 1);
    if (arc != 0) {
        INDIVIDUALINFO info{};
        int guard = 0;
        for (int r = UnlhaFindFirst(arc, "*.*", &info); r == 0 && guard < 100;
             r = UnlhaFindNext(arc, &info)) {
            ++guard;
        }
        EXPECT_LT(guard, 100);
        UnlhaCloseArchive(arc);
    }
    RunUnlha("t " + (dir / "probe.lzh"));
    UnlhaCheckArchive((dir / "probe.lzh").c_str(), 1);
    return RunUnlha("x -m1 " + (dir / "probe.lzh") + " " + (dir / "probe-out/")).result;
}

} // namespace

TEST(HostileArchive, EveryTruncationFailsCleanly) {
    ScratchDir dir;
    const Bytes image = SampleArchive(dir);
    ASSERT_GT(image.size(), 100u);
    std::vector<unlha::Member> members;
    std::string problem;
    ASSERT_EQ(unlha::ScanMembers(image.data(), image.size(), members, problem),
              unlha::OpenStatus::Ok);
    for (std::size_t length = 1; length + 1 < image.size(); length += 7) {
        // A cut between members reads as an archive without its end mark, as some tools write.
        if (std::any_of(members.begin(), members.end(),
                        [&](const unlha::Member& m) { return m.StoredEnd() == length; })) {
            continue;
        }
        const Bytes cut(image.begin(), image.begin() + length);
        EXPECT_NE(Exercise(dir, cut), 0) << "cut at " << length;
    }
}

TEST(HostileArchive, EveryFlippedByteIsCaughtOrHarmless) {
    ScratchDir dir;
    const Bytes image = SampleArchive(dir);
    int caught = 0;
    for (std::size_t at = 0; at + 1 < image.size(); at += 5) {
        Bytes bad = image;
        bad[at] ^= 0x5A;
        caught += Exercise(dir, bad) != 0 ? 1 : 0;
    }
    // Times and attributes may change harmlessly; most changes must be caught.
    EXPECT_GT(caught, static_cast<int>(image.size() / 5) * 3 / 4);
}

TEST(HostileArchive, MemberClaimingTwoToTheSixtyBytesIsRefusedAtOnce) {
    ScratchDir dir;
    unlha::MemberHeader h;
    h.method = "-lh5-";
    h.path = "huge.bin";
    h.originalSize = 1ULL << 60;
    h.compressedSize = 16;
    Bytes member = unlha::BuildLevel2Header(h);
    member.resize(member.size() + 16, 0);
    const auto image = Archive({member});
    WriteFile(dir / "huge.lzh", image);
    EXPECT_EQ(RunUnlha("x -m1 " + (dir / "huge.lzh") + " " + (dir / "out/")).result,
              UNLHA_ERROR_HEADER_BROKEN);
    EXPECT_EQ(RunUnlha("t " + (dir / "huge.lzh")).result, UNLHA_ERROR_HEADER_BROKEN);
    EXPECT_FALSE(Exists(dir / "out/huge.bin"));
}

TEST(HostileArchive, HeaderClaimingDataPastTheEndIsBroken) {
    ScratchDir dir;
    unlha::MemberHeader h;
    h.method = "-lh0-";
    h.path = "x";
    h.originalSize = h.compressedSize = 0xFFFFFFF0u;
    Bytes member = unlha::BuildLevel2Header(h);
    member.insert(member.end(), {1, 2, 3});
    WriteFile(dir / "past.lzh", member);
    EXPECT_EQ(RunUnlha("l " + (dir / "past.lzh")).result, UNLHA_ERROR_HEADER_BROKEN);
    EXPECT_EQ(UnlhaGetFileCount((dir / "past.lzh").c_str()), -1);
    EXPECT_EQ(UnlhaCheckArchive((dir / "past.lzh").c_str(), 0), 0);
}

TEST(HostileArchive, HugeNameLengthInLevel2IsBounded) {
    // A name extension claiming 65000 bytes in a header of 60.
    Bytes member = Level2Member("n", {});
    member[29] = 0xE8; // size of the extension after the header CRC: the name's
    member[30] = 0xFD;
    ScratchDir dir;
    EXPECT_NE(Exercise(dir, Archive({member})), 0);
}

TEST(HostileArchive, BadHeaderCrcIsReported) {
    ScratchDir dir;
    Bytes member = Level2Member("name.txt", {'d'});
    member[33] ^= 0x01; // a letter of the name
    Bytes image = Archive({Level2Member("first.txt", {'f'}), member});
    WriteFile(dir / "crc.lzh", image);
    const auto r = RunUnlha("x -m1 " + (dir / "crc.lzh") + " " + (dir / "out/"));
    EXPECT_EQ(r.result, UNLHA_ERROR_HEADER_CRC) << r.output;
    EXPECT_EQ(ReadFile(dir / "out/first.txt"), Bytes{'f'});
}

TEST(HostileArchive, DamagedCompressedDataIsReported) {
    ScratchDir dir;
    WriteFile(dir / "t.txt", RepetitiveText(50000));
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "t.txt")).result, 0);
    Bytes image = ReadFile(dir / "arc.lzh");
    for (std::size_t i = image.size() / 2; i < image.size() / 2 + 40; ++i) {
        image[i] ^= 0xA5;
    }
    WriteFile(dir / "arc.lzh", image);
    const auto r = RunUnlha("e -x1m1 " + (dir / "arc.lzh") + " " + (dir / "out/"));
    EXPECT_TRUE(r.result == UNLHA_ERROR_FILE_CRC || r.result == UNLHA_ERROR_HUFFMAN_CODE)
        << r.result << ": " << r.output;
    EXPECT_FALSE(Exists(dir / "out/t.txt"));
}
