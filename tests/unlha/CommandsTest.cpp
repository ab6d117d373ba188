// The commands of Unlha end to end: what goes in comes out, and what the program relies on.
#include "ArchiveSupport.h"
#include "archive_reader.h"
#include "unlha32.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace unlha_test;

namespace {

struct ContentCase {
    const char* name;
    Bytes data;
};

std::vector<ContentCase> Contents() {
    return {{"empty", {}},
            {"tiny", {'x'}},
            {"incompressible", RandomBytes(70000, 7)},
            {"repetitive", RepetitiveText(300000)},
            {"mixed", [] {
                 Bytes b = RepetitiveText(100000);
                 Bytes r = RandomBytes(50000, 9);
                 b.insert(b.end(), r.begin(), r.end());
                 return b;
             }()}};
}

// The method text of the first member named name, from the listing calls.
std::string MethodOf(const std::string& archive, const std::string& name) {
    HARC arc = UnlhaOpenArchive(0, archive.c_str(), 1);
    INDIVIDUALINFO info{};
    std::string method;
    for (int r = UnlhaFindFirst(arc, name.c_str(), &info); r == 0; r = UnlhaFindNext(arc, &info)) {
        method = info.szMode;
        break;
    }
    UnlhaCloseArchive(arc);
    return method;
}

} // namespace

class MethodRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(MethodRoundTrip, EveryContentComesBackByteForByte) {
    ScratchDir dir;
    MakeDirs(dir / "in");
    for (const auto& c : Contents()) {
        WriteFile(dir / ("in/" + std::string(c.name)), c.data);
    }
    const std::string sw = GetParam();
    const auto add = RunUnlha("a " + sw + " " + (dir / "arc") + " " + dir.Path() + "/in/ *.*");
    ASSERT_EQ(add.result, 0) << add.output;
    const auto extract = RunUnlha("e -x1m1 " + (dir / "arc.lzh") + " " + (dir / "out/"));
    ASSERT_EQ(extract.result, 0) << extract.output;
    for (const auto& c : Contents()) {
        EXPECT_EQ(ReadFile(dir / ("out/" + std::string(c.name))), c.data) << c.name;
    }
    const std::string expected = sw == "-z"    ? "-lh0-"
                                 : sw == "-o6" ? "-lh6-"
                                 : sw == "-o7" ? "-lh7-"
                                               : "-lh5-";
    EXPECT_EQ(MethodOf(dir / "arc.lzh", "repetitive"), expected);
    EXPECT_EQ(MethodOf(dir / "arc.lzh", "incompressible"), "-lh0-");
    EXPECT_EQ(MethodOf(dir / "arc.lzh", "empty"), "-lh0-");
    const auto test = RunUnlha("t " + (dir / "arc.lzh"));
    EXPECT_EQ(test.result, 0) << test.output;
}

INSTANTIATE_TEST_SUITE_P(Switches, MethodRoundTrip,
                         ::testing::Values("", "-o5", "-o6", "-o7", "-z"));

TEST(AddCommand, FolderFormAddsTheTreeRelativeToTheBase) {
    ScratchDir dir;
    MakeDirs(dir / "src/sub/deeper");
    MakeDirs(dir / "src/empty");
    WriteText(dir / "src/top.txt", "top");
    WriteText(dir / "src/sub/mid.txt", "mid");
    WriteText(dir / "src/sub/deeper/low.txt", "low");
    const auto add = RunUnlha("a -d1 \"" + (dir / "my set") + "\" " + (dir / "src/") + " *.*");
    ASSERT_EQ(add.result, 0) << add.output;
    ASSERT_TRUE(Exists(dir / "my set.lzh"));
    const auto extract =
        RunUnlha("e -x1m1 \"" + (dir / "my set.lzh") + "\" \"" + (dir / "out dir/") + "\"");
    ASSERT_EQ(extract.result, 0) << extract.output;
    EXPECT_EQ(TreeListing(dir / "out dir"), TreeListing(dir / "src"));
    EXPECT_EQ(ReadFile(dir / "out dir/sub/deeper/low.txt"), (Bytes{'l', 'o', 'w'}));
}

TEST(AddCommand, FileFormStoresTheFileNameOnly) {
    ScratchDir dir;
    MakeDirs(dir / "in");
    WriteText(dir / "in/a.txt", "alpha");
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "in/a.txt")).result, 0);
    EXPECT_EQ(MethodOf(dir / "arc.lzh", "a.txt"), "-lh0-");
    HARC arc = UnlhaOpenArchive(0, (dir / "arc.lzh").c_str(), 1);
    INDIVIDUALINFO info{};
    ASSERT_EQ(UnlhaFindFirst(arc, "*.*", &info), 0);
    EXPECT_STREQ(info.szFileName, "a.txt");
    UnlhaCloseArchive(arc);
}

TEST(AddCommand, AddingToAnExistingArchiveKeepsOtherMembersBytes) {
    ScratchDir dir;
    MakeDirs(dir / "in");
    WriteFile(dir / "in/a.txt", RepetitiveText(5000));
    WriteFile(dir / "in/b.txt", RepetitiveText(7000));
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "in/a.txt")).result, 0);
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "in/b.txt")).result, 0);
    const Bytes before = ReadFile(dir / "arc.lzh");
    // The archive is the first member's bytes, the second's and the end mark.
    WriteText(dir / "in/c.txt", "third");
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "in/c.txt")).result, 0);
    const Bytes after = ReadFile(dir / "arc.lzh");
    ASSERT_GT(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin(), before.end() - 1, after.begin()));
    EXPECT_EQ(UnlhaGetFileCount((dir / "arc.lzh").c_str()), 3);
}

TEST(AddCommand, SameNameReplacesInPlaceAndOthersStayIdentical) {
    ScratchDir dir;
    MakeDirs(dir / "in");
    WriteFile(dir / "in/a.txt", RepetitiveText(5000));
    WriteFile(dir / "in/b.txt", RandomBytes(3000, 1));
    WriteFile(dir / "in/c.txt", RepetitiveText(9000));
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + dir.Path() + "/in/ a.txt b.txt c.txt").result,
              0);
    const Bytes before = ReadFile(dir / "arc.lzh");
    WriteText(dir / "in/b.txt", "replaced");
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "in/b.txt")).result, 0);
    const Bytes after = ReadFile(dir / "arc.lzh");
    // a.txt's and c.txt's stored bytes (header and data) are the same in both images.
    std::vector<unlha::Member> was;
    std::vector<unlha::Member> now;
    std::string problem;
    ASSERT_EQ(unlha::ScanMembers(before.data(), before.size(), was, problem),
              unlha::OpenStatus::Ok);
    ASSERT_EQ(unlha::ScanMembers(after.data(), after.size(), now, problem), unlha::OpenStatus::Ok);
    ASSERT_EQ(now.size(), 3u);
    const auto stored = [](const Bytes& image, const unlha::Member& m) {
        return Bytes(image.begin() + m.headerOffset, image.begin() + m.StoredEnd());
    };
    EXPECT_EQ(stored(after, now[0]), stored(before, was[0]));
    EXPECT_EQ(stored(after, now[2]), stored(before, was[2]));
    EXPECT_NE(stored(after, now[1]), stored(before, was[1]));
    EXPECT_EQ(now[1].header.path, "b.txt");
    ASSERT_EQ(RunUnlha("e -m1 " + (dir / "arc.lzh") + " " + (dir / "out/") + " b.txt").result, 0);
    EXPECT_EQ(ReadFile(dir / "out/b.txt"), (Bytes{'r', 'e', 'p', 'l', 'a', 'c', 'e', 'd'}));
}

TEST(AddCommand, FailedAddLeavesTheArchiveAsItWas) {
    ScratchDir dir;
    WriteText(dir / "a.txt", "alpha");
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "a.txt")).result, 0);
    const Bytes before = ReadFile(dir / "arc.lzh");
    const auto missing =
        RunUnlha("a " + (dir / "arc") + " " + (dir / "a.txt") + " " + (dir / "nope.txt"));
    EXPECT_EQ(missing.result, UNLHA_ERROR_NOT_FIND_FILE);
    EXPECT_NE(missing.output.find("nope.txt"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / "arc.lzh"), before);
    EXPECT_EQ(TreeListing(dir.Path()), (std::vector<std::string>{"a.txt", "arc.lzh"}));
}

TEST(AddCommand, WriteFailureLeavesTheArchiveAndNoTemporaryFile) {
    ScratchDir dir;
    WriteText(dir / "a.txt", "alpha");
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "a.txt")).result, 0);
    const Bytes before = ReadFile(dir / "arc.lzh");
    WriteFile(dir / "big.bin", RandomBytes(200000, 3));
    // A file-size limit makes writing fail part way, as a full disk would.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            100000, 100000
        };
        setrlimit(RLIMIT_FSIZE, &limit);
        const auto r = RunUnlha("a " + (dir / "arc") + " " + (dir / "big.bin"));
        _exit(r.result == UNLHA_ERROR_CANNOT_WRITE ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile(dir / "arc.lzh"), before);
    EXPECT_EQ(TreeListing(dir.Path()), (std::vector<std::string>{"a.txt", "arc.lzh", "big.bin"}));
}

TEST(ExtractCommand, RestoresModificationTimesAndModes) {
    ScratchDir dir;
    WriteText(dir / "old.txt", "old");
    SetModificationTime(dir / "old.txt", 946684800 + 3600); // 2000-01-01 01:00 UTC
    chmod((dir / "old.txt").c_str(), 0750);
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "old.txt")).result, 0);
    ASSERT_EQ(RunUnlha("x " + (dir / "arc") + " " + (dir / "out/")).result, 0);
    EXPECT_EQ(ModificationTime(dir / "out/old.txt"), 946684800 + 3600);
    struct stat st {};
    ASSERT_EQ(stat((dir / "out/old.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0750u);
}

// Modes the library sets itself honour the creation mask, as any new file's do.
TEST(Commands, NewArchiveAndExtractedFilesHonourTheCreationMask) {
    ScratchDir dir;
    WriteText(dir / "open.txt", "o");
    chmod((dir / "open.txt").c_str(), 0777);
    const struct {
        mode_t mask;
        unsigned archiveMode;
        unsigned fileMode;
    } cases[] = {{022, 0644, 0755}, {077, 0600, 0700}, {0, 0666, 0777}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        const std::string arc = dir / ("arc" + std::to_string(c.mask));
        const std::string out = dir / ("out" + std::to_string(c.mask) + "/");
        const mode_t before = umask(c.mask);
        const auto added = RunUnlha("a " + arc + " " + (dir / "open.txt"));
        const auto extracted = RunUnlha("e " + arc + " " + out);
        umask(before);
        ASSERT_EQ(added.result, 0) << added.output;
        ASSERT_EQ(extracted.result, 0) << extracted.output;
        struct stat st {};
        ASSERT_EQ(stat((arc + ".lzh").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.archiveMode);
        ASSERT_EQ(stat((out + "open.txt").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.fileMode);
    }
}

TEST(ExtractCommand, RestoresFolderTimesAfterFillingThem) {
    ScratchDir dir;
    MakeDirs(dir / "src/sub");
    WriteText(dir / "src/sub/f.txt", "f");
    SetModificationTime(dir / "src/sub", 1000000000);
    ASSERT_EQ(RunUnlha("a -d1 " + (dir / "arc") + " " + (dir / "src/") + " *.*").result, 0);
    ASSERT_EQ(RunUnlha("x " + (dir / "arc") + " " + (dir / "out/")).result, 0);
    EXPECT_EQ(ModificationTime(dir / "out/sub"), 1000000000);
}

TEST(ExtractCommand, ExtractWithoutPathsFlattensAndKeepsNoFolders) {
    ScratchDir dir;
    MakeDirs(dir / "src/sub");
    WriteText(dir / "src/sub/f.txt", "f");
    ASSERT_EQ(RunUnlha("a -d1 " + (dir / "arc") + " " + (dir / "src/") + " *.*").result, 0);
    const auto r = RunUnlha("e " + (dir / "arc") + " " + (dir / "flat/"));
    ASSERT_EQ(r.result, 0) << r.output;
    EXPECT_EQ(TreeListing(dir / "flat"), (std::vector<std::string>{"f.txt"}));
    const auto x = RunUnlha("x " + (dir / "arc") + " " + (dir / "tree/"));
    ASSERT_EQ(x.result, 0) << x.output;
    EXPECT_EQ(TreeListing(dir / "tree"), (std::vector<std::string>{"sub/", "sub/f.txt"}));
}

TEST(ExtractCommand, ExistingFileNeedsM1) {
    ScratchDir dir;
    WriteText(dir / "f.txt", "new");
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "f.txt")).result, 0);
    MakeDirs(dir / "out");
    WriteText(dir / "out/f.txt", "old");
    EXPECT_EQ(RunUnlha("e " + (dir / "arc") + " " + (dir / "out/")).result,
              UNLHA_ERROR_ALREADY_EXIST);
    EXPECT_EQ(ReadFile(dir / "out/f.txt"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(RunUnlha("e -m1 " + (dir / "arc") + " " + (dir / "out/")).result, 0);
    EXPECT_EQ(ReadFile(dir / "out/f.txt"), (Bytes{'n', 'e', 'w'}));
}

TEST(DeleteCommand, RemovesMatchingMembersOnly) {
    ScratchDir dir;
    WriteText(dir / "a.txt", "a");
    WriteText(dir / "b.dat", "b");
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + dir.Path() + "/ *.*").result, 0);
    ASSERT_EQ(UnlhaGetFileCount((dir / "arc.lzh").c_str()), 2);
    EXPECT_EQ(RunUnlha("d " + (dir / "arc") + " *.txt").result, 0);
    EXPECT_EQ(UnlhaGetFileCount((dir / "arc.lzh").c_str()), 1);
    EXPECT_EQ(MethodOf(dir / "arc.lzh", "b.dat"), "-lh0-");
    EXPECT_EQ(RunUnlha("d " + (dir / "arc") + " nothing").result, UNLHA_ERROR_NOT_FIND_FILE);
}

TEST(ListCommands, ListAndVerboseListNameEveryMember) {
    ScratchDir dir;
    WriteFile(dir / "a.txt", RepetitiveText(10000));
    ASSERT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "a.txt")).result, 0);
    const auto l = RunUnlha("l " + (dir / "arc"));
    ASSERT_EQ(l.result, 0);
    EXPECT_NE(l.output.find("a.txt"), std::string::npos);
    EXPECT_NE(l.output.find("10000"), std::string::npos);
    const auto v = RunUnlha("v " + (dir / "arc.lzh"));
    EXPECT_NE(v.output.find("-lh5-"), std::string::npos);
}

struct ErrorCase {
    const char* what;
    std::string command; // "%" stands for the scratch folder
    int result;
};

// A file that fails while it is read fails the whole add, and the report says nothing was
// added. A sysfs file says 4096 bytes and gives a few: it becomes shorter while it is read.
TEST(AddCommand, ReadFailureAddsNothingAndSaysNothingWasAdded) {
    const std::string shrinking = "/sys/devices/system/cpu/online";
    struct stat st {};
    if (stat(shrinking.c_str(), &st) != 0 || st.st_size != 4096) {
        GTEST_SKIP() << shrinking << " is not here as a 4096-byte file";
    }
    ScratchDir dir;
    WriteText(dir / "f.txt", "f");
    const auto r = RunUnlha("a " + (dir / "arc") + " " + (dir / "f.txt") + " " + shrinking);
    EXPECT_EQ(r.result, UNLHA_ERROR_FILE_OPEN) << r.output;
    EXPECT_EQ(r.output.find("added"), std::string::npos) << r.output;
    EXPECT_FALSE(Exists(dir / "arc.lzh"));
}

TEST(AddCommand, ANameTheArchiveHoldsTwiceIsReplacedByOneMember) {
    ScratchDir dir;
    WriteFile(dir / "arc.lzh", Archive({Level2Member("x.txt", RepetitiveText(100)),
                                        Level2Member("y.txt", RepetitiveText(50)),
                                        Level2Member("x.txt", RepetitiveText(70))}));
    WriteText(dir / "x.txt", "new");
    const auto r = RunUnlha("a " + (dir / "arc.lzh") + " " + (dir / "x.txt"));
    ASSERT_EQ(r.result, 0) << r.output;
    EXPECT_EQ(r.output, "replaced x.txt\n");
    EXPECT_EQ(UnlhaGetFileCount((dir / "arc.lzh").c_str()), 2);
}

TEST(AddCommand, AMemberNamedTwiceIsAddedOnceAsNamedLast) {
    ScratchDir dir;
    MakeDirs(dir / "x");
    MakeDirs(dir / "y");
    WriteText(dir / "x/f.txt", "first");
    WriteText(dir / "y/f.txt", "last");
    WriteText(dir / "y/g.txt", "g");
    const auto r = RunUnlha("a " + (dir / "arc") + " " + (dir / "x/") + " f.txt " + (dir / "y/") +
                            " *.* f.txt");
    ASSERT_EQ(r.result, 0) << r.output;
    EXPECT_EQ(UnlhaGetFileCount((dir / "arc.lzh").c_str()), 2);
    ASSERT_EQ(RunUnlha("e -x1m1 " + (dir / "arc.lzh") + " " + (dir / "out/")).result, 0);
    EXPECT_EQ(ReadFile(dir / "out/f.txt"), Bytes({'l', 'a', 's', 't'}));
    EXPECT_EQ(ReadFile(dir / "out/g.txt"), Bytes({'g'}));
}

TEST(CommandErrors, EachFailureHasItsResultAndAMessage) {
    ScratchDir dir;
    WriteText(dir / "notarc.lzh", "this is plain text, no archive at all");
    WriteText(dir / "f.txt", "f");
    WriteText(dir / "tiny.lzh", "hello\n"); // shorter than any header
    MakeDirs(dir / "folder.lzh");
    const Bytes valid = Archive({Level2Member("x.txt", RepetitiveText(100))});
    Bytes badCrc = valid;
    badCrc[badCrc.size() - 10] ^= 0xFF;
    WriteFile(dir / "crc.lzh", badCrc);
    const std::vector<ErrorCase> cases = {
        {"unknown command", "z %/a.lzh", UNLHA_ERROR_COMMAND_NAME},
        {"unknown switch", "e -q9 %/a.lzh", UNLHA_ERROR_COMMAND_NAME},
        {"missing archive", "e -x1m1 %/none.lzh %/out/", UNLHA_ERROR_NOT_FIND_ARC_FILE},
        {"missing archive to list", "l %/none", UNLHA_ERROR_NOT_FIND_ARC_FILE},
        {"not an archive", "e -x1m1 %/notarc.lzh %/out/", UNLHA_ERROR_NOT_ARC_FILE},
        {"adding to a non-archive", "a %/notarc.lzh %/f.txt", UNLHA_ERROR_NOT_ARC_FILE},
        {"a short text", "e -x1m1 %/tiny.lzh %/out/", UNLHA_ERROR_NOT_ARC_FILE},
        {"adding to a short text", "a %/tiny.lzh %/f.txt", UNLHA_ERROR_NOT_ARC_FILE},
        {"adding to an unreadable archive", "a %/folder.lzh %/f.txt", UNLHA_ERROR_ARC_FILE_OPEN},
        {"unreadable file", "a %/new %/missing.txt", UNLHA_ERROR_NOT_FIND_FILE},
        {"CRC error", "e -x1m1 %/crc.lzh %/out/", UNLHA_ERROR_FILE_CRC},
        {"CRC error in test", "t %/crc.lzh", UNLHA_ERROR_FILE_CRC},
        {"archive in a missing folder", "a %/no/such/dir/arc %/f.txt", UNLHA_ERROR_ARC_FILE_OPEN},
    };
    for (const auto& c : cases) {
        std::string command = c.command;
        for (std::size_t at; (at = command.find('%')) != std::string::npos;) {
            command.replace(at, 1, dir.Path());
        }
        const auto r = RunUnlha(command);
        EXPECT_EQ(r.result, c.result) << c.what << ": " << r.output;
        EXPECT_FALSE(r.output.empty()) << c.what;
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << c.what << ": one line";
    }
    EXPECT_FALSE(Exists(dir / "out/x.txt")) << "a member failing its CRC is not left behind";
    EXPECT_FALSE(Exists(dir / "new.lzh"));
}

TEST(CommandErrors, FifoInPlaceOfAnArchiveOrFileIsRefusedWithoutWaiting) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe.lzh").c_str(), 0600), 0);
    EXPECT_EQ(RunUnlha("l " + (dir / "pipe.lzh")).result, UNLHA_ERROR_ARC_FILE_OPEN);
    EXPECT_EQ(UnlhaOpenArchive(0, (dir / "pipe.lzh").c_str(), 1), 0u);
    EXPECT_EQ(RunUnlha("a " + (dir / "arc") + " " + (dir / "pipe.lzh")).result,
              UNLHA_ERROR_FILE_OPEN);
    WriteText(dir / "f.txt", "f");
    const auto r = RunUnlha("a " + (dir / "arc") + " " + dir.Path() + "/ *.*");
    EXPECT_EQ(r.result, 0) << "a FIFO found by a wildcard is skipped: " << r.output;
    EXPECT_EQ(UnlhaGetFileCount((dir / "arc.lzh").c_str()), 1);
}

TEST(CommandOutput, IsCutToTheBufferAndTerminated) {
    char small[8];
    std::memset(small, 'X', sizeof small);
    EXPECT_NE(Unlha(0, "z nothing", small, sizeof small), 0);
    EXPECT_EQ(std::strlen(small), 7u);
    EXPECT_NE(Unlha(0, "z nothing", nullptr, 0), 0);
    EXPECT_EQ(Unlha(0, nullptr, small, sizeof small), UNLHA_ERROR_COMMAND_NAME);
}

// One command at a time: while one runs the library says so, and a second is refused with a
// message instead of sharing its state.
TEST(Commands, WhileOneRunsTheLibrarySaysSoAndRefusesAnother) {
    ScratchDir dir;
    MakeDirs(dir / "in");
    WriteFile(dir / "in/big.bin", RandomBytes(std::size_t{40} << 20, 17));
    EXPECT_EQ(UnlhaGetRunning(), 0);
    std::atomic<bool> done{false};
    int firstResult = -1;
    std::thread first([&] {
        firstResult = RunUnlha("a " + (dir / "arc") + " " + (dir / "in/big.bin")).result;
        done = true;
    });
    bool sawRunning = false;
    CommandResult second{-1, ""};
    while (!done) {
        if (UnlhaGetRunning() == 1 && !sawRunning) {
            sawRunning = true;
            second = RunUnlha("l " + (dir / "arc.lzh"));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    first.join();
    EXPECT_EQ(firstResult, 0);
    ASSERT_TRUE(sawRunning);
    EXPECT_EQ(second.result, UNLHA_ERROR_ALREADY_RUNNING);
    EXPECT_EQ(second.output, "unlha: another command is running\n");
    EXPECT_EQ(UnlhaGetRunning(), 0);
}
