#include "tray/TaskTray.h"

#include "tray/NotifyWindow.h"

#include <QCoreApplication>
#include <QMenu>
#include <QWidget>
#include <algorithm>

namespace zol {

namespace {

const char* const NoZeroOrLess = "0以下は指定できません";
const char* const DuplicateID = "同じアイコン識別子が有ります";
const char* const NoIcon = "アイコンが指定されていません";
const char* const CannotRegister = "タスクトレイに登録できません";

[[noreturn]] void fail(const char* text) {
    throw EInvalidOperation(QString::fromUtf8(text));
}

} // namespace

TTaskTray* TaskTrayModule::find(const QString& idText) const {
    const auto it = std::find_if(IconIDList.begin(), IconIDList.end(),
                                 [&](const auto& entry) { return entry.first == idText; });
    return it == IconIDList.end() ? nullptr : it->second;
}

TaskTrayModule& TaskTrayState() {
    static TaskTrayModule state;
    return state;
}

TTaskTray::TTaskTray(QObject* owner, std::shared_ptr<NotifyArea> area)
    : QObject(owner), FArea(std::move(area)) {
    auto& list = TaskTrayState().IconIDList;
    // Not checked against the other entries: the last one plus 1 may already be taken.
    FIconID = list.empty() ? 1 : list.back().first.toInt() + 1;
    list.emplace_back(QString::number(FIconID), this);
}

TTaskTray::~TTaskTray() {
    RemoveIcon();
    // This component's own entry: with equal identifiers listed twice, the first match by
    // text could be another live component's.
    auto& list = TaskTrayState().IconIDList;
    const auto it = std::find_if(list.begin(), list.end(),
                                 [this](const auto& entry) { return entry.second == this; });
    if (it != list.end()) {
        list.erase(it);
    }
}

void TTaskTray::setPopupMenuL(QMenu* menu) {
    FPopupMenuL = menu;
}

void TTaskTray::setPopupMenuR(QMenu* menu) {
    FPopupMenuR = menu;
}

void TTaskTray::setTipString(const QString& tip) {
    if (tip == FTipString) {
        return;
    }
    FTipString = tip;
    UpdateIcon();
}

void TTaskTray::setIcon(const QIcon& icon) {
    if (icon.isNull()) {
        FIcon = QIcon();
        RemoveIcon();
        return;
    }
    if (icon.cacheKey() == FIcon.cacheKey()) {
        return;
    }
    FIcon = icon;
    IconChange();
    UpdateIcon();
}

void TTaskTray::setIconID(int value) {
    if (value <= 0) {
        fail(NoZeroOrLess);
    }
    if (value == FIconID) {
        return;
    }
    auto& state = TaskTrayState();
    const QString text = QString::number(value);
    if (state.find(text) != nullptr) {
        fail(DuplicateID);
    }
    if (FRegistered) {
        RemoveIcon();
        FRegistered = true;
    }
    FIconID = value;
    for (auto& entry : state.IconIDList) {
        if (entry.second == this) {
            entry.first = text;
            break;
        }
    }
    UpdateIcon();
}

void TTaskTray::setRegistered(bool value) {
    if (value == FRegistered) {
        return;
    }
    if (value) {
        if (FIcon.isNull()) {
            fail(NoIcon);
        }
        FRegistered = true;
        UpdateIcon();
    } else {
        RemoveIcon();
    }
    FRegistered = value;
}

void TTaskTray::Loaded() {
    UpdateIcon();
}

void TTaskTray::IconChange() {
    UpdateIcon();
}

void TTaskTray::UpdateIcon() {
    if (!FRegistered) {
        return;
    }
    auto& state = TaskTrayState();
    if (state.NotifyWindow.isNull()) {
        // With no owner the window lives as long as the application.
        QObject* owner = parent() != nullptr ? parent() : QCoreApplication::instance();
        state.NotifyWindow = new TNotifyWindow(owner);
    }
    if (!FAdded) {
        FNotifyData.cbSize = NotifyData::RecordSize;
        FNotifyData.uCallbackMessage = NotifyData::CallbackMessage;
    }
    // Rewritten on every update so that a window made anew after its owner went is used.
    FNotifyData.hWnd = state.NotifyWindow;
    FNotifyData.uID = FIconID;
    FNotifyData.uFlags = NotifyData::NIF_MESSAGE | NotifyData::NIF_ICON;
    if (!FTipString.isEmpty()) {
        FNotifyData.uFlags |= NotifyData::NIF_TIP;
    }
    FNotifyData.hIcon = FIcon;
    FNotifyData.szTip = FitTip(FTipString);
    const bool done = FAdded ? FArea->modify(FNotifyData) : FArea->add(FNotifyData);
    if (!done) {
        fail(CannotRegister);
    }
    FAdded = true;
}

void TTaskTray::RemoveIcon() {
    if (FAdded) {
        FArea->remove(FNotifyData);
    }
    FAdded = false;
    FRegistered = false;
}

void TTaskTray::DblClick(TMouseButton Button) {
    if (OnDblClick) {
        OnDblClick(*this, Button);
    }
}

void TTaskTray::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    auto* form = qobject_cast<QWidget*>(parent());
    if (form != nullptr && form->isWindow()) {
        FArea->bringToFront(*form);
    }
    if (OnMouseDown) {
        OnMouseDown(*this, Button, Shift, X, Y);
    }
    // Read after the handler: it may have destroyed a menu.
    if (Button == TMouseButton::mbLeft && FPopupMenuL) {
        FArea->popup(*FPopupMenuL, QPoint(X, Y));
    } else if (Button == TMouseButton::mbRight && FPopupMenuR) {
        FArea->popup(*FPopupMenuR, QPoint(X, Y));
    }
}

void TTaskTray::MouseMove(int X, int Y) {
    if (OnMouseMove) {
        OnMouseMove(*this, TShiftState::None, X, Y);
    }
}

void TTaskTray::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) {
        OnMouseUp(*this, Button, Shift, X, Y);
    }
}

} // namespace zol
