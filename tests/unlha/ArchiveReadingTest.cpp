// The archive is read, not mapped: one that shrinks while it is open (a disk taken out, say)
// gives read errors instead of killing the program, and long headers are read whole.
#include "ArchiveSupport.h"
#include "archive_reader.h"
#include "commands.h"
#include "crc16.h"
#include "member_data.h"
#include "unlha32.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace unlha_test;

namespace {

void Put(Bytes& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A stored member with a level-1 header followed by two unknown extended headers of 40000
// bytes each, so the header is longer than a first read of 64 KiB.
Bytes LongLevel1Member(const std::string& name, const Bytes& data) {
    constexpr std::size_t kExtension = 40000;
    Bytes h;
    const std::string method = "-lh0-";
    h.insert(h.end(), method.begin(), method.end());
    Put(h, 2 * kExtension + data.size(), 4); // level 1 counts its extensions in
    Put(h, data.size(), 4);
    Put(h, 0x5A210000, 4); // 2025-01-01
    h.push_back(0x20);
    h.push_back(1);
    h.push_back(static_cast<std::uint8_t>(name.size()));
    h.insert(h.end(), name.begin(), name.end());
    Put(h, unlha::Crc16(data.data(), data.size()), 2);
    h.push_back('U');
    Put(h, kExtension, 2);
    unsigned sum = 0;
    for (const auto b : h) {
        sum += b;
    }
    Bytes member(2 + h.size());
    member[0] = static_cast<std::uint8_t>(h.size());
    member[1] = static_cast<std::uint8_t>(sum);
    std::copy(h.begin(), h.end(), member.begin() + 2);
    for (int k = 0; k < 2; ++k) {
        member.push_back(0x7F);
        member.insert(member.end(), kExtension - 3, static_cast<std::uint8_t>('a' + k));
        Put(member, k == 0 ? kExtension : 0, 2);
    }
    member.insert(member.end(), data.begin(), data.end());
    return member;
}

} // namespace

TEST(ArchiveReading, AnArchiveThatShrinksWhileOpenGivesReadErrors) {
    ScratchDir dir;
    MakeDirs(dir / "in");
    WriteFile(dir / "in/a.txt", RepetitiveText(300000));
    WriteFile(dir / "in/b.bin", RandomBytes(100000, 41));
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + dir.Path() + "/in/ a.txt b.bin").result, 0);
    const std::string path = dir / "arc.lzh";
    unlha::ArchiveReader archive;
    ASSERT_EQ(archive.Open(path), unlha::OpenStatus::Ok);
    ASSERT_EQ(archive.Members().size(), 2u);
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(archive.Members()[0].dataOffset + 10)), 0);

    const unlha::Sink ignore = [](const std::uint8_t*, std::size_t) { return true; };
    for (const auto& m : archive.Members()) {
        EXPECT_EQ(unlha::DecodeMember(archive, m, ignore), unlha::MemberOutcome::ReadFailed)
            << m.header.path;
    }
    unlha::ArchiveWriter writer;
    ASSERT_EQ(writer.Begin(dir / "copy.lzh"), 0);
    unlha::Report report;
    EXPECT_FALSE(unlha::CopyMember(archive, archive.Members()[1], writer, path, report));
    EXPECT_EQ(report.Result(), UNLHA_ERROR_ARC_FILE_OPEN);

    // Reopened, the cut shows as a damaged archive.
    const auto test = RunUnlha("t " + path);
    EXPECT_EQ(test.result, UNLHA_ERROR_HEADER_BROKEN) << test.output;
}

TEST(ArchiveReading, HeadersLongerThanTheFirstReadAreReadWhole) {
    ScratchDir dir;
    const Bytes data = RandomBytes(5000, 42);
    WriteFile(dir / "long.lzh",
              Archive({LongLevel1Member("first.bin", data), Level2Member("second.txt", data)}));
    unlha::ArchiveReader archive;
    ASSERT_EQ(archive.Open(dir / "long.lzh"), unlha::OpenStatus::Ok) << archive.Problem();
    ASSERT_EQ(archive.Members().size(), 2u);
    EXPECT_EQ(archive.Members()[0].header.path, "first.bin");
    EXPECT_EQ(archive.Members()[0].header.compressedSize, data.size());
    EXPECT_EQ(archive.Members()[1].header.path, "second.txt");

    const auto extract = RunUnlha("e -m1 " + (dir / "long.lzh") + " " + (dir / "out/"));
    ASSERT_EQ(extract.result, 0) << extract.output;
    EXPECT_TRUE(ReadFile(dir / "out/first.bin") == data);
    EXPECT_TRUE(ReadFile(dir / "out/second.txt") == data);
}

// The second header starts 10 bytes before the end of the first read, so it is read again.
TEST(ArchiveReading, AHeaderAcrossTheEndOfAReadIsReadAgain) {
    ScratchDir dir;
    const std::size_t firstHeader = Level2Member("first.bin", {}).size();
    const Bytes data = RandomBytes((std::size_t{1} << 16) - 10 - firstHeader, 43);
    const Bytes first = Level2Member("first.bin", data);
    ASSERT_EQ(first.size(), (std::size_t{1} << 16) - 10);
    WriteFile(dir / "across.lzh", Archive({first, Level2Member("second.txt", data)}));
    unlha::ArchiveReader archive;
    ASSERT_EQ(archive.Open(dir / "across.lzh"), unlha::OpenStatus::Ok) << archive.Problem();
    ASSERT_EQ(archive.Members().size(), 2u);
    EXPECT_EQ(archive.Members()[1].header.path, "second.txt");
    EXPECT_EQ(archive.Members()[1].header.compressedSize, data.size());
}
