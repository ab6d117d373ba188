#include "TrayTestSupport.h"
#include "tray/MainWindowTray.h"
#include "tray/SystemTrayArea.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace zol::test {
namespace {

using Messages = std::vector<std::intptr_t>;

TEST(CallbackMessagesTest, EachActivationStandsForItsMouseMessages) {
    EXPECT_EQ(CallbackMessages(QSystemTrayIcon::Trigger), (Messages{0x201, 0x202}));
    EXPECT_EQ(CallbackMessages(QSystemTrayIcon::Context), (Messages{0x204, 0x205}));
    EXPECT_EQ(CallbackMessages(QSystemTrayIcon::DoubleClick), (Messages{0x203}));
    EXPECT_EQ(CallbackMessages(QSystemTrayIcon::MiddleClick), (Messages{0x207, 0x208}));
    EXPECT_EQ(CallbackMessages(QSystemTrayIcon::Unknown), Messages{});
}

class NoNotificationAreaTest : public TrayTest {
protected:
    void SetUp() override {
        TrayTest::SetUp();
        ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable())
            << "these tests need a platform without a notification area (offscreen)";
    }
};

TEST_F(NoNotificationAreaTest, AddFailsWithTheComponentsError) {
    TTaskTray tray(form.get(), std::make_shared<SystemTrayArea>());
    tray.setTipString("tessmarc");
    tray.setIcon(SolidIcon(Qt::red));
    EXPECT_EQ(ErrorOf([&] { tray.setRegistered(true); }),
              QString::fromUtf8("タスクトレイに登録できません"));
    EXPECT_TRUE(tray.Registered());
    EXPECT_FALSE(tray.Added());
}

TEST_F(NoNotificationAreaTest, NothingElseIsAcceptedEither) {
    SystemTrayArea area;
    NotifyData data;
    data.uID = 1;
    EXPECT_FALSE(area.add(data));
    EXPECT_FALSE(area.modify(data));
    EXPECT_FALSE(area.remove(data));
}

TEST_F(NoNotificationAreaTest, MainWindowGoesOnWithoutATray) {
    QMenu popupMenu(form.get());
    bool called = false;
    TTaskTray* tray = nullptr;
    EXPECT_NO_THROW(tray = HostMainWindowTray(
                        *form, popupMenu,
                        [&](TTaskTray&, TMouseButton, TShiftState, int, int) { called = true; },
                        SolidIcon(Qt::red)));
    EXPECT_EQ(tray, nullptr);
    EXPECT_TRUE(TaskTrayState().IconIDList.empty());
    EXPECT_EQ(form->findChild<TTaskTray*>(), nullptr);
    EXPECT_FALSE(called);
}

} // namespace
} // namespace zol::test
