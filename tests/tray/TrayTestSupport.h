#pragma once

#include "tray/NotifyArea.h"
#include "tray/NotifyWindow.h"
#include "tray/TaskTray.h"

#include <QMenu>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace zol::test {

// A notification area that records every call and answers as told.
class RecordingArea : public NotifyArea {
public:
    enum class Kind { Add, Modify, Remove };
    struct Call {
        Kind kind;
        NotifyData data;
    };

    bool add(const NotifyData& data) override {
        calls.push_back({Kind::Add, data});
        return addResult;
    }
    bool modify(const NotifyData& data) override {
        calls.push_back({Kind::Modify, data});
        return modifyResult;
    }
    bool remove(const NotifyData& data) override {
        calls.push_back({Kind::Remove, data});
        return true;
    }
    QPoint cursorPos() override { return cursor; }
    void bringToFront(QWidget& form) override { broughtToFront.push_back(&form); }
    void popup(QMenu& menu, QPoint at) override {
        popups.emplace_back(&menu, at);
        if (duringPopup) {
            duringPopup();
        }
    }

    // The kinds and identifiers of the calls so far, then forgets them.
    std::vector<std::pair<Kind, int>> take() {
        std::vector<std::pair<Kind, int>> out;
        for (const Call& call : calls) {
            out.emplace_back(call.kind, call.data.uID);
        }
        calls.clear();
        return out;
    }

    std::vector<Call> calls;
    bool addResult = true;
    bool modifyResult = true;
    QPoint cursor{120, 340};
    std::vector<QWidget*> broughtToFront;
    std::vector<std::pair<QMenu*, QPoint>> popups;
    std::function<void()> duringPopup;
};

using Kind = RecordingArea::Kind;

inline QIcon SolidIcon(Qt::GlobalColor color) {
    QPixmap pixmap(32, 32);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// Delivers the tray callback the desktop would send for a mouse action on an icon.
inline void Notify(int id, int mouseMessage) {
    ASSERT_FALSE(TaskTrayState().NotifyWindow.isNull());
    TaskTrayState().NotifyWindow->Perform(NotifyData::CallbackMessage, id, mouseMessage);
}

// The message of the component's error that the action raises, empty if none.
inline QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EInvalidOperation& error) {
        return error.message();
    }
    return {};
}

// Every test starts and ends with no live component in the process.
class TrayTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(TaskTrayState().IconIDList.empty()); }
    void TearDown() override {
        form.reset();
        EXPECT_TRUE(TaskTrayState().IconIDList.empty());
        EXPECT_FALSE(TaskTrayState().NotifyBusy);
    }

    // A component owned by the test's form, shown with an icon when asked.
    std::unique_ptr<TTaskTray> make(bool shown = false) {
        auto tray = std::make_unique<TTaskTray>(form.get(), area);
        if (shown) {
            tray->setIcon(SolidIcon(Qt::red));
            tray->setRegistered(true);
        }
        return tray;
    }

    std::shared_ptr<RecordingArea> area = std::make_shared<RecordingArea>();
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
};

} // namespace zol::test
