// Choosing inputs and output: the input and output buttons, drops, list clicks, view button.
#include "WindowFixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

namespace zol::test {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

class SelectTest : public WindowTest {
protected:
    void SetUp() override { makeWindow(); }
};

TEST_F(SelectTest, FileDialogAddsSortedAndNotesTheLastEntry) {
    const std::string b = scratch("one/b.txt");
    const std::string a = scratch("two/A.txt");
    dialogs_.fileAnswers = {{q(b), q(a)}};
    win_->BitBtn1->click();
    EXPECT_EQ(win_->inputs(), (std::vector<std::string>{b, a}));
    win_->ListBox1->clear();
    dialogs_.fileAnswers = {{q(scratch("d/b.txt")), q(scratch("d/A.txt"))}};
    win_->BitBtn1Click();
    EXPECT_EQ(win_->inputs(), (std::vector<std::string>{scratch("d/A.txt"), scratch("d/b.txt")}));
    EXPECT_EQ(win_->job().LastInputDir, scratch("d/"));
    // The next dialog starts where the last one ended.
    EXPECT_EQ(dialogs_.fileStarts, (std::vector<QString>{QString(), q(scratch("two/"))}));
}

TEST_F(SelectTest, LastInputDirIsTheFolderOfTheLastListedEntry) {
    dialogs_.fileAnswers = {{q("/z/last.txt")}, {q("/a/first.txt")}};
    win_->BitBtn1Click();
    win_->BitBtn1Click();
    EXPECT_EQ(win_->inputs().back(), "/z/last.txt");
    EXPECT_EQ(win_->job().LastInputDir, "/z/");
}

TEST_F(SelectTest, FolderBranchAddsTheFolderWithItsSeparator) {
    win_->AsnDir->setChecked(true);
    dialogs_.folderAnswers = {q("/data"), q("/data/sub")};
    win_->BitBtn1Click();
    EXPECT_EQ(win_->inputs(), std::vector<std::string>{"/data/"});
    EXPECT_EQ(win_->job().LastInputDir, "/data/");
    win_->BitBtn1Click();
    ASSERT_EQ(dialogs_.folderCalls.size(), 2u);
    EXPECT_EQ(dialogs_.folderCalls[0], std::make_pair(QString(), 8));
    EXPECT_EQ(dialogs_.folderCalls[1], std::make_pair(q("/data/"), 8));
    EXPECT_EQ(win_->job().LastInputDir, "/data/sub/");
}

TEST_F(SelectTest, FolderBranchDoesNotTouchTheJoinedName) {
    win_->Ketugou->setChecked(true);
    win_->job().JoinFileName = "kept.doc";
    win_->AsnDir->setChecked(true);
    dialogs_.folderAnswers = {q("/data")};
    win_->BitBtn1Click();
    EXPECT_EQ(win_->job().JoinFileName, "kept.doc");
}

TEST_F(SelectTest, CancelledDialogsChangeNothing) {
    win_->addInput("/x/in.txt");
    win_->setOutputText("/typed");
    win_->job().LastInputDir = "/x/";
    for (int procMode = 0; procMode <= 5; ++procMode) {
        win_->job().ProcMode = procMode;
        win_->AsnFile->setChecked(procMode % 2 == 0);
        win_->AsnDir->setChecked(procMode % 2 == 1);
        win_->BitBtn1Click();
        win_->BitBtn2Click();
    }
    EXPECT_EQ(win_->inputs(), std::vector<std::string>{"/x/in.txt"});
    EXPECT_EQ(win_->outputText(), "/typed");
    EXPECT_EQ(win_->job().LastInputDir, "/x/");
    EXPECT_EQ(win_->job().OutputDir, "");
    EXPECT_EQ(win_->job().LastOutputDir, "");
    EXPECT_EQ(win_->job().JoinFileName, "");
}

TEST_F(SelectTest, JoinModesNameTheJoinedFileFromTheLastEntry) {
    for (const int procMode : {2, 5}) {
        SCOPED_TRACE(procMode);
        makeWindow();
        (procMode == 2 ? win_->Ketugou : win_->KetuAndMelt)->setChecked(true);
        dialogs_.fileAnswers = {{q("/fd/zold(report.doc)030201.zol")}};
        win_->BitBtn1Click();
        EXPECT_EQ(win_->job().JoinFileName, "report.doc");
        win_->WMDropFiles({"/zz/plain.txt"});
        EXPECT_EQ(win_->job().JoinFileName, "");
    }
    makeWindow();
    win_->Bunkatu->setChecked(true);
    win_->WMDropFiles({"/fd/zold(report.doc)030201.zol"});
    EXPECT_EQ(win_->job().JoinFileName, "");
}

struct OutputRow {
    int procMode;
    int helpContext;
    const char* output; // with JoinFileName "report.doc" known
};

TEST_F(SelectTest, OutputFolderByMode) {
    const OutputRow rows[] = {{1, 9, "/out/"},
                              {2, 10, "/out/report.doc"},
                              {3, 11, "/out/"},
                              {4, 7, "/out/"},
                              {5, 12, "/out/"}};
    for (const OutputRow& row : rows) {
        SCOPED_TRACE(row.procMode);
        makeWindow();
        dialogs_.folderCalls.clear();
        win_->job().ProcMode = row.procMode;
        win_->job().JoinFileName = "report.doc";
        win_->job().LastOutputDir = "/before/";
        dialogs_.folderAnswers = {q("/out")};
        win_->BitBtn2Click();
        ASSERT_EQ(dialogs_.folderCalls.size(), 1u);
        EXPECT_EQ(dialogs_.folderCalls[0], std::make_pair(q("/before/"), row.helpContext));
        EXPECT_EQ(win_->outputText(), row.output);
        EXPECT_EQ(win_->job().OutputDir, "/out/");
        EXPECT_EQ(win_->job().LastOutputDir, "/out/");
    }
}

TEST_F(SelectTest, JoinWithoutAKnownNameGetsTheFolderOnly) {
    win_->job().ProcMode = 2;
    dialogs_.folderAnswers = {q("/out/")};
    win_->BitBtn2Click();
    EXPECT_EQ(win_->outputText(), "/out/");
}

TEST_F(SelectTest, CompressOutputIsTheChosenFileAsItIs) {
    win_->Archive->setChecked(true);
    dialogs_.fileAnswers = {{q("/in/a.txt")}, {q("/arc/backup"), q("/arc/other")}};
    win_->BitBtn1Click();
    win_->BitBtn2Click();
    EXPECT_EQ(win_->outputText(), "/arc/backup");
    EXPECT_EQ(win_->job().OutputDir, "/arc/");
    EXPECT_EQ(win_->job().LastOutputDir, "/arc/");
    // The output dialog starts where the input dialog was last opened.
    EXPECT_EQ(dialogs_.fileStarts.back(), QString());
    EXPECT_TRUE(dialogs_.folderCalls.empty());
}

TEST_F(SelectTest, OutputButtonDoesNothingWithoutAMode) {
    dialogs_.folderAnswers = {q("/out")};
    dialogs_.fileAnswers = {{q("/arc/x")}};
    win_->BitBtn2Click();
    EXPECT_TRUE(dialogs_.folderCalls.empty());
    EXPECT_TRUE(dialogs_.fileStarts.empty());
    EXPECT_EQ(win_->outputText(), "");
    // The input button and drops still add.
    win_->BitBtn1Click();
    win_->WMDropFiles({"/d/x"});
    EXPECT_EQ(win_->inputs().size(), 2u);
}

TEST_F(SelectTest, ClickShowsSizeAdviceAndViewButton) {
    const std::string piece = writeFile("zold(report.doc)030001.zol", 1457664);
    const std::string archive = writeFile("SET.LZH", 10);
    const std::string text = writeFile("notes.txt", 1234567);
    win_->Ketugou->setChecked(true);
    win_->WMDropFiles({piece, archive, text});
    win_->job().OutputDir = "/out/";
    const auto click = [this](const std::string& path) {
        const auto entries = win_->inputs();
        win_->ListBox1->setCurrentRow(
            static_cast<int>(std::find(entries.begin(), entries.end(), path) - entries.begin()));
        win_->ListBox1Click();
    };
    click(piece);
    EXPECT_EQ(win_->memo(1), "File Len : 1,457,664byte");
    EXPECT_EQ(win_->memo(2), "ファイルの中の「zold(xxxxxx.xxx)xxxxxx.zol」をクリックして");
    EXPECT_EQ(win_->memo(4), "");
    EXPECT_EQ(win_->outputText(), "/out/report.doc");
    EXPECT_TRUE(win_->BitBtn3->isHidden());
    click(archive);
    EXPECT_EQ(win_->memo(1), "File Len : 10byte");
    EXPECT_EQ(win_->memo(2), "このファイルは結合処理に必要なファイルではありません。");
    EXPECT_EQ(win_->outputText(), "/out/report.doc");
    EXPECT_FALSE(win_->BitBtn3->isHidden());
    click(text);
    EXPECT_EQ(win_->memo(1), "File Len : 1,234,567byte");
    EXPECT_TRUE(win_->BitBtn3->isHidden());
}

TEST_F(SelectTest, ClickOnAFolderEntryShowsZeroBytes) {
    win_->Melt->setChecked(true);
    win_->WMDropFiles({makeFolder("folder")});
    win_->ListBox1->setCurrentRow(0);
    win_->ListBox1Click();
    EXPECT_EQ(win_->memo(1), "File Len : 0byte");
    EXPECT_EQ(win_->memo(2), "このファイルは解凍するファイルではありません。");
}

// Only the left button selects; a right or middle click would leave another entry's advice and
// output name beside the selected one.
TEST_F(SelectTest, OnlyTheLeftButtonSelectsAnEntry) {
    win_->Ketugou->setChecked(true);
    win_->WMDropFiles({"/a/zold(x.txt)020001.zol", "/a/zold(y.txt)020001.zol"});
    win_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win_.get()));
    const auto at = [this](int row) {
        return win_->ListBox1->visualItemRect(win_->ListBox1->item(row)).center();
    };
    QWidget* viewport = win_->ListBox1->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at(0));
    ASSERT_EQ(win_->ListBox1->selectedRow(), 0);
    EXPECT_EQ(win_->outputText(), "x.txt");
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(viewport, button, {}, at(1));
        EXPECT_EQ(win_->ListBox1->selectedRow(), 0) << button;
        EXPECT_EQ(win_->outputText(), "x.txt") << button;
    }
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at(1));
    EXPECT_EQ(win_->ListBox1->selectedRow(), 1);
    EXPECT_EQ(win_->outputText(), "y.txt");
}

TEST_F(SelectTest, DoubleClickRemovesTheEntry) {
    win_->Ketugou->setChecked(true);
    win_->WMDropFiles({"/a/SET.lzh", "/a/x.txt"});
    win_->ListBox1->setCurrentRow(0);
    win_->ListBox1Click();
    ASSERT_FALSE(win_->BitBtn3->isHidden());
    win_->ListBox1DblClick();
    EXPECT_EQ(win_->inputs(), std::vector<std::string>{"/a/x.txt"});
    EXPECT_EQ(win_->memo(1), "指定ファイルリストから削除しました。");
    for (int line = 2; line <= 4; ++line)
        EXPECT_EQ(win_->memo(line), "");
    EXPECT_TRUE(win_->BitBtn3->isHidden());
    EXPECT_EQ(win_->ListBox1->selectedRow(), -1) << "nothing is selected after the removal";
    win_->ListBox1DblClick();
    EXPECT_EQ(win_->inputs().size(), 1u);
}

TEST_F(SelectTest, ViewButtonOpensTheViewerOnlyForASelectedArchive) {
    int opened = 0;
    win_->setViewerOpener([&opened] { ++opened; });
    win_->WMDropFiles({"/a/SET.LZH", "/a/x.txt"});
    win_->BitBtn3Click();
    EXPECT_EQ(opened, 0);
    win_->ListBox1->setCurrentRow(1);
    win_->BitBtn3Click();
    EXPECT_EQ(opened, 0);
    win_->ListBox1->setCurrentRow(0);
    win_->BitBtn3Click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(win_->selectedInput(), std::optional<std::string>("/a/SET.LZH"));
}

TEST_F(SelectTest, DropsAddOneEntryPerPathWholeAndUnfiltered) {
    const std::string folder = makeFolder("dropped");
    const std::string longName = scratch(std::string(200, 'n') + "/" + std::string(200, 'm'));
    const std::string file = writeFile("b.txt", 3);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(q(file)), QUrl::fromLocalFile(q(folder)),
                  QUrl::fromLocalFile(q(longName)), QUrl::fromLocalFile(q(file)),
                  QUrl(QStringLiteral("https://example.org/x"))});
    win_->show();
    // As a file manager's drag arrives: enter first, then the drop on the accepting window.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(win_.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(win_.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    const std::string folderAsDropped = folder.substr(0, folder.size() - 1);
    std::vector<std::string> expected{file, file, folderAsDropped, longName};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(win_->inputs(), expected);
    EXPECT_GT(longName.size(), 400u);
    EXPECT_EQ(win_->job().LastInputDir, scratch(std::string(200, 'n') + "/"));
}

TEST_F(SelectTest, FileDroppedOnTheOutputFieldIsAnInput) {
    const std::string file = writeFile("b.txt", 3);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(q(file))});
    data.setText(QUrl::fromLocalFile(q(file)).toString());
    win_->show();
    // Through the window, as the system delivers a drag: the widget under the point takes it.
    QWindow* window = win_->QWidget::windowHandle();
    ASSERT_NE(window, nullptr);
    const QPointF at = win_->Edit1->mapTo(win_.get(), QPointF(20, 8));
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    EXPECT_EQ(win_->outputText(), "");
    EXPECT_EQ(win_->inputs(), std::vector<std::string>{file});
}

} // namespace
} // namespace zol::test

namespace zol::test {
namespace {

TEST_F(SelectTest, MovingTheSelectionWithTheKeysCountsAsAClick) {
    win_->Bunkatu->setChecked(true);
    win_->WMDropFiles({writeFile("a.bin", 5), writeFile("b.bin", 3000000)});
    win_->ListBox1->setCurrentRow(0);
    // Set by the program, without the keys: no click.
    EXPECT_EQ(win_->memo(1), "");
    win_->show();
    win_->activateWindow();
    QApplication::processEvents();
    win_->ListBox1->setFocus();
    ASSERT_TRUE(win_->ListBox1->hasFocus());
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(win_->ListBox1, &down);
    EXPECT_EQ(win_->ListBox1->selectedRow(), 1);
    EXPECT_EQ(win_->memo(1), "File Len : 3,000,000byte");
    EXPECT_EQ(win_->memo(2), "このファイルの分割の為に、 3枚のＦＤを用意してください。");
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(win_->ListBox1, &up);
    EXPECT_EQ(win_->memo(1), "File Len : 5byte");
}

} // namespace
} // namespace zol::test
