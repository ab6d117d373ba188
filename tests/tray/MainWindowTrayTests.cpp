#include "TrayTestSupport.h"
#include "tray/MainWindowTray.h"

#include <QMenu>

namespace zol::test {
namespace {

using Calls = std::vector<std::pair<Kind, int>>;

// A stand-in for the main window: its popup menu and a mouse-down handler that hides it
// on a right press.
class MainWindowTrayTest : public TrayTest {
protected:
    TTaskTray* host() {
        return HostMainWindowTray(
            *form, *popupMenu,
            [this](TTaskTray&, TMouseButton button, TShiftState, int, int) {
                ++mouseDowns;
                if (button == TMouseButton::mbRight) {
                    form->hide();
                }
            },
            SolidIcon(Qt::darkCyan), area);
    }

    QMenu* popupMenu = new QMenu(form.get());
    int mouseDowns = 0;
};

TEST_F(MainWindowTrayTest, ShownWithTheSavedSettings) {
    TTaskTray* tray = host();
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->parent(), form.get());
    EXPECT_EQ(tray->objectName(), "TaskTray");
    EXPECT_EQ(tray->TipString(), "tessmarc");
    EXPECT_EQ(tray->IconID(), 1);
    EXPECT_TRUE(tray->Registered());
    EXPECT_TRUE(tray->Added());
    EXPECT_EQ(tray->PopupMenuL(), popupMenu);
    EXPECT_EQ(tray->PopupMenuR(), nullptr);
    EXPECT_FALSE(tray->Icon().isNull());
    // Added when Registered is applied, modified once more by Loaded.
    EXPECT_EQ(area->take(), (Calls{{Kind::Add, 1}, {Kind::Modify, 1}}));
}

TEST_F(MainWindowTrayTest, RightPressHidesTheWindowAndOpensNoMenu) {
    ASSERT_NE(host(), nullptr);
    form->show();
    Notify(1, 0x204);
    Notify(1, 0x205);
    EXPECT_EQ(mouseDowns, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(area->popups.empty());
}

TEST_F(MainWindowTrayTest, LeftPressBringsTheWindowForwardAndOpensTheMenu) {
    ASSERT_NE(host(), nullptr);
    form->show();
    Notify(1, 0x201);
    EXPECT_EQ(mouseDowns, 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(area->broughtToFront, (std::vector<QWidget*>{form.get()}));
    ASSERT_EQ(area->popups.size(), 1u);
    EXPECT_EQ(area->popups[0].first, popupMenu);
    EXPECT_EQ(area->popups[0].second, area->cursor);
}

TEST_F(MainWindowTrayTest, FailedAddGivesNoTrayAndNoError) {
    area->addResult = false;
    TTaskTray* tray = nullptr;
    EXPECT_NO_THROW(tray = host());
    EXPECT_EQ(tray, nullptr);
    EXPECT_TRUE(TaskTrayState().IconIDList.empty());
    EXPECT_EQ(area->take(), (Calls{{Kind::Add, 1}}));
}

TEST_F(MainWindowTrayTest, ClosingTheWindowTakesTheIconAway) {
    ASSERT_NE(host(), nullptr);
    area->calls.clear();
    form.reset();
    EXPECT_EQ(area->take(), (Calls{{Kind::Remove, 1}}));
}

} // namespace
} // namespace zol::test
