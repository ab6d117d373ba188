// The main window as it appears at load: rectangles, captions, fonts and start-up state.
#include "WindowFixture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QScreen>
#include <QStyle>
#include <QTest>

namespace zol::test {
namespace {

struct Component {
    const char* name;
    QRect rect;
    const char* caption;
};

const Component Components[] = {
    {"VersionBox", {0, -4, 420, 42}, ""},
    {"Image1", {8, 8, 32, 32}, nullptr},
    {"Label5", {67, 12, 345, 13}, nullptr},
    {"Version", {79, 25, 333, 13}, nullptr},
    {"GroupBox1", {0, 40, 420, 39}, "処理方法"},
    {"GroupBox6", {0, 80, 210, 40}, "圧縮処理"},
    {"GroupBox2", {210, 80, 210, 40}, "分割サイズ（単位ＭＢ）"},
    {"GroupBox7", {210, 80, 210, 40}, "結合処理"},
    {"GroupBox3", {0, 120, 420, 80}, "入力ファイル"},
    {"ListBox1", {4, 12, 375, 60}, nullptr},
    {"BitBtn1", {384, 12, 30, 20}, ""},
    {"BitBtn3", {384, 50, 30, 20}, ""},
    {"GroupBox4", {0, 200, 420, 40}, "出力ファイル"},
    {"Edit1", {4, 12, 375, 21}, ""},
    {"BitBtn2", {384, 12, 30, 20}, ""},
    {"GroupBox5", {0, 240, 420, 70}, "メ  モ"},
    {"Label1", {5, 12, 410, 13}, ""},
    {"Label2", {5, 26, 410, 13}, ""},
    {"Label3", {5, 40, 410, 13}, ""},
    {"Label4", {5, 54, 410, 13}, ""},
    {"Prcinf", {0, 315, 420, 20}, "最初に処理方法を決定して下さい。（圧縮、分割、結合、解凍）"},
    {"PrgBar", {0, 315, 420, 20}, nullptr},
    {"HelpButton", {65, 340, 80, 20}, "ヘルプ"},
    {"StartButton", {155, 340, 80, 20}, "開始"},
    {"CancelButton", {245, 340, 80, 20}, "キャンセル"},
    {"EndButton", {335, 340, 80, 20}, "終了"},
    {"AchAndBun", {}, "圧縮＆分割"},
    {"Archive", {}, "圧縮"},
    {"Bunkatu", {}, "分割"},
    {"Ketugou", {}, "結合"},
    {"Melt", {}, "解凍"},
    {"KetuAndMelt", {}, "結合＆解凍"},
    {"AsnFile", {}, "ファイル指定"},
    {"AsnDir", {}, "フォルダ指定"},
    {"FD144", {}, "1.44"},
    {"FD125", {}, "1.25"},
    {"FD095", {}, "0.95"},
    {"FD072", {}, "0.72"},
    {"BuFile", {}, "分割済ﾌｧｲﾙ"},
    {"FeFile", {}, "指定自由"},
};

QString captionOf(QWidget* widget) {
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* text = qobject_cast<QLabel*>(widget))
        return text->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    return {};
}

class LayoutTest : public WindowTest {
protected:
    void SetUp() override { makeWindow(); }
};

TEST_F(LayoutTest, EveryComponentAtItsRectangleWithItsCaption) {
    for (const Component& component : Components) {
        SCOPED_TRACE(component.name);
        auto* widget = win_->findChild<QWidget*>(QString::fromLatin1(component.name));
        ASSERT_NE(widget, nullptr);
        if (!component.rect.isNull()) {
            EXPECT_EQ(widget->geometry(), component.rect);
        }
        if (component.caption) {
            EXPECT_EQ(captionOf(widget).toStdString(), component.caption);
        }
    }
}

TEST_F(LayoutTest, RadiosLieInsideTheirGroups) {
    const std::pair<const char*, QWidget*> groups[] = {{"AchAndBun", win_->GroupBox1},
                                                       {"KetuAndMelt", win_->GroupBox1},
                                                       {"AsnDir", win_->GroupBox6},
                                                       {"FD072", win_->GroupBox2},
                                                       {"FeFile", win_->GroupBox7}};
    for (const auto& [name, group] : groups) {
        SCOPED_TRACE(name);
        auto* radioButton = win_->findChild<QRadioButton*>(QString::fromLatin1(name));
        ASSERT_EQ(radioButton->parentWidget(), group);
        EXPECT_TRUE(QRect(QPoint(), group->size()).contains(radioButton->geometry()));
    }
}

TEST_F(LayoutTest, FixedClientAreaWithoutMinimiseOrMaximise) {
    EXPECT_EQ(win_->size(), QSize(420, 363));
    EXPECT_EQ(win_->minimumSize(), QSize(420, 363));
    EXPECT_EQ(win_->maximumSize(), QSize(420, 363));
    const Qt::WindowFlags flags = win_->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(win_->windowTitle().toStdString(), "ファイルの圧縮・分割・結合・解凍");
}

TEST_F(LayoutTest, FontsAndLook) {
    EXPECT_EQ(win_->font().families().value(0).toStdString(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(win_->font().families().value(1).toStdString(), "IPAPGothic");
    EXPECT_EQ(win_->font().pixelSize(), 12);
    EXPECT_EQ(win_->ListBox1->font().pixelSize(), 13);
    EXPECT_EQ(win_->Edit1->font().pixelSize(), 13);
    for (QLabel* versionLabel : {win_->Version, win_->Label5}) {
        EXPECT_EQ(versionLabel->font().pixelSize(), 11);
        EXPECT_TRUE(versionLabel->font().bold());
        EXPECT_EQ(versionLabel->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
    }
    EXPECT_TRUE(win_->Prcinf->font().bold());
    EXPECT_EQ(win_->style()->name().toLower(), "windows");
    EXPECT_EQ(win_->GroupBox3->style(), win_->style());
    // The Japanese font is really found (fontconfig has IPAPGothic or another CJK font).
    EXPECT_TRUE(QFontInfo(win_->font()).exactMatch() ||
                QFontDatabase::families(QFontDatabase::Japanese)
                    .contains(QFontInfo(win_->font()).family()));
}

TEST_F(LayoutTest, StateAtLoad) {
    EXPECT_TRUE(win_->GroupBox2->isHidden());
    EXPECT_TRUE(win_->GroupBox6->isHidden());
    EXPECT_TRUE(win_->GroupBox7->isHidden());
    EXPECT_TRUE(win_->BitBtn3->isHidden());
    EXPECT_TRUE(win_->PrgBar->isHidden());
    EXPECT_FALSE(win_->CancelButton->isEnabled());
    EXPECT_TRUE(win_->AsnFile->isChecked());
    EXPECT_TRUE(win_->BuFile->isChecked());
    for (QRadioButton* radioButton :
         {win_->AchAndBun, win_->Archive, win_->Bunkatu, win_->Ketugou, win_->Melt,
          win_->KetuAndMelt, win_->FD144, win_->FD125, win_->FD095, win_->FD072})
        EXPECT_FALSE(radioButton->isChecked()) << radioButton->objectName().toStdString();
    EXPECT_EQ(win_->job().ProcMode, 9);
    EXPECT_EQ(win_->job().CancelFlag, 0);
    EXPECT_EQ(win_->job().PieceSize, 0);
    for (int line = 1; line <= 4; ++line)
        EXPECT_EQ(win_->memo(line), "");
    EXPECT_TRUE(win_->acceptDrops());
    EXPECT_TRUE(win_->Version->text().startsWith(QStringLiteral("Version  V6.60 99.05.03")));
    EXPECT_GT(win_->Version->text().size(), QStringLiteral("Version  V6.60 99.05.03").size());
    EXPECT_FALSE(win_->Label5->text().isEmpty());
}

TEST_F(LayoutTest, IconOnImageAndWindow) {
    const QPixmap picture = win_->Image1->pixmap();
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_FALSE(win_->windowIcon().isNull());
    // Drawn, not blank: the disk's outline is black at the left edge.
    EXPECT_EQ(picture.toImage().pixelColor(2, 16), QColor(Qt::black));
}

TEST_F(LayoutTest, TrayMenuItemsInOrder) {
    const QList<QAction*> items = win_->PopupMenu->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], win_->K1);
    EXPECT_EQ(items[0]->text().toStdString(), "ファイルの圧縮・分割・結合・解凍の表示");
    EXPECT_EQ(items[1]->text().toStdString(), "ファイルの圧縮・分割・結合・解凍の非表示");
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3], win_->K3);
    EXPECT_EQ(items[3]->text().toStdString(), "ファイルの圧縮・分割・結合・解凍の終了");
}

TEST_F(LayoutTest, CentredOnTheScreen) {
    const QRect area = win_->screen()->geometry();
    const QRect frame = win_->frameGeometry();
    EXPECT_EQ(frame.top() - area.top(), (area.height() - frame.height()) / 2);
    EXPECT_EQ(frame.left() - area.left(), (area.width() - frame.width()) / 2);
}

// Focus starts in the mode group and Tab walks the shown, enabled controls in the window's
// order, round to the start; after choosing split the piece sizes come in after the modes.
// F1 opens the help at the window's help context.
TEST_F(LayoutTest, KeyboardOrderAndHelpKey) {
    win_->show();
    win_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win_.get()));
    const auto walk = [this](int steps) {
        std::vector<QString> names;
        for (int i = 0; i < steps; ++i) {
            names.push_back(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                        : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return names;
    };
    const auto names = [](std::initializer_list<const char*> list) {
        std::vector<QString> out;
        for (const char* name : list)
            out.push_back(QString::fromLatin1(name));
        return out;
    };
    // An exclusive radio group is one stop: its checked radio, or its first.
    EXPECT_EQ(walk(9), names({"AchAndBun", "StartButton", "EndButton", "ListBox1", "BitBtn1",
                              "Edit1", "BitBtn2", "HelpButton", "AchAndBun"}));
    win_->Bunkatu->click();
    win_->Bunkatu->setFocus();
    EXPECT_EQ(walk(9), names({"Bunkatu", "FD144", "StartButton", "EndButton", "ListBox1", "BitBtn1",
                              "Edit1", "BitBtn2", "HelpButton"}));
    win_->Archive->click();
    win_->Archive->setFocus();
    EXPECT_EQ(walk(9), names({"Archive", "StartButton", "EndButton", "ListBox1", "BitBtn1", "Edit1",
                              "BitBtn2", "AsnFile", "HelpButton"}));
    QTest::keyClick(win_.get(), Qt::Key_F1);
    EXPECT_EQ(dialogs_.helpTopics, std::vector<QString>{QStringLiteral("1")});
}

} // namespace
} // namespace zol::test
