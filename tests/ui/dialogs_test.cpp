// The folder chooser, the format dialog's erasure and the help topics.
#include "FakeDialogs.h"
#include "FolderChooser.h"
#include "FormatDialog.h"
#include "HelpWindow.h"
#include "engine/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace zol::test {
namespace {

const char* const CreateQuestion = "指定されたﾃﾞｨﾚｸﾄﾘが存在しません。作成しますか？";

class FolderChooserTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    QTemporaryDir dir_;
    FakeDialogs dialogs_;
};

TEST_F(FolderChooserTest, StartsAtTheGivenFolderAndAcceptsAnExistingOne) {
    FolderChooser chooser(dialogs_, nullptr, dir_.path(), 9);
    EXPECT_EQ(chooser.pathEdit()->text(), dir_.path());
    chooser.tryAccept();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.chosenFolder(), dir_.path());
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(FolderChooserTest, YesCreatesTheTypedFolderWithItsParents) {
    FolderChooser chooser(dialogs_, nullptr, dir_.path(), 9);
    chooser.pathEdit()->setText(path(QStringLiteral("new/deeper")));
    dialogs_.answers = {mb::IdYes};
    chooser.tryAccept();
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text, CreateQuestion);
    EXPECT_EQ(dialogs_.boxes[0].flags, mb::YesNo | mb::IconQuestion);
    EXPECT_TRUE(QDir(path(QStringLiteral("new/deeper"))).exists());
    EXPECT_EQ(chooser.chosenFolder(), path(QStringLiteral("new/deeper")));
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

TEST_F(FolderChooserTest, NoCreatesNothingAndAcceptsNothing) {
    FolderChooser chooser(dialogs_, nullptr, dir_.path(), 9);
    chooser.pathEdit()->setText(path(QStringLiteral("new")));
    dialogs_.answers = {mb::IdNo};
    chooser.tryAccept();
    EXPECT_FALSE(QDir(path(QStringLiteral("new"))).exists());
    EXPECT_TRUE(chooser.chosenFolder().isEmpty());
    EXPECT_NE(chooser.result(), QDialog::Accepted);
}

TEST_F(FolderChooserTest, FailedCreationIsToldAndNothingIsAccepted) {
    std::ofstream(path(QStringLiteral("file")).toStdString()) << "x";
    FolderChooser chooser(dialogs_, nullptr, dir_.path(), 9);
    chooser.pathEdit()->setText(path(QStringLiteral("file/sub")));
    chooser.tryAccept();
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes[0].text, CreateQuestion);
    EXPECT_EQ(dialogs_.boxes[1].flags, mb::Ok | mb::IconError);
    EXPECT_TRUE(chooser.chosenFolder().isEmpty());
    EXPECT_NE(chooser.result(), QDialog::Accepted);
}

TEST_F(FolderChooserTest, AFileIsNoFolder) {
    std::ofstream(path(QStringLiteral("file")).toStdString()) << "x";
    EXPECT_FALSE(AcceptFolder(dialogs_, nullptr, path(QStringLiteral("file"))));
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].flags, mb::Ok | mb::IconError);
}

TEST_F(FolderChooserTest, HelpButtonOpensTheChoosersContext) {
    FolderChooser chooser(dialogs_, nullptr, dir_.path(), 12);
    for (QPushButton* button : chooser.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("ヘルプ"))
            button->click();
    EXPECT_EQ(dialogs_.helpTopics, std::vector<QString>{QStringLiteral("12")});
}

TEST(EraseMediumTest, RemovesEveryEntryButKeepsTheRoot) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/";
    std::filesystem::create_directories(root + "sub/deeper");
    std::ofstream(root + "sub/deeper/a.txt") << "a";
    std::ofstream(root + ".hidden") << "h";
    EXPECT_TRUE(EraseMedium(root));
    EXPECT_TRUE(std::filesystem::is_directory(root));
    EXPECT_TRUE(std::filesystem::is_empty(root));
}

TEST(EraseMediumTest, RefusesTheSystemRootAndNonFolders) {
    EXPECT_FALSE(EraseMedium(""));
    EXPECT_FALSE(EraseMedium("/"));
    EXPECT_FALSE(EraseMedium("/nonexistent-zol-folder/"));
    EXPECT_TRUE(std::filesystem::exists("/proc"));
}

TEST(HelpTest, EveryTopicHasItsAnchorInTheGuide) {
    QFile guide(QStringLiteral(":/tessmarc/tessmarc.html"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(guide.readAll());
    for (const QString& topic :
         {QStringLiteral("はじめに"), QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("8"),
          QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")}) {
        SCOPED_TRACE(topic.toStdString());
        EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(HelpAnchor(topic))));
    }
    EXPECT_EQ(HelpAnchor(QStringLiteral("はじめに")), QStringLiteral("intro"));
    EXPECT_EQ(HelpAnchor(QStringLiteral("10")), QStringLiteral("context10"));
}

TEST(HelpTest, WindowShowsTheTopicAndCloses) {
    HelpWindow help;
    help.showTopic(QStringLiteral("9"));
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.source().fragment(), QStringLiteral("context9"));
    EXPECT_TRUE(help.toPlainText().contains(QStringLiteral("分割先フォルダ")));
    help.close();
    EXPECT_FALSE(help.isVisible());
}

} // namespace
} // namespace zol::test

namespace zol::test {
namespace {

TEST(FormatDialogTest, ErasesTheMediumOnConfirmationAndTellsTheOutcome) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/";
    std::ofstream(root + "old.txt") << "old";
    FakeDialogs dialogs;
    dialogs.answers = {mb::IdCancel};
    FormatDialog dialog(dialogs, nullptr, dir.path() + QLatin1Char('/'));
    dialog.startFormat();
    EXPECT_TRUE(std::filesystem::exists(root + "old.txt"));
    dialog.startFormat();
    EXPECT_FALSE(std::filesystem::exists(root + "old.txt"));
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[0].flags, mb::OkCancel | mb::IconQuestion);
    EXPECT_EQ(dialogs.boxes[2].text, "フォーマットが終了しました。");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace zol::test
