// Whole roads through the real window and the real archiver library: compress, view, extract,
// and compress-and-split onto floppies then join-and-extract back.
#include "WindowFixture.h"
#include "archiver/ArchiverBinding.h"
#include "engine/Texts.h"
#include "ui/TZOLbrows.h"

#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/wait.h>

namespace zol::test {
namespace {

namespace fs = std::filesystem;

struct FileFacts {
    std::string bytes;
    fs::file_time_type written;
};

// Every regular file under root by its path relative to root.
std::map<std::string, FileFacts> Tree(const std::string& root,
                                      const std::set<std::string>& skip = {}) {
    std::map<std::string, FileFacts> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_regular_file() && skip.count(name) == 0)
            files[name] = {ReadAll(entry.path()), entry.last_write_time()};
    }
    return files;
}

// The same files with the same bytes, written at the same time to the second an LZH header
// keeps (two seconds in the oldest header form).
void ExpectSameTree(const std::map<std::string, FileFacts>& got,
                    const std::map<std::string, FileFacts>& want) {
    std::set<std::string> gotNames, wantNames;
    for (const auto& [name, facts] : got)
        gotNames.insert(name);
    for (const auto& [name, facts] : want)
        wantNames.insert(name);
    ASSERT_EQ(gotNames, wantNames);
    for (const auto& [name, facts] : want) {
        const FileFacts& back = got.at(name);
        EXPECT_TRUE(back.bytes == facts.bytes) << name;
        const auto drift = std::chrono::abs(back.written - facts.written);
        EXPECT_LE(drift, std::chrono::seconds(2)) << name;
    }
}

std::string Shell(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char chunk[4096];
    for (std::size_t n; pipe != nullptr && (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        output.append(chunk, n);
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    if (status != 0)
        output += "[failed]";
    return output;
}

// File members as bsdtar, an LHA reader of its own, lists them.
std::set<std::string> ListedByBsdtar(const std::string& archive) {
    std::istringstream lines(Shell("bsdtar -tf '" + archive + "' 2>&1"));
    std::set<std::string> names;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line.back() != '/')
            names.insert(line);
    return names;
}

class ArchiverRoad : public WindowTest {
protected:
    void SetUp() override {
        BindArchiverLibrary();
        ASSERT_NE(ArchiverModule, nullptr);
        makeWindow();
        win_->show();
    }
    void TearDown() override { ReleaseArchiverLibrary(); }

    // A file with a fixed last-write time, so that its time can be checked after a round trip.
    std::string fileAt(const std::string& name, std::size_t size, char seed, int minutesAgo) {
        const std::string path = writeFile(name, size, seed);
        const auto when =
            std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now()) -
            std::chrono::minutes(minutesAgo) - std::chrono::seconds(minutesAgo % 2);
        fs::last_write_time(path, when);
        return path;
    }

    // Incompressible bytes, so the archive of them needs several floppies.
    std::string noiseAt(const std::string& name, std::size_t size, unsigned seed, int minutesAgo) {
        const std::string path = fileAt(name, 0, 'a', minutesAgo);
        const auto when = fs::last_write_time(path);
        std::mt19937 random(seed);
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
        fs::last_write_time(path, when);
        return path;
    }

    void choose(const std::vector<std::string>& files) {
        QStringList list;
        for (const std::string& file : files)
            list << QString::fromStdString(file);
        dialogs_.fileAnswers.push_back(list);
    }
    void chooseFolder(const std::string& folder) {
        dialogs_.folderAnswers.push_back(QString::fromStdString(folder));
    }
};

TEST_F(ArchiverRoad, CompressFilesViewThemAndExtractThemBack) {
    const std::string a = fileAt("in/README.TXT", 12000, 'r', 10);
    const std::string b = fileAt("in/data set.bin", 250000, 'd', 20);
    const std::string c = fileAt("in/日本語の名前.txt", 3000, 'j', 30);
    const std::string archive = scratch("out/backup");
    makeFolder("out");

    win_->Archive->click();
    choose({a, b, c});
    win_->BitBtn1->click();
    choose({archive});
    win_->BitBtn2->click();
    win_->StartButton->click();

    ASSERT_TRUE(Exists(archive + ".lzh"));
    EXPECT_EQ(ListedByBsdtar(archive + ".lzh"),
              (std::set<std::string>{"README.TXT", "data set.bin", "日本語の名前.txt"}));
    EXPECT_EQ(dialogs_.texts(), (std::vector<std::string>{
                                    "圧縮先フォルダと圧縮ファイル名の指定は問題ありませんか？"}));

    TZOLbrows viewer(dialogs_, *win_, win_.get());
    win_->setViewerOpener([&viewer] { viewer.show(); });
    win_->Melt->click();
    choose({archive + ".lzh"});
    win_->BitBtn1->click();
    win_->ListBox1->setCurrentRow(0);
    win_->BitBtn3->click();
    ASSERT_TRUE(viewer.isVisible());
    std::set<std::string> rows;
    for (int row = 0; row < viewer.ListView->topLevelItemCount(); ++row)
        rows.insert(viewer.ListView->topLevelItem(row)->text(0).toStdString());
    EXPECT_EQ(rows, (std::set<std::string>{"readme.txt", "data set.bin", "日本語の名前.txt"}));
    viewer.Button1->click();

    const std::string extracted = makeFolder("extracted dir");
    chooseFolder(extracted);
    win_->BitBtn2->click();
    win_->StartButton->click();

    ExpectSameTree(Tree(extracted), Tree(scratch("in")));
    EXPECT_EQ(dialogs_.boxes.size(), 2u);
}

TEST_F(ArchiverRoad, CompressAFolderTreeAndExtractItBack) {
    fileAt("src/top.txt", 5000, 't', 5);
    fileAt("src/sub/inner.c", 70000, 'c', 6);
    fileAt("src/sub/深い フォルダ/note.txt", 900, 'n', 7);
    fileAt("src/empty.dat", 0, 'e', 8);

    win_->Archive->click();
    win_->AsnDir->click();
    chooseFolder(scratch("src"));
    win_->BitBtn1->click();
    ASSERT_EQ(win_->inputs(), std::vector<std::string>{scratch("src/")});
    win_->Edit1->setText(QString::fromStdString(scratch("tree")));
    win_->StartButton->click();

    EXPECT_TRUE(win_->AsnFile->isChecked());
    EXPECT_EQ(ListedByBsdtar(scratch("tree.lzh")),
              (std::set<std::string>{"top.txt", "sub/inner.c", "sub/深い フォルダ/note.txt",
                                     "empty.dat"}));

    win_->Melt->click();
    choose({scratch("tree.lzh")});
    win_->BitBtn1->click();
    chooseFolder(scratch("back"));
    makeFolder("back");
    win_->BitBtn2->click();
    win_->StartButton->click();

    ExpectSameTree(Tree(scratch("back")), Tree(scratch("src")));
    EXPECT_EQ(dialogs_.boxes.size(), 2u) << dialogs_.texts().back();
}

TEST_F(ArchiverRoad, ExtractReportsEachBrokenArchiveAndExtractsTheRest) {
    fileAt("one/a.txt", 100, 'a', 1);
    fileAt("two/b.txt", 100, 'b', 2);
    win_->Archive->click();
    choose({scratch("one/a.txt")});
    win_->BitBtn1->click();
    win_->Edit1->setText(QString::fromStdString(scratch("first")));
    win_->StartButton->click();
    win_->Archive->click();
    choose({scratch("two/b.txt")});
    win_->BitBtn1->click();
    win_->Edit1->setText(QString::fromStdString(scratch("second")));
    win_->StartButton->click();
    writeFile("broken.lzh", 3000, 'x');
    dialogs_.boxes.clear();

    win_->Melt->click();
    choose({scratch("first.lzh"), scratch("broken.lzh"), scratch("second.lzh")});
    win_->BitBtn1->click();
    win_->Edit1->setText(QString::fromStdString(scratch("out")));
    win_->StartButton->click();

    EXPECT_EQ(dialogs_.texts(),
              (std::vector<std::string>{"解凍先フォルダと解凍ファイルの指定は問題ありませんか？",
                                        "解凍で異常が発生しました。"}));
    EXPECT_EQ(dialogs_.boxes.back().caption, MsgCaption);
    EXPECT_TRUE(Exists(scratch("out/a.txt")));
    EXPECT_TRUE(Exists(scratch("out/b.txt")));
}

// The floppy drive of the fixture, with a shelf of disks: a prompt to change disks puts the
// one in the drive on the shelf and inserts the next one asked for.
class FloppyShelf {
public:
    FloppyShelf(std::string drive, std::string shelf) : drive_(drive), shelf_(shelf) {}

    // Takes the disk out of the drive as disk number n.
    void eject(int n) {
        const std::string disk = shelf_ + std::to_string(n) + "/";
        fs::create_directories(disk);
        for (const auto& entry : fs::directory_iterator(drive_))
            fs::rename(entry.path(), disk + entry.path().filename().string());
    }
    // Puts disk n into the empty drive.
    void insert(int n) {
        const std::string disk = shelf_ + std::to_string(n) + "/";
        for (const auto& entry : fs::directory_iterator(disk))
            fs::rename(entry.path(), drive_ + entry.path().filename().string());
    }
    int disks() const {
        return static_cast<int>(std::distance(fs::directory_iterator(shelf_), {}));
    }

private:
    std::string drive_;
    std::string shelf_;
};

// About 5 MB of a folder, compressed and split onto floppies, then joined from them (offered
// in the order 3, 1, 4, 2) and extracted into a folder of its own.
class FloppyRoad : public ArchiverRoad {
protected:
    std::string restored;
    std::size_t disksOffered = 0;

    void compressAndSplit() {
        // Most of it incompressible: the archive needs four 1.44 MB disks.
        noiseAt("work/video.bin", 2000000, 1, 40);
        noiseAt("work/parts/sound.bin", 1500000, 2, 41);
        noiseAt("work/parts/深い/picture.bin", 1000000, 3, 42);
        fileAt("work/notes.txt", 500000, 'n', 43);
        fileAt("work/parts/list.csv", 20000, 'l', 44);
        int ejected = 0;
        dialogs_.onBox = [&](const ShownBox& box) {
            if (box.text == "つぎの新しいＦＤに入替えてください。")
                shelf.eject(++ejected);
        };
        win_->AchAndBun->click();
        win_->AsnDir->click();
        chooseFolder(scratch("work"));
        win_->BitBtn1->click();
        chooseFolder(drives_.removableRoot);
        win_->BitBtn2->click();
        win_->StartButton->click();
        shelf.eject(++ejected);
        dialogs_.onBox = nullptr;
    }

    void joinAndExtract() {
        const std::vector<int> order = {3, 1, 4, 2};
        shelf.insert(order[0]);
        const std::string drive = drives_.removableRoot;
        const std::string firstPiece =
            drive + fs::directory_iterator(drive)->path().filename().string();
        disksOffered = 1;
        dialogs_.onBox = [&](const ShownBox& box) {
            if (box.text == "次の分割されたＦＤに入替えてください。" &&
                disksOffered < order.size()) {
                shelf.eject(order[disksOffered - 1]);
                shelf.insert(order[disksOffered++]);
            }
        };
        restored = makeFolder("restored");
        win_->KetuAndMelt->click();
        choose({firstPiece});
        win_->BitBtn1->click();
        chooseFolder(restored);
        win_->BitBtn2->click();
        win_->StartButton->click();
        dialogs_.onBox = nullptr;
    }

    std::vector<std::string> leftInTemp() {
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(temp_.path()))
            left.push_back(entry.path().filename().string());
        return left;
    }

    FloppyShelf shelf{drives_.removableRoot, makeFolder("shelf")};
};

TEST_F(FloppyRoad, CompressAndSplitThenJoinAndExtractGivesEveryFileBack) {
    compressAndSplit();
    ASSERT_EQ(shelf.disks(), 4);
    EXPECT_EQ(win_->job().ProcMode, 9);

    joinAndExtract();

    EXPECT_EQ(disksOffered, 4u);
    ExpectSameTree(Tree(restored, {"zoltemp.lzh"}), Tree(scratch("work")));
    EXPECT_TRUE(Exists(restored + "zoltemp.lzh"));
    EXPECT_EQ(win_->job().ProcMode, 9);
}

TEST_F(FloppyRoad, NothingStaysInTheTemporaryFolder) {
    compressAndSplit();
    EXPECT_EQ(leftInTemp(), std::vector<std::string>{}) << "after compress and split";

    joinAndExtract();
    EXPECT_EQ(leftInTemp(), std::vector<std::string>{}) << "after join and extract";
}

} // namespace
} // namespace zol::test
