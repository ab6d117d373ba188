// The six mode handlers, their sub-choices and the command-line inputs.
#include "WindowFixture.h"

namespace zol::test {
namespace {

const char* const Compress1 = "ファイルを指定した場合指定したファイルが圧縮の対象になります。";
const char* const Compress2 =
    "フォルダを指定した場合フォルダ以下の全てのファイルが対象になります。";
const char* const Join1 = "分割済ファイルは、このソフトで分割した「zold(xxxxxx.xxx)xxxxxx.zol」が";
const char* const Join2 = "結合の対象ファイルです。「zold(xxxxxx.xxx)xxxxxx.zol」をクリックして";
const char* const Join3 = "ファイル名を取出せます。";
const char* const Join4 = "指定自由は、ファイル全てが対象となります。指定の順番に結合します。";

struct ModeRow {
    const char* radio;
    int procMode;
    const char* input;
    const char* output;
    const char* status;
    bool sizes, compress, join;
    std::int64_t pieceSize;
    const char* memo[4];
};

const ModeRow Modes[] = {
    {"AchAndBun",
     4,
     "圧縮処理ファイル",
     "分割先フォルダ",
     "圧縮するファイル、又はフォルダと分割先フォルダを指定してください。",
     true,
     true,
     false,
     1457664,
     {Compress1, Compress2, "", ""}},
    {"Archive",
     0,
     "圧縮処理ファイル",
     "圧縮先ファイル",
     "圧縮するファイル、又はフォルダと圧縮先ファイルを指定してください。",
     false,
     true,
     false,
     0,
     {Compress1, Compress2, "", ""}},
    {"Bunkatu",
     1,
     "分割処理ファイル",
     "分割先フォルダ",
     "分割するファイル、ＦＤのサイズ、分割先フォルダを指定してください。",
     true,
     false,
     false,
     1457664,
     {"", "", "", ""}},
    {"Ketugou",
     2,
     "結合処理ファイル",
     "結合先ファイル",
     "結合するファイルを選択した後、結合先ファイルを指定してください。",
     false,
     false,
     true,
     0,
     {Join1, Join2, Join3, Join4}},
    {"Melt",
     3,
     "解凍処理ファイル",
     "解凍先フォルダ",
     "解凍するファイルを指定した後、解凍先フォルダを指定してください。",
     false,
     false,
     false,
     0,
     {"", "", "", ""}},
    {"KetuAndMelt",
     5,
     "結合処理ファイル",
     "結合先ファイル",
     "結合するファイルを選択した後、結合先ファイルを指定してください。",
     false,
     false,
     true,
     0,
     {Join1, Join2, Join3, "結合先のフォルダが解凍先フォルダになります。"}},
};

class ModesTest : public WindowTest {
protected:
    void SetUp() override { makeWindow(); }
    QRadioButton* radio(const char* name) {
        return win_->findChild<QRadioButton*>(QString::fromLatin1(name));
    }
};

TEST_F(ModesTest, EveryModeSetsItsTable) {
    for (const ModeRow& row : Modes) {
        SCOPED_TRACE(row.radio);
        makeWindow();
        win_->AsnDir->setChecked(true);
        win_->BitBtn3->show();
        radio(row.radio)->setChecked(true);
        EXPECT_EQ(win_->job().ProcMode, row.procMode);
        EXPECT_EQ(win_->GroupBox3->title().toStdString(),
                  row.compress ? "圧縮処理ファイル" : row.input);
        EXPECT_EQ(win_->GroupBox4->title().toStdString(), row.output);
        EXPECT_EQ(win_->Prcinf->text().toStdString(), row.status);
        EXPECT_EQ(!win_->GroupBox2->isHidden(), row.sizes);
        EXPECT_EQ(!win_->GroupBox6->isHidden(), row.compress);
        EXPECT_EQ(!win_->GroupBox7->isHidden(), row.join);
        EXPECT_EQ(win_->FD144->isChecked(), row.sizes);
        // The compress modes check AsnFile again; the others leave AsnDir as it was.
        EXPECT_EQ(win_->AsnFile->isChecked(), row.compress);
        EXPECT_EQ(win_->job().PieceSize, row.pieceSize);
        EXPECT_TRUE(win_->BitBtn3->isHidden());
        for (int line = 1; line <= 4; ++line)
            EXPECT_EQ(win_->memo(line), row.memo[line - 1]) << "line " << line;
    }
}

TEST_F(ModesTest, ClickOnTheCheckedModeRunsNothing) {
    win_->Bunkatu->setChecked(true);
    win_->Label1->setText(QStringLiteral("kept"));
    win_->Bunkatu->click();
    EXPECT_EQ(win_->Label1->text(), QStringLiteral("kept"));
}

TEST_F(ModesTest, SplitChecksTheLargestSizeWhateverWasChecked) {
    win_->FD072->setChecked(true);
    EXPECT_EQ(win_->job().PieceSize, 730112);
    win_->Bunkatu->setChecked(true);
    EXPECT_TRUE(win_->FD144->isChecked());
    EXPECT_FALSE(win_->FD072->isChecked());
    EXPECT_EQ(win_->job().PieceSize, 1457664);
}

TEST_F(ModesTest, SplitWithTheLargestSizeCheckedRunsNoAnalysisAndResetsTheSize) {
    const std::string big = writeFile("big.bin", 3000000);
    win_->FD144->setChecked(true);
    win_->addInput(big);
    win_->ListBox1->setCurrentRow(0);
    win_->job().PieceSize = 5;
    win_->Bunkatu->setChecked(true);
    EXPECT_EQ(win_->job().PieceSize, 1457664);
    EXPECT_EQ(win_->memo(2), "");
}

TEST_F(ModesTest, SizeChoicesSetThePieceSizeAndAdviseOnTheSelection) {
    const struct {
        QRadioButton* TZOLMain::*radio;
        std::int64_t size;
        const char* advice;
    } sizes[] = {
        {&TZOLMain::FD072, 730112, "このファイルの分割の為に、 2枚のＦＤを用意してください。"},
        {&TZOLMain::FD095, 996352, "このファイルの分割の為に、 2枚のＦＤを用意してください。"},
        {&TZOLMain::FD125, 1250304, "このファイルは分割処理が不必要と思われます。"},
        {&TZOLMain::FD144, 1457664, "このファイルは分割処理が不必要と思われます。"},
    };
    win_->Bunkatu->setChecked(true);
    win_->addInput(writeFile("a.bin", 10));
    win_->addInput(writeFile("b.bin", 1000000));
    win_->ListBox1->setCurrentRow(1);
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.size);
        (win_.get()->*size.radio)->setChecked(true);
        EXPECT_EQ(win_->job().PieceSize, size.size);
        EXPECT_EQ(win_->memo(2), size.advice);
    }
}

TEST_F(ModesTest, SizeChoiceWithoutSelectionOnlySetsTheSize) {
    win_->Bunkatu->setChecked(true);
    win_->addInput(writeFile("b.bin", 1000000));
    win_->FD095->setChecked(true);
    EXPECT_EQ(win_->job().PieceSize, 996352);
    EXPECT_EQ(win_->memo(2), "");
}

TEST_F(ModesTest, SmallerSizeLeavesTheOtherAdviceLines) {
    win_->Bunkatu->setChecked(true);
    win_->addInput(writeFile("b.bin", 1000000));
    win_->ListBox1->setCurrentRow(0);
    win_->ListBox1Click();
    EXPECT_EQ(win_->memo(3), "このファイルは通常のコピー処理が行われます。");
    win_->FD072->setChecked(true);
    EXPECT_EQ(win_->memo(2), "このファイルの分割の為に、 2枚のＦＤを用意してください。");
    EXPECT_EQ(win_->memo(3), "このファイルは通常のコピー処理が行われます。");
}

TEST_F(ModesTest, CompressSubChoiceNamesTheInputGroup) {
    win_->Archive->setChecked(true);
    win_->AsnDir->setChecked(true);
    EXPECT_EQ(win_->GroupBox3->title().toStdString(), "圧縮処理フォルダ");
    EXPECT_TRUE(win_->compressFolderChosen());
    win_->selectCompressFiles();
    EXPECT_EQ(win_->GroupBox3->title().toStdString(), "圧縮処理ファイル");
    EXPECT_FALSE(win_->compressFolderChosen());
}

TEST_F(ModesTest, FreeJoinKeepsTheListOrderAndEveryModeSortsAgain) {
    win_->Ketugou->setChecked(true);
    win_->FeFile->setChecked(true);
    for (const char* name : {"c.txt", "A.txt", "b.txt"})
        win_->addInput(scratch(name));
    EXPECT_EQ(win_->inputs(),
              (std::vector<std::string>{scratch("c.txt"), scratch("A.txt"), scratch("b.txt")}));
    EXPECT_FALSE(win_->joinPiecesChosen());
    win_->Melt->setChecked(true);
    EXPECT_TRUE(win_->FeFile->isChecked());
    EXPECT_EQ(win_->inputs(),
              (std::vector<std::string>{scratch("A.txt"), scratch("b.txt"), scratch("c.txt")}));
    win_->BuFile->setChecked(true);
    win_->FeFile->setChecked(true);
    win_->addInput(scratch("0.txt"));
    EXPECT_EQ(win_->inputs().back(), scratch("0.txt"));
    win_->BuFile->setChecked(true);
    EXPECT_EQ(win_->inputs().front(), scratch("0.txt"));
}

TEST_F(ModesTest, SwitchingModesKeepsInputsAndOutput) {
    win_->Archive->setChecked(true);
    win_->addInput(scratch("x.txt"));
    win_->setOutputText("/out/arc");
    win_->Ketugou->setChecked(true);
    EXPECT_EQ(win_->inputs(), std::vector<std::string>{scratch("x.txt")});
    EXPECT_EQ(win_->outputText(), "/out/arc");
    EXPECT_TRUE(win_->GroupBox6->isHidden());
    EXPECT_FALSE(win_->GroupBox7->isHidden());
}

TEST_F(ModesTest, CommandLineInputsAppearSorted) {
    makeWindow({QStringLiteral("b.txt"), QStringLiteral("A.txt")});
    EXPECT_EQ(win_->inputs(), (std::vector<std::string>{"A.txt", "b.txt"}));
    EXPECT_EQ(win_->ListBox1->item(0)->text(), QStringLiteral("A.txt"));
    EXPECT_EQ(win_->job().ProcMode, 9);
    EXPECT_EQ(win_->job().LastInputDir, "");
    for (int line = 1; line <= 4; ++line)
        EXPECT_EQ(win_->memo(line), "");
}

TEST_F(ModesTest, WindowCommands) {
    win_->show();
    win_->TaskTrayMouseDown(Qt::LeftButton);
    EXPECT_TRUE(win_->isVisible());
    win_->TaskTrayMouseDown(Qt::RightButton);
    EXPECT_FALSE(win_->isVisible());
    win_->K1->trigger();
    EXPECT_TRUE(win_->isVisible());
    win_->K2->trigger();
    EXPECT_FALSE(win_->isVisible());
    win_->K1Click();
    win_->HelpButton->click();
    EXPECT_EQ(dialogs_.helpTopics, std::vector<QString>{QStringLiteral("はじめに")});
    win_->CancelButtonClick();
    EXPECT_EQ(win_->job().CancelFlag, 1);
    win_->K3->trigger();
    EXPECT_FALSE(win_->isVisible());
    EXPECT_FALSE(win_->acceptDrops());
    EXPECT_EQ(dialogs_.helpCloses, 1);
}

} // namespace
} // namespace zol::test
