#include "TrayTestSupport.h"

namespace zol::test {
namespace {

using Calls = std::vector<std::pair<Kind, int>>;
using RegistrationTest = TrayTest;

const char* const CannotRegister = "タスクトレイに登録できません";

TEST_F(RegistrationTest, RegisteringWithoutAnIconIsRefusedAndReachesNothing) {
    auto tray = make();
    EXPECT_EQ(ErrorOf([&] { tray->setRegistered(true); }),
              QString::fromUtf8("アイコンが指定されていません"));
    EXPECT_FALSE(tray->Registered());
    EXPECT_FALSE(tray->Added());
    EXPECT_TRUE(area->calls.empty());
    EXPECT_TRUE(TaskTrayState().NotifyWindow.isNull());
}

TEST_F(RegistrationTest, TheAddFillsTheRecord) {
    auto tray = make();
    const QIcon icon = SolidIcon(Qt::blue);
    tray->setTipString("tessmarc");
    tray->setIcon(icon);
    tray->setRegistered(true);
    ASSERT_EQ(area->calls.size(), 1u);
    const NotifyData& data = area->calls[0].data;
    EXPECT_EQ(area->calls[0].kind, Kind::Add);
    EXPECT_EQ(data.cbSize, 88u);
    EXPECT_EQ(data.hWnd, TaskTrayState().NotifyWindow);
    EXPECT_EQ(data.uID, 1);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 0x466u);
    EXPECT_EQ(data.hIcon.cacheKey(), icon.cacheKey());
    EXPECT_EQ(data.szTip, QByteArray("tessmarc"));
    EXPECT_TRUE(tray->Registered());
    EXPECT_TRUE(tray->Added());
}

TEST_F(RegistrationTest, FlagsCarryTheTipOnlyWhenThereIsOne) {
    auto tray = make(true);
    EXPECT_EQ(area->calls.back().data.uFlags, 3u);
    tray->setTipString("tip");
    EXPECT_EQ(area->calls.back().data.uFlags, 7u);
    tray->setTipString("");
    EXPECT_EQ(area->calls.back().data.uFlags, 3u);
    EXPECT_EQ(area->calls.back().data.szTip, QByteArray());
}

TEST_F(RegistrationTest, NotifyWindowIsMadeOnceAndOwnedByTheFirstOwner) {
    auto idle = make();
    idle->Loaded();
    EXPECT_TRUE(TaskTrayState().NotifyWindow.isNull());
    auto first = make(true);
    TNotifyWindow* window = TaskTrayState().NotifyWindow;
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parent(), form.get());
    auto second = make(true);
    EXPECT_EQ(TaskTrayState().NotifyWindow, window);
    EXPECT_EQ(area->calls.back().data.hWnd, window);
}

TEST_F(RegistrationTest, EachTransitionMakesItsCalls) {
    auto tray = make();
    tray->setTipString("a");
    tray->setIcon(SolidIcon(Qt::red));
    tray->Loaded();
    EXPECT_EQ(area->take(), Calls{}) << "idle: nothing reaches the notification area";

    tray->setRegistered(true);
    EXPECT_EQ(area->take(), (Calls{{Kind::Add, 1}}));
    tray->setRegistered(true);
    EXPECT_EQ(area->take(), Calls{});
    tray->Loaded();
    EXPECT_EQ(area->take(), (Calls{{Kind::Modify, 1}}));
    tray->setTipString("b");
    EXPECT_EQ(area->take(), (Calls{{Kind::Modify, 1}}));
    EXPECT_EQ(tray->Data().szTip, QByteArray("b"));
    tray->setTipString("b");
    EXPECT_EQ(area->take(), Calls{});
    tray->setIcon(SolidIcon(Qt::green));
    EXPECT_EQ(area->take(), (Calls{{Kind::Modify, 1}, {Kind::Modify, 1}}));
    tray->setIcon(tray->Icon());
    EXPECT_EQ(area->take(), Calls{}) << "the component's own image";

    tray->setRegistered(false);
    EXPECT_EQ(area->take(), (Calls{{Kind::Remove, 1}}));
    EXPECT_FALSE(tray->Added());
    tray->setRegistered(false);
    tray->RemoveIcon();
    EXPECT_EQ(area->take(), Calls{});
}

TEST_F(RegistrationTest, NoIconTakesAShownIconAway) {
    auto tray = make(true);
    area->calls.clear();
    tray->setIcon(QIcon());
    EXPECT_EQ(area->take(), (Calls{{Kind::Remove, 1}}));
    EXPECT_TRUE(tray->Icon().isNull());
    EXPECT_FALSE(tray->Registered());
    EXPECT_FALSE(tray->Added());
}

TEST_F(RegistrationTest, DestructionDeletesAShownIcon) {
    auto tray = make(true);
    area->calls.clear();
    tray.reset();
    EXPECT_EQ(area->take(), (Calls{{Kind::Remove, 1}}));
}

TEST_F(RegistrationTest, FailedAddKeepsTheIconWantedAndIsTriedAgain) {
    auto tray = make();
    tray->setIcon(SolidIcon(Qt::red));
    area->addResult = false;
    EXPECT_EQ(ErrorOf([&] { tray->setRegistered(true); }), QString::fromUtf8(CannotRegister));
    EXPECT_TRUE(tray->Registered());
    EXPECT_FALSE(tray->Added());

    area->addResult = true;
    area->calls.clear();
    tray->Loaded();
    EXPECT_EQ(area->take(), (Calls{{Kind::Add, 1}}));
    EXPECT_TRUE(tray->Added());
}

TEST_F(RegistrationTest, FailedModifyLeavesTheIconAdded) {
    auto tray = make(true);
    area->modifyResult = false;
    EXPECT_EQ(ErrorOf([&] { tray->setTipString("x"); }), QString::fromUtf8(CannotRegister));
    EXPECT_TRUE(tray->Added());
    EXPECT_TRUE(tray->Registered());
    EXPECT_EQ(tray->TipString(), "x");
}

TEST_F(RegistrationTest, LongTipIsCutInTheRecordButKeptWhole) {
    auto tray = make(true);
    const QString tip = QString(31, QChar('a')) + QString(20, QChar(0x3042)); // 31 + 60 bytes
    tray->setTipString(tip);
    EXPECT_EQ(tray->TipString(), tip);
    EXPECT_EQ(area->calls.back().data.szTip.size(), 61);
    EXPECT_TRUE(QString::fromUtf8(area->calls.back().data.szTip).endsWith(QChar(0x3042)));
}

} // namespace
} // namespace zol::test
