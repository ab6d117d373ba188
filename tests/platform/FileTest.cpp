#include "platform/File.h"

#include "TestFiles.h"
#include "platform/FileError.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace zol {
namespace {

using test::ScratchDir;

int codeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.code();
    }
    return 0;
}

TEST(File, CopiesWhatItReads) {
    ScratchDir dir;
    const std::string bytes = test::PatternBytes(5000);
    test::WriteBytes(dir / "in", bytes);
    File in = File::openRead(dir / "in");
    File out = File::create(dir / "out");
    std::string buffer(5000, '\0');
    in.read(buffer.data(), buffer.size());
    out.write(buffer.data(), buffer.size());
    out.close();
    EXPECT_EQ(test::ReadBytes(dir / "out"), bytes);
}

TEST(File, CopyFromCopiesInsideTheSystemOrLeavesTheRestToTheCaller) {
    ScratchDir dir;
    const std::string bytes = test::PatternBytes(5000);
    test::WriteBytes(dir / "in", bytes);
    {
        File in = File::openRead(dir / "in");
        File out = File::create(dir / "out");
        EXPECT_EQ(out.copyFrom(in, 3000), 3000u);
        EXPECT_EQ(out.copyFrom(in, 3000), 2000u) << "the input ends";
        out.close();
    }
    EXPECT_EQ(test::ReadBytes(dir / "out"), bytes);
    File in = File::openRead(dir / "in");
    EXPECT_EQ(File::create("/dev/null").copyFrom(in, 3000), 0u) << "no copy into a device";
}

TEST(File, FailuresCarryTheProgramsCodes) {
    ScratchDir dir;
    test::WriteBytes(dir / "short", "abc");
    char buffer[8];
    EXPECT_EQ(codeOf([&] { File::openRead(dir / "missing"); }), 2);
    EXPECT_EQ(codeOf([&] { File::create(dir / "no/such/folder"); }), 2);
    EXPECT_EQ(codeOf([&] { File::openRead(dir / "short/x"); }), 3);
    EXPECT_EQ(codeOf([&] { File::openRead(dir / "short").read(buffer, 8); }), ShortReadCode);
    EXPECT_EQ(codeOf([&] { File::create("/dev/full").write(buffer, 8); }), ShortWriteCode);
    EXPECT_EQ(codeOf([&] { File::create(dir.path()); }), SystemErrorBase + EISDIR);
}

FileSide sideOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.side();
    }
    ADD_FAILURE() << "no error";
    return FileSide::Either;
}

// A split or join names the file that failed: the one read or the one written.
TEST(File, FailuresSayWhichSideFailed) {
    ScratchDir dir;
    test::WriteBytes(dir / "short", "abc");
    mkfifo((dir / "fifo").c_str(), 0644);
    char buffer[8];
    EXPECT_EQ(sideOf([&] { File::openRead(dir / "missing"); }), FileSide::Input);
    EXPECT_EQ(sideOf([&] { File::openRead(dir.path()); }), FileSide::Input);
    EXPECT_EQ(sideOf([&] { File::openRead(dir / "short").read(buffer, 8); }), FileSide::Input);
    EXPECT_EQ(sideOf([&] { File::create(dir / "no/such/folder"); }), FileSide::Output);
    EXPECT_EQ(sideOf([&] { File::create(dir / "fifo"); }), FileSide::Output);
    EXPECT_EQ(sideOf([&] { File::create("/dev/full").write(buffer, 8); }), FileSide::Output);
    EXPECT_EQ(sideOf([&] { File::create("/dev/null").sync(); }), FileSide::Output);
    File moved = File::create("/dev/full");
    File target = std::move(moved);
    EXPECT_EQ(sideOf([&] { target.write(buffer, 8); }), FileSide::Output) << "kept when moved";
}

// None of these may wait in open(): a FIFO without a writer would freeze the window.
TEST(File, OnlyARegularFileIsOpenedForReading) {
    ScratchDir dir;
    mkdir((dir / "folder").c_str(), 0755);
    mkfifo((dir / "fifo").c_str(), 0644);
    const std::string paths[] = {dir / "folder", dir / "fifo", "/dev/zero"};
    const int before = test::OpenFileCount();
    for (const auto& path : paths) {
        EXPECT_EQ(codeOf([&] { File::openRead(path); }), 5) << path;
    }
    EXPECT_EQ(test::OpenFileCount(), before);
}

TEST(File, CreatingAFifoWithoutAReaderFailsInsteadOfWaiting) {
    ScratchDir dir;
    mkfifo((dir / "fifo").c_str(), 0644);
    EXPECT_EQ(codeOf([&] { File::create(dir / "fifo"); }), SystemErrorBase + ENXIO);
}

TEST(File, SyncKeepsTheDataAndReportsWhatRefusesIt) {
    ScratchDir dir;
    const std::string bytes = test::PatternBytes(5000);
    File out = File::create(dir / "out");
    out.write(bytes.data(), bytes.size());
    EXPECT_EQ(codeOf([&] { out.sync(); }), 0);
    out.close();
    EXPECT_EQ(test::ReadBytes(dir / "out"), bytes);

    mkfifo((dir / "fifo").c_str(), 0644);
    const int reader = open((dir / "fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    File fifo = File::create(dir / "fifo");
    File device = File::create("/dev/null");
    EXPECT_EQ(codeOf([&] { fifo.sync(); }), SystemErrorBase + EINVAL);
    EXPECT_EQ(codeOf([&] { device.sync(); }), SystemErrorBase + EINVAL);
    close(reader);
}

// A disk that takes only part of a block: the file-size limit stores what fits and then
// refuses (EFBIG), as a nearly full floppy does.
TEST(File, WriteStoringOnlyPartOfABlockIsAShortWrite) {
    ScratchDir dir;
    const std::string bytes = test::PatternBytes(3000);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto* const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    int code = 0;
    {
        File out = File::create(dir / "out");
        code = codeOf([&] { out.write(bytes.data(), bytes.size()); });
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(code, ShortWriteCode);
    EXPECT_EQ(test::ReadBytes(dir / "out"), bytes.substr(0, 1000));
}

TEST(File, DestructionClosesTheFile) {
    ScratchDir dir;
    test::WriteBytes(dir / "in", "abc");
    const int before = test::OpenFileCount();
    {
        File in = File::openRead(dir / "in");
        EXPECT_EQ(test::OpenFileCount(), before + 1);
        File moved = std::move(in);
        EXPECT_EQ(test::OpenFileCount(), before + 1);
    }
    EXPECT_EQ(test::OpenFileCount(), before);
}

} // namespace
} // namespace zol
