#include "FakeJobHost.h"
#include "ScratchFolder.h"
#include "archiver/ArchiverOps.h"
#include "engine/MessageBox.h"
#include "engine/Texts.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace zol::test {
namespace {

namespace fs = std::filesystem;

// Every regular file under root by its path relative to root, with its bytes.
std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = ReadWholeFile(entry.path());
    return files;
}

// Member names as bsdtar, an LHA reader of its own, lists them.
std::set<std::string> ListedByBsdtar(const std::string& archive) {
    std::istringstream lines(RunShell("bsdtar -tf '" + archive + "' 2>&1"));
    std::set<std::string> names;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line.back() != '/')
            names.insert(line);
    return names;
}

class LibraryRoundTrip : public testing::Test {
protected:
    ScratchFolder scratch;
    FakeJobHost host;
};

TEST_F(LibraryRoundTrip, FilesCompressIntoAnArchiveOthersReadAndExtractBack) {
    const std::vector<std::pair<std::string, std::size_t>> files = {
        {"a.txt", 1000}, {"big.bin", 300000}, {"my notes.txt", 5000}, {"空.dat", 0}};
    for (std::size_t i = 0; i < files.size(); ++i) {
        WritePatternFile(scratch / ("in/" + files[i].first), files[i].second, unsigned(i));
        host.entries.push_back(scratch / ("in/" + files[i].first));
    }
    host.output = scratch / "out dir/backup";
    fs::create_directories(scratch / "out dir");

    CompressInputs(host);

    EXPECT_TRUE(host.boxes.empty()) << host.boxes[0].text;
    const std::string archive = scratch / "out dir/backup.lzh";
    ASSERT_TRUE(fs::is_regular_file(archive));
    EXPECT_EQ(ListedByBsdtar(archive),
              (std::set<std::string>{"a.txt", "big.bin", "my notes.txt", "空.dat"}));

    host.entries = {archive};
    host.output = scratch / "extracted";
    ExtractArchives(host);

    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(Tree(scratch / "extracted"), Tree(scratch / "in"));
    fs::create_directories(scratch / "by-bsdtar");
    EXPECT_EQ(RunShell("bsdtar -xf '" + archive + "' -C '" + (scratch / "by-bsdtar") + "'"), "");
    EXPECT_EQ(Tree(scratch / "by-bsdtar"), Tree(scratch / "in"));
}

TEST_F(LibraryRoundTrip, FolderTreeCompressesAndExtractsWithItsFolders) {
    WritePatternFile(scratch / "src/top.txt", 2000, 1);
    WritePatternFile(scratch / "src/sub/inner.c", 40000, 2);
    WritePatternFile(scratch / "src/sub/深い/日本語.txt", 3000, 3);
    host.entries = {scratch / "src/"};
    host.output = scratch / "tree";
    host.folderChosen = true;

    CompressInputs(host);

    EXPECT_TRUE(host.boxes.empty()) << host.boxes[0].text;
    EXPECT_EQ(host.selectFilesCalls, 1);
    const std::string archive = scratch / "tree.lzh";
    EXPECT_EQ(ListedByBsdtar(archive),
              (std::set<std::string>{"top.txt", "sub/inner.c", "sub/深い/日本語.txt"}));

    host.entries = {archive};
    host.output = scratch / "back/";
    ExtractArchives(host);

    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(Tree(scratch / "back"), Tree(scratch / "src"));
}

// Runs with the current folder set to folder, as the program's own may be anything.
class InFolder {
public:
    explicit InFolder(const std::string& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(previous_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path previous_;
};

TEST_F(LibraryRoundTrip, FolderWithoutItsSlashTakesNothingFromTheCurrentFolder) {
    WritePatternFile(scratch / "dropped/inner.txt", 500, 1);
    WritePatternFile(scratch / "home/private.txt", 100, 2);
    WritePatternFile(scratch / "file.txt", 50, 3);
    host.entries = {scratch / "dropped", scratch / "file.txt"};
    host.output = scratch / "set";
    host.folderChosen = true;
    {
        InFolder home(scratch / "home");
        CompressInputs(host);
    }

    EXPECT_TRUE(host.boxes.empty()) << host.boxes[0].text;
    EXPECT_EQ(ListedByBsdtar(scratch / "set.lzh"),
              (std::set<std::string>{"inner.txt", "file.txt"}));
}

TEST_F(LibraryRoundTrip, FolderFormWithoutArchiveNameFailsAndWritesNothing) {
    WritePatternFile(scratch / "src/inner.txt", 500, 1);
    host.entries = {scratch / "src/"};
    host.output = "";
    host.folderChosen = true;

    CompressInputs(host);

    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find("no archive name"), std::string::npos) << host.boxes[0].text;
    EXPECT_EQ(Tree(scratch / "src"), (std::map<std::string, std::string>{
                                         {"inner.txt", ReadWholeFile(scratch / "src/inner.txt")}}));
}

TEST_F(LibraryRoundTrip, SecondCompressAddsToTheArchive) {
    WritePatternFile(scratch / "in/one.txt", 100, 1);
    WritePatternFile(scratch / "in/two.txt", 200, 2);
    host.output = scratch / "set";
    host.entries = {scratch / "in/one.txt"};
    CompressInputs(host);
    host.entries = {scratch / "in/two.txt"};
    CompressInputs(host);

    EXPECT_EQ(ListedByBsdtar(scratch / "set.lzh"), (std::set<std::string>{"one.txt", "two.txt"}));
}

TEST_F(LibraryRoundTrip, BrokenArchiveAmongGoodOnesGetsTheOnlyBox) {
    WritePatternFile(scratch / "in/one.txt", 100, 1);
    WritePatternFile(scratch / "in/two.txt", 200, 2);
    host.output = scratch / "first";
    host.entries = {scratch / "in/one.txt"};
    CompressInputs(host);
    host.output = scratch / "third";
    host.entries = {scratch / "in/two.txt"};
    CompressInputs(host);
    WritePatternFile(scratch / "second.lzh", 500, 9);

    host.entries = {scratch / "first.lzh", scratch / "second.lzh", scratch / "third.lzh"};
    host.output = scratch / "out";
    ExtractArchives(host);

    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "解凍で異常が発生しました。");
    EXPECT_EQ(Tree(scratch / "out"), Tree(scratch / "in"));
}

TEST_F(LibraryRoundTrip, MissingInputIsReportedOnceAndTheOthersAreStillAdded) {
    WritePatternFile(scratch / "in/one.txt", 100, 1);
    WritePatternFile(scratch / "in/three.txt", 300, 3);
    host.entries = {scratch / "in/one.txt", scratch / "in/two.txt", scratch / "in/three.txt"};
    host.output = scratch / "set";

    CompressInputs(host);

    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find("two.txt"), std::string::npos) << host.boxes[0].text;
    EXPECT_EQ(host.boxes[0].caption, MsgCaption);
    EXPECT_EQ(host.boxes[0].flags, mb::IconError | mb::Ok);
    EXPECT_EQ(ListedByBsdtar(scratch / "set.lzh"), (std::set<std::string>{"one.txt", "three.txt"}));
}

} // namespace
} // namespace zol::test
