// While a run lets window events through, nothing can start or change the job; closing the
// window cancels the run and closes when it returns.
#include "WindowFixture.h"
#include "engine/JobHost.h"
#include "engine/PieceName.h"

#include <QTimer>

namespace zol::test {
namespace {

class RunLockTest : public WindowTest {
protected:
    void SetUp() override { makeWindow(); }
    std::vector<QWidget*> lockedControls() {
        return {win_->StartButton, win_->EndButton, win_->AchAndBun, win_->Bunkatu,
                win_->KetuAndMelt, win_->FD072,     win_->AsnDir,    win_->FeFile,
                win_->ListBox1,    win_->BitBtn1,   win_->BitBtn2,   win_->BitBtn3,
                win_->Edit1};
    }
};

TEST_F(RunLockTest, ControlsAreLockedDuringTheRunAndFreedAfter) {
    std::vector<std::string> disabledDuringRun;
    bool cancelEnabled = false;
    int splits = 0;
    JobOperations operations = DefaultJobOperations();
    operations.split = [&](JobHost& host) {
        ++splits;
        for (QWidget* control : lockedControls())
            if (!control->isEnabled())
                disabledDuringRun.push_back(control->objectName().toStdString());
        cancelEnabled = win_->CancelButton->isEnabled();
        // What a pumped event could try in the middle of the run.
        win_->StartButtonClick();
        win_->WMDropFiles({"/dropped"});
        win_->Ketugou->setChecked(true);
        dialogs_.folderAnswers = {QStringLiteral("/elsewhere")};
        win_->BitBtn2Click();
        win_->ListBox1->setCurrentRow(0);
        win_->ListBox1DblClick();
        EXPECT_EQ(host.inputs().size(), 1u);
        EXPECT_EQ(host.outputText(), "/out/");
    };
    win_->setOperations(operations);
    win_->Bunkatu->setChecked(true);
    win_->addInput("/in.txt");
    win_->setOutputText("/out/");
    win_->StartButtonClick();
    EXPECT_EQ(splits, 1);
    EXPECT_EQ(disabledDuringRun.size(), lockedControls().size());
    EXPECT_TRUE(cancelEnabled);
    for (QWidget* control : lockedControls())
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(win_->isRunning());
}

TEST_F(RunLockTest, CloseDuringASplitCancelsAfterThePieceInHandAndCloses) {
    const std::string input = writeFile("big.bin", 3000000);
    const std::string out = makeFolder("out");
    win_->show();
    win_->Bunkatu->setChecked(true);
    win_->addInput(input);
    win_->setOutputText(out);
    // Runs at the first event pump inside the split, as a click on the close box would.
    QTimer::singleShot(0, win_.get(), [this] {
        win_->close();
        EXPECT_TRUE(win_->isVisible());
    });
    win_->StartButtonClick();
    EXPECT_TRUE(Exists(PieceName(out, "big.bin", 3, 0, 1)));
    EXPECT_EQ(ReadAll(PieceName(out, "big.bin", 3, 0, 1)).size(), 1457664u);
    EXPECT_FALSE(Exists(PieceName(out, "big.bin", 3, 0, 2)));
    EXPECT_FALSE(win_->isVisible());
    EXPECT_EQ(dialogs_.helpCloses, 1);
}

TEST_F(RunLockTest, TrayEndDuringARunWaitsForIt) {
    bool visibleAfterEnd = false;
    int ended = 0;
    win_->setClosedHandler([&ended] { ++ended; });
    JobOperations operations = DefaultJobOperations();
    operations.join = [&](JobHost& host) {
        win_->K3->trigger();
        visibleAfterEnd = win_->isVisible();
        EXPECT_EQ(ended, 0);
        EXPECT_EQ(host.job().CancelFlag, 1);
    };
    win_->setOperations(operations);
    win_->show();
    win_->Ketugou->setChecked(true);
    win_->addInput("/in.txt");
    win_->setOutputText("/joined.txt");
    win_->StartButtonClick();
    EXPECT_TRUE(visibleAfterEnd);
    EXPECT_FALSE(win_->isVisible());
    EXPECT_EQ(ended, 1);
}

TEST_F(RunLockTest, CancelDuringOneSplitStopsOnlyThatOne) {
    const std::string input = writeFile("big.bin", 3000000);
    const std::string out = makeFolder("out");
    win_->Bunkatu->setChecked(true);
    win_->addInput(input);
    win_->setOutputText(out);
    QTimer::singleShot(0, win_.get(), [this] { win_->CancelButton->click(); });
    win_->StartButtonClick();
    EXPECT_FALSE(Exists(PieceName(out, "big.bin", 3, 0, 2)));
    win_->Bunkatu->setChecked(true);
    win_->addInput(input);
    win_->setOutputText(out);
    win_->StartButtonClick();
    EXPECT_TRUE(Exists(PieceName(out, "big.bin", 3, 0, 3)));
}

} // namespace
} // namespace zol::test
