#include "TrayTestSupport.h"

#include <QMenu>
#include <stdexcept>
#include <string>

namespace zol::test {
namespace {

struct Route {
    int message;
    std::vector<std::string> events;
};

class MessageRouteTest : public TrayTest, public testing::WithParamInterface<Route> {};

TEST_P(MessageRouteTest, CallsTheEventOfTheTable) {
    auto tray = make(true);
    std::vector<std::string> events;
    const auto put = [&](std::string line) { events.push_back(std::move(line)); };
    const auto pos = [](int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y); };
    tray->OnMouseMove = [&](TTaskTray& s, TShiftState sh, int x, int y) {
        EXPECT_EQ(&s, tray.get());
        put("move s" + std::to_string(static_cast<int>(sh)) + pos(x, y));
    };
    tray->OnMouseDown = [&](TTaskTray& s, TMouseButton b, TShiftState sh, int x, int y) {
        EXPECT_EQ(&s, tray.get());
        put("down b" + std::to_string(static_cast<int>(b)) + " s" +
            std::to_string(static_cast<int>(sh)) + pos(x, y));
    };
    tray->OnMouseUp = [&](TTaskTray& s, TMouseButton b, TShiftState sh, int x, int y) {
        EXPECT_EQ(&s, tray.get());
        put("up b" + std::to_string(static_cast<int>(b)) + " s" +
            std::to_string(static_cast<int>(sh)) + pos(x, y));
    };
    tray->OnDblClick = [&](TTaskTray& s, TMouseButton b) {
        EXPECT_EQ(&s, tray.get());
        put("dbl b" + std::to_string(static_cast<int>(b)));
    };
    Notify(1, GetParam().message);
    EXPECT_EQ(events, GetParam().events);
    EXPECT_TRUE(area->popups.empty()) << "no menu is set";
}

// Buttons: left 0, right 1, middle 2; held flags: left 1, right 2, middle 4.
INSTANTIATE_TEST_SUITE_P(
    MouseMessages, MessageRouteTest,
    testing::Values(Route{0x200, {"move s0 120,340"}}, Route{0x201, {"down b0 s1 120,340"}},
                    Route{0x202, {"up b0 s1 120,340"}}, Route{0x203, {"dbl b0"}},
                    Route{0x204, {"down b1 s2 120,340"}}, Route{0x205, {"up b1 s2 120,340"}},
                    Route{0x206, {"dbl b1"}}, Route{0x207, {"down b2 s4 120,340"}},
                    Route{0x208, {"up b2 s4 120,340"}}, Route{0x209, {}}, Route{0x1FF, {}},
                    Route{0x20A, {}}),
    [](const auto& info) { return "Message" + std::to_string(info.param.message); });

using RoutingTest = TrayTest;

TEST_F(RoutingTest, GoesToTheComponentOfTheIdentifier) {
    auto first = make(true);
    auto second = make(true);
    std::vector<TTaskTray*> pressed;
    const auto record = [&](TTaskTray& s, TMouseButton, TShiftState, int, int) {
        pressed.push_back(&s);
    };
    first->OnMouseDown = record;
    second->OnMouseDown = record;
    Notify(2, 0x201);
    Notify(1, 0x204);
    Notify(9, 0x201);
    EXPECT_EQ(pressed, (std::vector<TTaskTray*>{second.get(), first.get()}));
}

TEST_F(RoutingTest, OtherWindowMessagesAreIgnored) {
    auto tray = make(true);
    int calls = 0;
    tray->OnMouseMove = [&](TTaskTray&, TShiftState, int, int) { ++calls; };
    TaskTrayState().NotifyWindow->Perform(0x465, 1, 0x200);
    EXPECT_EQ(calls, 0);
    TaskTrayState().NotifyWindow->Perform(0x466, 1, 0x200);
    EXPECT_EQ(calls, 1);
}

TEST_F(RoutingTest, LeftPressBringsTheFormForwardThenCallsThenOpensTheLeftMenu) {
    auto tray = make(true);
    QMenu left;
    QMenu right;
    tray->setPopupMenuL(&left);
    tray->setPopupMenuR(&right);
    bool called = false;
    tray->OnMouseDown = [&](TTaskTray&, TMouseButton, TShiftState, int, int) {
        EXPECT_EQ(area->broughtToFront, (std::vector<QWidget*>{form.get()}));
        EXPECT_TRUE(area->popups.empty());
        called = true;
    };
    Notify(1, 0x201);
    EXPECT_TRUE(called);
    ASSERT_EQ(area->popups.size(), 1u);
    EXPECT_EQ(area->popups[0].first, &left);
    EXPECT_EQ(area->popups[0].second, QPoint(120, 340));
}

TEST_F(RoutingTest, EachButtonOpensItsOwnMenuAndTheMiddleNone) {
    auto tray = make(true);
    QMenu left;
    QMenu right;
    tray->setPopupMenuL(&left);
    tray->setPopupMenuR(&right);
    Notify(1, 0x204);
    Notify(1, 0x207);
    Notify(1, 0x202);
    Notify(1, 0x205);
    ASSERT_EQ(area->popups.size(), 1u);
    EXPECT_EQ(area->popups[0].first, &right);
    EXPECT_EQ(area->broughtToFront.size(), 2u) << "every press, the middle one too";
}

TEST_F(RoutingTest, OwnerThatIsNoTopLevelFormIsNotBroughtForward) {
    QWidget child(form.get());
    auto tray = std::make_unique<TTaskTray>(&child, area);
    tray->setIcon(SolidIcon(Qt::red));
    tray->setRegistered(true);
    Notify(1, 0x201);
    EXPECT_TRUE(area->broughtToFront.empty());
}

TEST_F(RoutingTest, CallbacksWhileAMenuIsOpenAreDropped) {
    auto first = make(true);
    auto second = make(true);
    QMenu menu;
    first->setPopupMenuL(&menu);
    int secondCalls = 0;
    second->OnMouseDown = [&](TTaskTray&, TMouseButton, TShiftState, int, int) { ++secondCalls; };
    second->OnMouseMove = [&](TTaskTray&, TShiftState, int, int) { ++secondCalls; };
    area->duringPopup = [&] {
        if (area->popups.size() > 1) {
            return; // only reached when the guard failed: stop the recursion
        }
        EXPECT_TRUE(TaskTrayState().NotifyBusy);
        Notify(1, 0x201);
        Notify(2, 0x201);
        Notify(2, 0x200);
    };
    Notify(1, 0x201);
    EXPECT_EQ(area->popups.size(), 1u) << "the press during the menu opened no second menu";
    EXPECT_EQ(secondCalls, 0);
    EXPECT_FALSE(TaskTrayState().NotifyBusy);

    area->duringPopup = nullptr;
    Notify(2, 0x200);
    EXPECT_EQ(secondCalls, 1) << "dropped, not queued; later ones arrive";
}

TEST_F(RoutingTest, BusyIsClearedWhenAnEventThrows) {
    auto tray = make(true);
    int moves = 0;
    tray->OnMouseUp = [](TTaskTray&, TMouseButton, TShiftState, int, int) {
        throw std::runtime_error("handler failed");
    };
    tray->OnMouseMove = [&](TTaskTray&, TShiftState, int, int) { ++moves; };
    EXPECT_THROW(Notify(1, 0x202), std::runtime_error);
    EXPECT_FALSE(TaskTrayState().NotifyBusy);
    Notify(1, 0x200);
    EXPECT_EQ(moves, 1);
}

TEST_F(RoutingTest, DestroyedMenuIsClearedFromBothReferences) {
    auto tray = make(true);
    auto menu = std::make_unique<QMenu>();
    QMenu other;
    tray->setPopupMenuL(menu.get());
    tray->setPopupMenuR(menu.get());
    menu.reset();
    EXPECT_EQ(tray->PopupMenuL(), nullptr);
    EXPECT_EQ(tray->PopupMenuR(), nullptr);
    Notify(1, 0x201);
    Notify(1, 0x204);
    EXPECT_TRUE(area->popups.empty());

    tray->setPopupMenuR(&other);
    Notify(1, 0x204);
    EXPECT_EQ(area->popups.size(), 1u);
}

} // namespace
} // namespace zol::test
