// Start: the boxes of every mode, the reset, the top-level error box and the sequences.
#include "WindowFixture.h"
#include "engine/JobHost.h"
#include "engine/MessageBox.h"
#include "engine/PieceName.h"
#include "platform/FileError.h"

#include <filesystem>
#include <fstream>
#include <set>

namespace zol::test {
namespace {

const char* const Caption = "ファイルの圧縮・分割・結合・解凍";
const char* const AppCaption = "ファイルの圧縮・分割・結合・解凍 for Win95";

struct StartRow {
    const char* radio;
    const char* emptyList;
    const char* confirm;
};

const StartRow Rows[] = {
    {"Archive", "圧縮ファイルを指定していません。指定して再度開始をしてください。",
     "圧縮先フォルダと圧縮ファイル名の指定は問題ありませんか？"},
    {"Bunkatu", "分割ファイルを指定していません。指定して再度開始をしてください。",
     "分割先フォルダと分割ファイルの指定は問題ありませんか？"},
    {"Ketugou", "結合ファイルを指定していません。指定して再度開始をしてください。",
     "結合先フォルダと結合ファイルの指定は問題ありませんか？"},
    {"Melt", "解凍ファイルを指定していません。指定して再度開始をしてください。",
     "解凍先フォルダと解凍ファイルの指定は問題ありませんか？"},
    {"AchAndBun", "圧縮ファイルを指定していません。指定して再度開始をしてください。",
     "圧縮ファイルと分割先フォルダの指定は問題ありませんか？"},
    {"KetuAndMelt", "結合ファイルを指定していません。指定して再度開始をしてください。",
     "結合先フォルダと結合ファイルの指定は問題ありませんか？"},
};

// Operations that only count their calls, so that a box test sees whether anything ran.
struct CountingOperations {
    int calls = 0;
    JobOperations make() {
        const auto count = [this](JobHost&) { ++calls; };
        return {count, count, count, count, [this](JobHost&, const std::string&) { ++calls; }};
    }
};

class StartTest : public WindowTest {
protected:
    void SetUp() override { makeWindow(); }
    void choose(const char* radio) {
        win_->findChild<QRadioButton*>(QString::fromLatin1(radio))->setChecked(true);
    }
    void expectReset() {
        EXPECT_EQ(win_->job().ProcMode, 9);
        EXPECT_TRUE(win_->inputs().empty());
        EXPECT_EQ(win_->outputText(), "");
        EXPECT_TRUE(win_->GroupBox2->isHidden());
        EXPECT_TRUE(win_->GroupBox6->isHidden());
        EXPECT_EQ(win_->Prcinf->text().toStdString(),
                  "最初に処理方法を決定して下さい。（圧縮、分割、結合、解凍）");
        EXPECT_EQ(win_->GroupBox3->title().toStdString(), "入力ファイル");
        EXPECT_EQ(win_->GroupBox4->title().toStdString(), "出力ファイル");
        for (QRadioButton* modeRadio : {win_->AchAndBun, win_->Archive, win_->Bunkatu,
                                        win_->Ketugou, win_->Melt, win_->KetuAndMelt})
            EXPECT_FALSE(modeRadio->isChecked());
        for (int line = 1; line <= 4; ++line)
            EXPECT_EQ(win_->memo(line), "");
        EXPECT_FALSE(win_->CancelButton->isEnabled());
        EXPECT_EQ(win_->job().JoinFileName, "");
        EXPECT_FALSE(win_->isRunning());
    }
};

TEST_F(StartTest, EmptyListShowsTheModesErrorBoxAndResets) {
    for (const StartRow& row : Rows) {
        SCOPED_TRACE(row.radio);
        makeWindow();
        CountingOperations counted;
        win_->setOperations(counted.make());
        choose(row.radio);
        win_->setOutputText(scratch("out/"));
        win_->StartButtonClick();
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].text, row.emptyList);
        EXPECT_EQ(dialogs_.boxes[0].caption, Caption);
        EXPECT_EQ(dialogs_.boxes[0].flags, 16u);
        EXPECT_EQ(counted.calls, 0);
        expectReset();
        dialogs_.boxes.clear();
    }
}

// A bare name is what a click on a piece leaves before any output folder was chosen.
TEST_F(StartTest, MissingOutputIsRefusedBeforeAnythingAndKeepsTheJob) {
    for (const StartRow& row : Rows)
        for (const auto& [output, text] :
             {std::pair{"", "出力先を指定していません。指定して再度開始をしてください。"},
              std::pair{"one.txt",
                        "出力先のフォルダを指定していません。指定して再度開始をしてください。"}}) {
            SCOPED_TRACE(std::string(row.radio) + " with output '" + output + "'");
            makeWindow();
            CountingOperations counted;
            win_->setOperations(counted.make());
            choose(row.radio);
            win_->addInput(scratch("one.txt"));
            win_->setOutputText(output);
            win_->job().JoinFileName = "one.txt";
            win_->StartButtonClick();
            ASSERT_EQ(dialogs_.boxes.size(), 1u);
            EXPECT_EQ(dialogs_.boxes[0].text, text);
            EXPECT_EQ(dialogs_.boxes[0].caption, Caption);
            EXPECT_EQ(dialogs_.boxes[0].flags, 16u);
            EXPECT_EQ(counted.calls, 0);
            // Nothing ran, so the mode and the inputs stay for the next Start.
            EXPECT_TRUE(
                win_->findChild<QRadioButton*>(QString::fromLatin1(row.radio))->isChecked());
            EXPECT_EQ(win_->inputs(), std::vector<std::string>{scratch("one.txt")});
            EXPECT_EQ(win_->job().JoinFileName, "one.txt");
            EXPECT_FALSE(win_->CancelButton->isEnabled());
            EXPECT_FALSE(win_->isRunning());
            dialogs_.boxes.clear();
        }
}

TEST_F(StartTest, CancelInTheConfirmationRunsNothingAndResets) {
    for (const StartRow& row : Rows) {
        SCOPED_TRACE(row.radio);
        makeWindow();
        CountingOperations counted;
        win_->setOperations(counted.make());
        choose(row.radio);
        win_->FD072->setChecked(true);
        win_->addInput(scratch("one.txt"));
        win_->addInput(scratch("two.txt"));
        win_->setOutputText(scratch("out/"));
        dialogs_.answers = {mb::IdCancel};
        win_->StartButtonClick();
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].text, row.confirm);
        EXPECT_EQ(dialogs_.boxes[0].caption, Caption);
        EXPECT_EQ(dialogs_.boxes[0].flags, 33u);
        EXPECT_EQ(counted.calls, 0);
        expectReset();
        // The reset leaves the size choice alone.
        EXPECT_TRUE(win_->FD072->isChecked());
        dialogs_.boxes.clear();
    }
}

TEST_F(StartTest, OkRunsTheModesOperation) {
    const struct {
        const char* radio;
        const char* ran;
    } rows[] = {
        {"Archive", "compress"}, {"Bunkatu", "split"}, {"Ketugou", "join"}, {"Melt", "extract"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.radio);
        makeWindow();
        std::vector<std::string> ran;
        const auto record = [&ran](const char* name) {
            return [&ran, name](JobHost& host) {
                ran.push_back(std::string(name) + ":" + host.inputs().front());
            };
        };
        win_->setOperations({record("compress"), record("extract"), record("split"), record("join"),
                             [](JobHost&, const std::string&) {}});
        choose(row.radio);
        win_->addInput(scratch("in.txt"));
        win_->setOutputText(scratch("out/"));
        win_->StartButtonClick();
        EXPECT_EQ(ran, std::vector<std::string>{std::string(row.ran) + ":" + scratch("in.txt")});
        expectReset();
    }
}

TEST_F(StartTest, NoModeChosenOnlyShowsItsBox) {
    win_->addInput(scratch("in.txt"));
    win_->setOutputText("/somewhere/");
    win_->StartButtonClick();
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text, "処理方法が決定されていません。");
    EXPECT_EQ(dialogs_.boxes[0].caption, Caption);
    EXPECT_EQ(dialogs_.boxes[0].flags, 16u);
    EXPECT_EQ(win_->inputs(), std::vector<std::string>{scratch("in.txt")});
    EXPECT_EQ(win_->outputText(), "/somewhere/");
    EXPECT_FALSE(win_->CancelButton->isEnabled());
}

TEST_F(StartTest, JoinOptionsStayVisibleAfterTheReset) {
    win_->Ketugou->setChecked(true);
    win_->StartButtonClick();
    EXPECT_FALSE(win_->GroupBox7->isHidden());
    win_->Melt->setChecked(true);
    EXPECT_TRUE(win_->GroupBox7->isHidden());
}

TEST_F(StartTest, RaisedFileErrorsShowTheTopLevelBoxAndEndTheStart) {
    const struct {
        std::function<void()> raise;
        const char* shown;
    } rows[] = {
        {[] { throw FileError(2); }, "ﾌｧｲﾙが見つかりません."},
        {[] { throw FileError(SystemErrorBase + 5); }, "I/O ｴﾗｰ (5)"},
        {[] { throw NotANumberError("'.t' は整数ではありません"); }, "'.t' は整数ではありません."},
        {[] { throw FileError(101); }, "ﾃﾞｨｽｸがいっぱいです."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        makeWindow();
        dialogs_.boxes.clear();
        JobOperations operations = DefaultJobOperations();
        operations.split = [&row](JobHost&) { row.raise(); };
        win_->setOperations(operations);
        win_->Bunkatu->setChecked(true);
        win_->addInput(scratch("in.txt"));
        win_->setOutputText(scratch("out/"));
        win_->StartButtonClick();
        ASSERT_EQ(dialogs_.boxes.size(), 2u);
        EXPECT_EQ(dialogs_.boxes[1].text, row.shown);
        EXPECT_EQ(dialogs_.boxes[1].caption, AppCaption);
        EXPECT_EQ(dialogs_.boxes[1].flags, 16u);
        // The rest of the Start did not run.
        EXPECT_EQ(win_->job().ProcMode, 1);
        EXPECT_EQ(win_->inputs().size(), 1u);
        EXPECT_TRUE(win_->CancelButton->isEnabled());
        // The window is usable again.
        EXPECT_TRUE(win_->StartButton->isEnabled());
        EXPECT_FALSE(win_->isRunning());
    }
}

class CompressAndSplitTest : public StartTest {
protected:
    // A stand-in for the archiver: writes the archive (output text + ".lzh") from the inputs'
    // bytes, adding to an existing one as the real one does.
    void useArchiver(bool makesArchive) {
        JobOperations operations = DefaultJobOperations();
        operations.compress = [this, makesArchive](JobHost& host) {
            compressOutput = host.outputText();
            staleArchiveSeen = Exists(compressOutput + ".lzh");
            if (!makesArchive)
                return;
            std::ofstream archive(compressOutput + ".lzh", std::ios::binary | std::ios::app);
            for (const std::string& input : host.inputs())
                archive << ReadAll(input);
        };
        win_->setOperations(operations);
    }
    void prepare(std::size_t inputSize) {
        input = writeFile("data/report.doc", inputSize);
        destination = makeFolder("pieces");
        win_->AchAndBun->setChecked(true);
        win_->addInput(input);
        win_->setOutputText(destination);
    }
    std::string archive() { return temp_.path() + "zoltemp.lzh"; }

    std::string input, destination, compressOutput;
    bool staleArchiveSeen = true;
};

TEST_F(CompressAndSplitTest, ArchiveGoesThroughThePrivateTempFolderAndIsRemoved) {
    useArchiver(true);
    prepare(3000000);
    std::ofstream(archive()) << "stale";
    win_->StartButtonClick();
    EXPECT_EQ(compressOutput, temp_.path() + "zoltemp");
    EXPECT_FALSE(staleArchiveSeen);
    EXPECT_FALSE(Exists(archive()));
    std::string joined;
    for (int k = 1; k <= 3; ++k)
        joined += ReadAll(PieceName(destination, "zoltemp.lzh", 3, 0, k));
    EXPECT_EQ(joined, ReadAll(input));
    expectReset();
}

TEST_F(CompressAndSplitTest, NoArchiveMeansNoSplitAndABox) {
    useArchiver(false);
    prepare(10);
    win_->StartButtonClick();
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes[1].text, "圧縮ファイルが作成されませんでした。分割は行いません。");
    EXPECT_EQ(dialogs_.boxes[1].flags, 16u);
    EXPECT_TRUE(std::filesystem::is_empty(destination));
    expectReset();
}

TEST_F(CompressAndSplitTest, FailedSplitStillRemovesTheArchive) {
    useArchiver(true);
    prepare(3000000);
    win_->setOutputText(scratch("missing/folder/"));
    win_->StartButtonClick();
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes[1].caption, AppCaption);
    EXPECT_FALSE(Exists(archive()));
    EXPECT_EQ(win_->job().ProcMode, 4);
}

class JoinAndExtractTest : public StartTest {
protected:
    void SetUp() override {
        StartTest::SetUp();
        JobOperations operations = DefaultJobOperations();
        operations.extract = [this](JobHost& host) {
            extractedFrom = host.inputs();
            extractedInto = host.outputText();
        };
        win_->setOperations(operations);
        original = writeFile("src/DATA.LZH", 2000000);
        pieces = makeFolder("set");
        for (int k = 1; k <= 2; ++k) {
            std::ofstream(PieceName(pieces, "DATA.LZH", 2, 0, k), std::ios::binary)
                << ReadAll(original).substr((k - 1) * 1457664, 1457664);
        }
        win_->KetuAndMelt->setChecked(true);
        win_->WMDropFiles(
            {PieceName(pieces, "DATA.LZH", 2, 0, 2), PieceName(pieces, "DATA.LZH", 2, 0, 1)});
        out = makeFolder("out");
    }
    std::string original, pieces, out;
    std::vector<std::string> extractedFrom;
    std::string extractedInto;
};

TEST_F(JoinAndExtractTest, FolderOutputGetsTheJoinedName) {
    EXPECT_EQ(win_->job().JoinFileName, "DATA.LZH");
    win_->setOutputText(out);
    win_->StartButtonClick();
    EXPECT_EQ(ReadAll(out + "DATA.LZH"), ReadAll(original));
    EXPECT_EQ(extractedFrom, std::vector<std::string>{out + "DATA.LZH"});
    EXPECT_EQ(extractedInto, out);
    expectReset();
}

// In join alone too, where the output is still only the folder when it was chosen before the
// pieces were listed.
TEST_F(JoinAndExtractTest, JoinAloneIntoAFolderGetsTheJoinedName) {
    win_->Ketugou->setChecked(true);
    win_->setOutputText(out);
    win_->StartButtonClick();
    EXPECT_TRUE(ReadAll(out + "DATA.LZH") == ReadAll(original));
    EXPECT_TRUE(extractedFrom.empty());
    expectReset();
}

TEST_F(JoinAndExtractTest, FileOutputIsUsedAsItStands) {
    win_->ListBox1->setCurrentRow(0);
    win_->job().OutputDir = out;
    win_->ListBox1Click();
    ASSERT_EQ(win_->outputText(), out + "DATA.LZH");
    win_->StartButtonClick();
    EXPECT_EQ(ReadAll(out + "DATA.LZH"), ReadAll(original));
    EXPECT_FALSE(Exists(out + "DATA.LZHDATA.LZH"));
    EXPECT_EQ(extractedFrom, std::vector<std::string>{out + "DATA.LZH"});
}

TEST_F(JoinAndExtractTest, CancelledJoinIsNotExtracted) {
    JobOperations operations = DefaultJobOperations();
    bool extracted = false;
    operations.join = [](JobHost& host) { host.job().CancelFlag = 1; };
    operations.extract = [&extracted](JobHost&) { extracted = true; };
    win_->setOperations(operations);
    win_->setOutputText(out);
    win_->StartButtonClick();
    EXPECT_FALSE(extracted);
    expectReset();
}

TEST_F(JoinAndExtractTest, RefusedJoinIsNotExtracted) {
    // The joined file would be the first piece itself: the join refuses it.
    const std::string first = PieceName(pieces, "DATA.LZH", 2, 0, 1);
    win_->setOutputText(first);
    win_->StartButtonClick();
    EXPECT_TRUE(extractedFrom.empty());
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(
        dialogs_.boxes[1].text.rfind("結合先のファイルが、結合するファイルの中にあります。", 0),
        0u);
    EXPECT_EQ(ReadAll(first), ReadAll(original).substr(0, 1457664));
}

TEST_F(StartTest, SplitOntoTheFloppyOffersTheFormatAndAsksForEachNewDisk) {
    const std::string input = writeFile("big.bin", 3000000);
    const std::string floppy = drives_.removableRoot;
    const std::string shelf = makeFolder("shelf");
    std::ofstream(floppy + "old.txt") << "not empty";
    // Changing the disk: what is on the floppy goes to the shelf.
    dialogs_.onBox = [&](const ShownBox& box) {
        if (box.text != "つぎの新しいＦＤに入替えてください。")
            return;
        for (const auto& entry : std::filesystem::directory_iterator(floppy))
            std::filesystem::rename(entry.path(), shelf + entry.path().filename().string());
    };
    dialogs_.answers = {mb::IdOk, mb::IdCancel};
    win_->Bunkatu->setChecked(true);
    win_->addInput(input);
    win_->setOutputText(floppy);
    win_->StartButtonClick();
    EXPECT_EQ(
        dialogs_.texts(),
        (std::vector<std::string>{
            "分割先フォルダと分割ファイルの指定は問題ありませんか？",
            "指定のＦＤは、初期化されたＦＤではありません。\nＦＤのフォーマットを行いますか？",
            "つぎの新しいＦＤに入替えてください。", "つぎの新しいＦＤに入替えてください。"}));
    EXPECT_TRUE(dialogs_.formatted.empty()); // the offer was declined
    EXPECT_TRUE(Exists(shelf + "zold(big.bin)030001.zol"));
    EXPECT_TRUE(Exists(shelf + "zold(big.bin)030002.zol"));
    EXPECT_TRUE(Exists(floppy + "zold(big.bin)030003.zol"));
}

TEST_F(StartTest, AcceptedFormatOfferOpensTheFormatDialogForTheDrive) {
    std::ofstream(drives_.removableRoot + "old.txt") << "not empty";
    win_->Bunkatu->setChecked(true);
    win_->addInput(writeFile("small.txt", 10));
    win_->setOutputText(drives_.removableRoot);
    win_->StartButtonClick();
    EXPECT_EQ(dialogs_.formatted,
              std::vector<QString>{QString::fromStdString(drives_.removableRoot)});
    EXPECT_TRUE(Exists(drives_.removableRoot + "small.txt"));
}

// Pieces that are not one whole set are refused before anything is written, the list kept for
// the user to mend; with "指定自由", or with other files listed, the list is joined as it stands.
TEST_F(StartTest, JoiningPiecesThatAreNotOneWholeSetIsRefused) {
    const auto piece = [](const char* name, int count, int no) {
        return PieceName("/set/", name, count, 0, no);
    };
    const struct {
        const char* radio;
        std::vector<std::string> listed;
        std::string text; // empty: joined
        bool free = false;
    } cases[] = {
        {"Ketugou",
         {piece("x.txt", 3, 1), piece("x.txt", 3, 3)},
         "分割ファイルが足りません。\nzold(x.txt)030002."
         "zol\n全部を指定して再度開始をしてください。"},
        {"KetuAndMelt",
         {piece("x.txt", 2, 1), piece("x.txt", 2, 1), piece("x.txt", 2, 2)},
         "同じ分割ファイルが二つ指定されています。\nzold(x.txt)020001.zol\n一つにして再度開始をし"
         "てください。"},
        {"Ketugou",
         {piece("x.txt", 2, 1), piece("y.txt", 2, 2), piece("x.txt", 2, 2)},
         "別の分割ファイルが混ざっています。\nzold(y.txt)020002.zol\n取除いて再度開始をしてくださ"
         "い。"},
        {"Ketugou",
         {piece("x.txt", 2, 1), piece("x.txt", 2, 2), piece("x.txt", 2, 3)},
         "分割の数と合わない番号の分割ファイルです。\nzold(x.txt)020003.zol\n取除いて再度開始をし"
         "てください。"},
        {"Ketugou", {piece("x.txt", 3, 1), piece("x.txt", 3, 3)}, "", true},
        {"Ketugou", {piece("x.txt", 3, 1), "/set/readme.txt"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listed.front() + " / " + c.text);
        makeWindow();
        CountingOperations counted;
        win_->setOperations(counted.make());
        choose(c.radio);
        (c.free ? win_->FeFile : win_->BuFile)->setChecked(true);
        for (const auto& entry : c.listed)
            win_->addInput(entry);
        win_->setOutputText(scratch("out/"));
        dialogs_.answers = {mb::IdOk};
        win_->StartButtonClick();
        ASSERT_FALSE(dialogs_.boxes.empty());
        if (c.text.empty()) {
            EXPECT_EQ(counted.calls, 1) << "joined";
            dialogs_.boxes.clear();
            continue;
        }
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].text, c.text);
        EXPECT_EQ(dialogs_.boxes[0].flags, mb::Ok | mb::IconError);
        EXPECT_EQ(counted.calls, 0);
        // Kept, in the list's own name order.
        const std::vector<std::string> kept = win_->inputs();
        EXPECT_EQ(std::multiset<std::string>(kept.begin(), kept.end()),
                  std::multiset<std::string>(c.listed.begin(), c.listed.end()));
        dialogs_.boxes.clear();
    }
}

class FloppyPreStepTest : public StartTest {};

TEST_F(FloppyPreStepTest, PiecesOnTheFloppyAreGatheredBeforeTheConfirmation) {
    const std::string floppy = drives_.removableRoot;
    const std::string piece = PieceName(floppy, "x.txt", 1, 0, 1);
    std::ofstream(piece) << "hello";
    win_->Ketugou->setChecked(true);
    win_->addInput(piece);
    win_->setOutputText(scratch("joined.txt"));
    win_->StartButtonClick();
    const std::vector<std::string> shown = dialogs_.texts();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "分割されたＦＤの結合を行います。分割されたＦＤを準備してください。順番はど"
                        "こからでも結構です。");
    EXPECT_EQ(shown[1], "結合先フォルダと結合ファイルの指定は問題ありませんか？");
    EXPECT_EQ(ReadAll(scratch("joined.txt")), "hello");
    // The copy gathered into the temporary folder went with the join.
    EXPECT_FALSE(Exists(temp_.path() + "zold(x.txt)010001.zol"));
    EXPECT_TRUE(Exists(piece));
}

TEST_F(FloppyPreStepTest, GatheringThatEndsEmptyBringsTheEmptyListBox) {
    const std::string piece = PieceName(drives_.removableRoot, "x.txt", 1, 0, 1);
    win_->Ketugou->setChecked(true);
    win_->addInput(piece); // listed, but the disk in the drive is empty
    win_->setOutputText(scratch("joined.txt"));
    dialogs_.answers = {mb::IdOk, mb::IdCancel};
    win_->StartButtonClick();
    const std::vector<std::string> shown = dialogs_.texts();
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.back(), "結合ファイルを指定していません。指定して再度開始をしてください。");
    expectReset();
}

// One piece of two gathered, then Cancel: nothing is joined or extracted, and a file of the
// archive's name in the destination is left alone.
TEST_F(FloppyPreStepTest, CancelledGatheringJoinsAndExtractsNothing) {
    const std::string piece = PieceName(drives_.removableRoot, "DATA.LZH", 2, 0, 1);
    std::ofstream(piece) << "first half";
    const std::string out = makeFolder("out");
    std::ofstream(out + "DATA.LZH") << "kept";
    CountingOperations counted;
    JobOperations operations = counted.make();
    operations.gather = DefaultJobOperations().gather;
    win_->setOperations(operations);
    win_->KetuAndMelt->setChecked(true);
    win_->addInput(piece);
    win_->setOutputText(out);
    // Start prompt, next disk, "already read" (the same disk is still in): Cancel.
    dialogs_.answers = {mb::IdOk, mb::IdOk, mb::IdCancel};
    win_->StartButtonClick();
    const std::vector<std::string> shown = dialogs_.texts();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[2],
              "このＦＤの分割ファイルは、すでに読込みました。\n次の分割されたＦＤに入替えて"
              "ください。");
    EXPECT_EQ(shown[3], "結合ファイルを指定していません。指定して再度開始をしてください。");
    EXPECT_EQ(counted.calls, 0);
    EXPECT_EQ(ReadAll(out + "DATA.LZH"), "kept");
    EXPECT_FALSE(Exists(temp_.path() + "zold(DATA.LZH)020001.zol"));
    EXPECT_TRUE(Exists(piece));
    expectReset();
}

TEST_F(FloppyPreStepTest, FreeJoinOnlyTellsAndJoinsInPlace) {
    const std::string first = drives_.removableRoot + "a.txt";
    std::ofstream(first) << "abc";
    win_->Ketugou->setChecked(true);
    win_->FeFile->setChecked(true);
    win_->addInput(first);
    win_->setOutputText(scratch("joined.txt"));
    win_->StartButtonClick();
    ASSERT_EQ(dialogs_.texts().size(), 2u);
    EXPECT_EQ(dialogs_.texts()[0],
              "分割されたＦＤの結合のみ行います。分割されたＦＤを準備してください。");
    EXPECT_EQ(ReadAll(scratch("joined.txt")), "abc");
}

TEST_F(FloppyPreStepTest, FixedDiskInputsAreNotGathered) {
    CountingOperations counted;
    win_->setOperations(counted.make());
    win_->Ketugou->setChecked(true);
    win_->addInput(scratch("zold(x.txt)010001.zol"));
    dialogs_.answers = {mb::IdCancel};
    win_->StartButtonClick();
    EXPECT_EQ(counted.calls, 0);
    EXPECT_EQ(dialogs_.boxes.size(), 1u);
}

} // namespace
} // namespace zol::test
