// The taskbar entry off X11 (the tests run on the offscreen platform).
#include "TaskbarSkip.h"

#include <QGuiApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace zol::test {
namespace {

TEST(TaskbarSkipTest, OffX11LeavesTheWindowAsItIs) {
    ASSERT_NE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QWidget window;
    EXPECT_FALSE(SkipTaskbar(window));
    EXPECT_TRUE(window.children().isEmpty()); // nothing watches its showing
    window.show();
    EXPECT_TRUE(window.isVisible());
    window.hide();
    window.show();
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace zol::test
