// The folder chooser, the format dialog's erasure and the help topics.
#include "DriveFormatter.h"
#include "FakeDialogs.h"
#include "FolderChooser.h"
#include "FormatDialog.h"
#include "HelpWindow.h"
#include "QtDialogs.h"
#include "engine/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
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
    EXPECT_FALSE(AcceptFolder(dialogs_, nullptr, path(QStringLiteral("file")), dir_.path()));
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].flags, mb::Ok | mb::IconError);
}

// A name typed without a path is made in the folder the chooser shows, not in the program's
// current folder; "~" is the home folder.
TEST_F(FolderChooserTest, TypedNamesAreTakenInTheShownFolder) {
    QDir(dir_.path()).mkdir(QStringLiteral("shown"));
    FolderChooser chooser(dialogs_, nullptr, path(QStringLiteral("shown")), 9);
    chooser.pathEdit()->setText(QStringLiteral("new"));
    dialogs_.answers = {mb::IdYes};
    chooser.tryAccept();
    EXPECT_EQ(chooser.chosenFolder(), path(QStringLiteral("shown/new")));
    EXPECT_TRUE(QDir(path(QStringLiteral("shown/new"))).exists());
    EXPECT_FALSE(QDir(QDir::current().absoluteFilePath(QStringLiteral("new"))).exists());
    EXPECT_EQ(AcceptFolder(dialogs_, nullptr, QStringLiteral("~"), dir_.path()), QDir::homePath());
}

TEST_F(FolderChooserTest, HelpButtonOpensTheChoosersContext) {
    FolderChooser chooser(dialogs_, nullptr, dir_.path(), 12);
    for (QPushButton* button : chooser.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("ヘルプ"))
            button->click();
    EXPECT_EQ(dialogs_.helpTopics, std::vector<QString>{QStringLiteral("12")});
}

// The archive to compress into need not exist yet: the name is taken as typed.
TEST(NameFileTest, TakesANameThatDoesNotExistYet) {
    QTemporaryDir dir;
    QtDialogs dialogs;
    bool found = false;
    QTimer::singleShot(0, [&found] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        found = true;
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("backup"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    // Dialogs left open by a failed step (a "not found" box over the file dialog) must not
    // hang the test.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    guard.start(2000);
    const std::optional<QString> name = dialogs.nameFile(nullptr, dir.path());
    EXPECT_TRUE(found);
    EXPECT_EQ(name, dir.path() + QStringLiteral("/backup"));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/backup")));
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

// A formatter that reaches only the drives it is told of and records what it is asked.
class FakeFormatter : public DriveFormatter {
public:
    std::optional<QString> currentLabel(const QString& driveRoot) override {
        if (!reachable.contains(driveRoot))
            return std::nullopt;
        return QStringLiteral("FLOPPY");
    }
    FormatOutcome format(const QString& driveRoot, const QString& label) override {
        calls.emplace_back(driveRoot, label);
        return outcome;
    }

    QStringList reachable;
    FormatOutcome outcome;
    std::vector<std::pair<QString, QString>> calls;
};

class FormatDialogTest : public ::testing::Test {
protected:
    QString driveRoot() const { return dir_.path() + QLatin1Char('/'); }
    bool oldFileThere() const { return QFile::exists(dir_.path() + QStringLiteral("/old.txt")); }
    void SetUp() override {
        QFile file(dir_.path() + QStringLiteral("/old.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }

    QTemporaryDir dir_;
    FakeDialogs dialogs_;
    FakeFormatter formatter_;
};

TEST_F(FormatDialogTest, ErasesTheMediumOnConfirmationAndTellsTheOutcome) {
    dialogs_.answers = {mb::IdCancel};
    FormatDialog dialog(dialogs_, nullptr, driveRoot(), formatter_);
    EXPECT_EQ(dialog.realFormatBox(), nullptr);
    dialog.startFormat();
    EXPECT_TRUE(oldFileThere());
    dialog.startFormat();
    EXPECT_FALSE(oldFileThere());
    ASSERT_EQ(dialogs_.boxes.size(), 3u);
    EXPECT_EQ(dialogs_.boxes[0].flags, mb::OkCancel | mb::IconQuestion);
    EXPECT_EQ(dialogs_.boxes[2].text, "フォーマットが終了しました。");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(formatter_.calls.empty());
}

TEST_F(FormatDialogTest, OffersTheRealFormatOnlyForAReachableDrive) {
    formatter_.reachable = {driveRoot()};
    FormatDialog reachable(dialogs_, nullptr, driveRoot(), formatter_);
    ASSERT_NE(reachable.realFormatBox(), nullptr);
    EXPECT_FALSE(reachable.realFormatBox()->isChecked());
    EXPECT_FALSE(reachable.labelEdit()->isEnabled());
    EXPECT_EQ(reachable.labelEdit()->text(), QStringLiteral("FLOPPY"));
    reachable.realFormatBox()->setChecked(true);
    EXPECT_TRUE(reachable.labelEdit()->isEnabled());

    formatter_.reachable = {QStringLiteral("/media/other/")};
    FormatDialog unreachable(dialogs_, nullptr, driveRoot(), formatter_);
    EXPECT_EQ(unreachable.realFormatBox(), nullptr);
}

TEST_F(FormatDialogTest, UncheckedRealFormatErases) {
    formatter_.reachable = {driveRoot()};
    FormatDialog dialog(dialogs_, nullptr, driveRoot(), formatter_);
    dialog.startFormat();
    EXPECT_FALSE(oldFileThere());
    EXPECT_TRUE(formatter_.calls.empty());
}

TEST_F(FormatDialogTest, RealFormatGoesToTheDriveWithTheLabel) {
    formatter_.reachable = {driveRoot()};
    formatter_.outcome = {true, QString(), QStringLiteral("/media/user/ZOL")};
    FormatDialog dialog(dialogs_, nullptr, driveRoot(), formatter_);
    dialog.realFormatBox()->setChecked(true);
    dialog.labelEdit()->setText(QStringLiteral("ZOL"));
    dialog.startFormat();
    ASSERT_EQ(formatter_.calls.size(), 1u);
    EXPECT_EQ(formatter_.calls[0].first, driveRoot());
    EXPECT_EQ(formatter_.calls[0].second, QStringLiteral("ZOL"));
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes[1].text,
              "フォーマットが終了しました。\n新しいマウント先: /media/user/ZOL");
    EXPECT_EQ(dialogs_.boxes[1].flags, mb::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(FormatDialogTest, CancelledConfirmationFormatsNothing) {
    formatter_.reachable = {driveRoot()};
    dialogs_.answers = {mb::IdCancel};
    FormatDialog dialog(dialogs_, nullptr, driveRoot(), formatter_);
    dialog.realFormatBox()->setChecked(true);
    dialog.startFormat();
    EXPECT_TRUE(formatter_.calls.empty());
    EXPECT_TRUE(oldFileThere());
}

TEST_F(FormatDialogTest, FailedRealFormatIsReportedAndLeavesTheEraseChosen) {
    formatter_.reachable = {driveRoot()};
    formatter_.outcome = {false, QStringLiteral("ドライブをアンマウントできませんでした。\nbusy"),
                          driveRoot()};
    FormatDialog dialog(dialogs_, nullptr, driveRoot(), formatter_);
    dialog.realFormatBox()->setChecked(true);
    dialog.startFormat();
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes[1].text, "ドライブをアンマウントできませんでした。\nbusy");
    EXPECT_EQ(dialogs_.boxes[1].flags, mb::Ok | mb::IconError);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(oldFileThere());
    EXPECT_FALSE(dialog.realFormatBox()->isChecked());

    dialog.startFormat();
    EXPECT_EQ(formatter_.calls.size(), 1u);
    EXPECT_FALSE(oldFileThere());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(FormatDialogTest, FormatWhoseRemountFailedIsDoneButSaysSo) {
    formatter_.reachable = {driveRoot()};
    formatter_.outcome = {true, QStringLiteral("ドライブをマウントし直せませんでした。"),
                          QString()};
    FormatDialog dialog(dialogs_, nullptr, driveRoot(), formatter_);
    dialog.realFormatBox()->setChecked(true);
    dialog.startFormat();
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes[1].text,
              "フォーマットが終了しました。\nドライブをマウントし直せませんでした。");
    EXPECT_EQ(dialogs_.boxes[1].flags, mb::Ok | mb::IconError);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace zol::test
