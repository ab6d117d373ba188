// Members are compressed straight into the archive: a member that does not shrink is stored
// in the place of its attempt, a file is read as long as it was when opened, and a member over
// 4 GiB goes in and comes out whole.
#include "ArchiveSupport.h"
#include "archive_reader.h"
#include "archive_writer.h"
#include "crc16.h"
#include "file_source.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace unlha_test;

namespace {

// The member path, method and sizes of every member, read back by our reader.
struct Stored {
    std::string path;
    std::string method;
    std::uint64_t originalSize;
    std::uint64_t compressedSize;
    bool operator==(const Stored&) const = default;
};

std::vector<Stored> StoredMembers(const std::string& archive) {
    unlha::ArchiveReader reader;
    EXPECT_EQ(reader.Open(archive), unlha::OpenStatus::Ok) << reader.Problem();
    std::vector<Stored> out;
    for (const auto& m : reader.Members()) {
        out.push_back(
            {m.header.path, m.header.method, m.header.originalSize, m.header.compressedSize});
    }
    return out;
}

} // namespace

// The random member is long enough that compressed blocks of it were written to the archive
// before it turned out not to shrink; they must be gone, and the members around it intact.
TEST(MemberWriting, AStoredMemberReplacesItsFailedAttemptInPlace) {
    ScratchDir dir;
    MakeDirs(dir / "in");
    const Bytes text = RepetitiveText(200000);
    const Bytes noise = RandomBytes(300000, 21);
    WriteFile(dir / "in/a.txt", text);
    WriteFile(dir / "in/b.bin", noise);
    WriteFile(dir / "in/c.txt", text);
    const auto add =
        RunUnlha("a -o7 " + (dir / "arc") + " " + dir.Path() + "/in/ a.txt b.bin c.txt");
    ASSERT_EQ(add.result, 0) << add.output;

    const auto members = StoredMembers(dir / "arc.lzh");
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[1], (Stored{"b.bin", "-lh0-", noise.size(), noise.size()}));
    EXPECT_EQ(members[0].method, "-lh7-");
    EXPECT_EQ(members[2].method, "-lh7-");
    EXPECT_LT(members[2].compressedSize, text.size() / 10);

    ASSERT_EQ(RunUnlha("t " + (dir / "arc.lzh")).result, 0);
    const auto extract = RunUnlha("e -x1m1 " + (dir / "arc.lzh") + " " + (dir / "out/"));
    ASSERT_EQ(extract.result, 0) << extract.output;
    EXPECT_TRUE(ReadFile(dir / "out/a.txt") == text);
    EXPECT_TRUE(ReadFile(dir / "out/b.bin") == noise);
    EXPECT_TRUE(ReadFile(dir / "out/c.txt") == text);
}

// 64-bit sizes end to end: a sparse file over 4 GiB, with random marks on both sides of the
// 4 GiB boundary and at its end, is compressed and tested by its CRC; bsdtar reads its size.
TEST(MemberWriting, AMemberOver4GiBKeepsItsSizesAndItsBytes) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "4 GiB through the encoder takes minutes in the sanitizer build";
#endif
    constexpr std::int64_t GiB = std::int64_t{1} << 30;
    constexpr std::int64_t size = 4 * GiB + (1 << 20);
    ScratchDir dir;
    MakeDirs(dir / "in");
    const std::string input = dir / "in/huge.img";
    const int fd = open(input.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    const Bytes mark = RandomBytes(4096, 22);
    for (const std::int64_t at : {4 * GiB - 2048, size - 4096}) {
        ASSERT_EQ(pwrite(fd, mark.data(), mark.size(), at), static_cast<ssize_t>(mark.size()));
    }
    close(fd);

    const auto add = RunUnlha("a " + (dir / "arc") + " " + dir.Path() + "/in/ huge.img");
    ASSERT_EQ(add.result, 0) << add.output;
    const auto members = StoredMembers(dir / "arc.lzh");
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].method, "-lh5-");
    EXPECT_EQ(members[0].originalSize, static_cast<std::uint64_t>(size));
    EXPECT_LT(members[0].compressedSize, std::uint64_t{1} << 20);

    const auto test = RunUnlha("t " + (dir / "arc.lzh"));
    EXPECT_EQ(test.result, 0) << test.output;
    if (HaveTool("bsdtar")) {
        const ToolResult listing = RunTool("bsdtar -tvf " + Quote(dir / "arc.lzh"));
        EXPECT_EQ(listing.status, 0);
        EXPECT_NE(listing.output.find(" " + std::to_string(size) + " "), std::string::npos)
            << listing.output;
    }
}

// A file that grows while it is added is taken as long as it was when opened; one that
// shrinks is a read error, not a short member.
TEST(FileSource, ReadsTheLengthItWasOpenedWith) {
    ScratchDir dir;
    const std::string path = dir / "f";
    const Bytes data = RandomBytes(10000, 23);
    WriteFile(path, data);
    unlha::FileSource file;
    ASSERT_EQ(file.Open(path), 0);
    Bytes more = data;
    more.resize(10500, 'x');
    WriteFile(path, more);

    const auto readAll = [&] {
        Bytes got;
        std::uint8_t chunk[3000];
        for (std::int64_t n; (n = file.Read(chunk, sizeof chunk)) > 0;) {
            got.insert(got.end(), chunk, chunk + n);
        }
        return got;
    };
    EXPECT_TRUE(readAll() == data);
    EXPECT_EQ(file.Crc(), unlha::Crc16(data.data(), data.size()));
    ASSERT_TRUE(file.Rewind());
    EXPECT_TRUE(readAll() == data);
    EXPECT_EQ(file.Crc(), unlha::Crc16(data.data(), data.size()));
    EXPECT_TRUE(file.Problem().empty());

    ASSERT_TRUE(file.Rewind());
    ASSERT_EQ(truncate(path.c_str(), 4000), 0);
    EXPECT_EQ(readAll().size(), 4000u);
    std::uint8_t byte;
    EXPECT_EQ(file.Read(&byte, 1), -1);
    EXPECT_EQ(file.Problem(), "it became shorter while it was read");
}

TEST(FileSource, RefusesWhatIsNotARegularFile) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    unlha::FileSource fifo;
    EXPECT_EQ(fifo.Open(dir / "fifo"), EINVAL);
    unlha::FileSource folder;
    EXPECT_EQ(folder.Open(dir.Path()), EINVAL);
    unlha::FileSource missing;
    EXPECT_EQ(missing.Open(dir / "none"), ENOENT);
}

TEST(ArchiveWriter, RewritesAndCutsOnlyWhatWasWritten) {
    ScratchDir dir;
    unlha::ArchiveWriter writer;
    ASSERT_EQ(writer.Begin(dir / "a.lzh"), 0);
    const auto bytes = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    ASSERT_TRUE(writer.Write(bytes("header data, attempt")));
    ASSERT_TRUE(writer.Rewrite(0, bytes("HEADER")));
    ASSERT_TRUE(writer.Cut(11));
    EXPECT_EQ(writer.Size(), 11u);
    ASSERT_TRUE(writer.Write(bytes(" stored")));
    EXPECT_FALSE(writer.Rewrite(15, bytes("past the end")));
    EXPECT_FALSE(writer.Cut(100));
    ASSERT_EQ(writer.Finish(), 0);
    Bytes expected = bytes("HEADER data stored");
    expected.push_back(0); // the end mark
    EXPECT_EQ(ReadFile(dir / "a.lzh"), expected);
}
