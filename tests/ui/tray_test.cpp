// The main window through its tray icon.
#include "WindowFixture.h"
#include "tray/NotifyWindow.h"

namespace zol::test {
namespace {

constexpr int LeftDown = 0x201;
constexpr int RightDown = 0x204;

// A notification area that accepts every icon and records the menus it is asked to open.
class AcceptingArea : public NotifyArea {
public:
    bool add(const NotifyData&) override { return true; }
    bool modify(const NotifyData&) override { return true; }
    bool remove(const NotifyData&) override {
        ++removals;
        return true;
    }
    QPoint cursorPos() override { return {50, 60}; }
    void bringToFront(QWidget& form) override { broughtToFront = &form; }
    void popup(QMenu& menu, QPoint at) override {
        opened = &menu;
        openedAt = at;
    }

    int removals = 0;
    QWidget* broughtToFront = nullptr;
    QMenu* opened = nullptr;
    QPoint openedAt;
};

class TrayWindowTest : public WindowTest {
protected:
    void hostOn(std::shared_ptr<AcceptingArea> area) {
        makeWindow();
        win_->show();
        ASSERT_TRUE(win_->HostTaskTray(area));
        ASSERT_NE(win_->TaskTray, nullptr);
    }
    static void press(int mouseMessage) {
        TaskTrayState().NotifyWindow->Perform(NotifyData::CallbackMessage, 1, mouseMessage);
    }
};

TEST_F(TrayWindowTest, CarriesTheSavedSettings) {
    auto area = std::make_shared<AcceptingArea>();
    hostOn(area);
    EXPECT_EQ(win_->TaskTray->TipString(), QStringLiteral("tessmarc"));
    EXPECT_EQ(win_->TaskTray->IconID(), 1);
    EXPECT_TRUE(win_->TaskTray->Registered());
    EXPECT_EQ(win_->TaskTray->PopupMenuL(), win_->PopupMenu);
    EXPECT_EQ(win_->TaskTray->PopupMenuR(), nullptr);
}

TEST_F(TrayWindowTest, RightPressHidesTheWindowAndOpensNoMenu) {
    auto area = std::make_shared<AcceptingArea>();
    hostOn(area);
    press(RightDown);
    EXPECT_FALSE(win_->isVisible());
    EXPECT_EQ(area->opened, nullptr);
}

TEST_F(TrayWindowTest, LeftPressBringsTheWindowForwardAndOpensTheMenu) {
    auto area = std::make_shared<AcceptingArea>();
    hostOn(area);
    press(LeftDown);
    EXPECT_TRUE(win_->isVisible());
    EXPECT_EQ(area->broughtToFront, win_.get());
    EXPECT_EQ(area->opened, win_->PopupMenu);
    EXPECT_EQ(area->openedAt, QPoint(50, 60));
}

TEST_F(TrayWindowTest, MenuShowsHidesAndEnds) {
    auto area = std::make_shared<AcceptingArea>();
    hostOn(area);
    win_->K2->trigger();
    EXPECT_FALSE(win_->isVisible());
    win_->K1->trigger();
    EXPECT_TRUE(win_->isVisible());
    win_->K3->trigger();
    EXPECT_FALSE(win_->isVisible());
    EXPECT_EQ(dialogs_.helpCloses, 1);
}

TEST_F(TrayWindowTest, EndEndsTheProgramAlsoFromTheHiddenWindow) {
    auto area = std::make_shared<AcceptingArea>();
    hostOn(area);
    int ended = 0;
    win_->setClosedHandler([&ended] { ++ended; });
    win_->K2->trigger();
    ASSERT_FALSE(win_->isVisible());
    win_->K3->trigger();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(dialogs_.helpCloses, 1);
}

TEST_F(TrayWindowTest, DesktopWithoutNotificationAreaLeavesTheWindowWorking) {
    makeWindow();
    win_->show();
    EXPECT_FALSE(win_->HostTaskTray());
    EXPECT_EQ(win_->TaskTray, nullptr);
    win_->BunkatuClick();
    EXPECT_EQ(win_->job().ProcMode, 1);
    EXPECT_TRUE(win_->isVisible());
}

} // namespace
} // namespace zol::test
