// A user's whole road through the window: split a 3000000-byte file into floppy pieces and
// join them back, with nothing but the window's own controls and dialogs answering.
#include "WindowFixture.h"
#include "engine/PieceName.h"

namespace zol::test {
namespace {

class EndToEndTest : public WindowTest {};

TEST_F(EndToEndTest, SplitThenJoinThroughTheWindow) {
    makeWindow();
    win_->show();
    const std::string input = writeFile("docs/big.bin", 3000000, 'q');
    const std::string pieces = makeFolder("pieces");
    const std::string joined = makeFolder("joined");

    win_->Bunkatu->click();
    dialogs_.fileAnswers = {{QString::fromStdString(input)}};
    win_->BitBtn1->click();
    win_->ListBox1->setCurrentRow(0);
    win_->ListBox1Click();
    EXPECT_EQ(win_->memo(1), "File Len : 3,000,000byte");
    EXPECT_EQ(win_->memo(2), "このファイルの分割の為に、 3枚のＦＤを用意してください。");
    dialogs_.folderAnswers = {QString::fromStdString(pieces)};
    win_->BitBtn2->click();
    EXPECT_EQ(win_->outputText(), pieces);
    win_->StartButton->click();

    const std::int64_t sizes[] = {1457664, 1457664, 84672};
    std::string rejoined;
    for (int k = 1; k <= 3; ++k) {
        const std::string piece = PieceName(pieces, "big.bin", 3, 0, k);
        ASSERT_TRUE(Exists(piece)) << piece;
        const std::string bytes = ReadAll(piece);
        EXPECT_EQ(static_cast<std::int64_t>(bytes.size()), sizes[k - 1]);
        rejoined += bytes;
    }
    EXPECT_EQ(rejoined, ReadAll(input));
    EXPECT_EQ(win_->job().ProcMode, 9);
    EXPECT_TRUE(win_->inputs().empty());

    win_->Ketugou->click();
    // Chosen out of order: the sorted list puts them back in piece order.
    dialogs_.fileAnswers = {{QString::fromStdString(PieceName(pieces, "big.bin", 3, 0, 3)),
                             QString::fromStdString(PieceName(pieces, "big.bin", 3, 0, 1)),
                             QString::fromStdString(PieceName(pieces, "big.bin", 3, 0, 2))}};
    win_->BitBtn1->click();
    EXPECT_EQ(win_->inputs().front(), PieceName(pieces, "big.bin", 3, 0, 1));
    dialogs_.folderAnswers = {QString::fromStdString(joined)};
    win_->BitBtn2->click();
    EXPECT_EQ(win_->outputText(), joined + "big.bin");
    win_->StartButton->click();

    EXPECT_EQ(ReadAll(joined + "big.bin"), ReadAll(input));
    const std::vector<std::string> shown = dialogs_.texts();
    EXPECT_EQ(shown,
              (std::vector<std::string>{"分割先フォルダと分割ファイルの指定は問題ありませんか？",
                                        "結合先フォルダと結合ファイルの指定は問題ありませんか？"}));
    EXPECT_EQ(win_->job().ProcMode, 9);
}

} // namespace
} // namespace zol::test
