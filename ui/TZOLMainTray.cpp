// The main window's tray icon.
#include "ProgramIcon.h"
#include "TZOLMain.h"
#include "TaskbarSkip.h"
#include "tray/MainWindowTray.h"

namespace zol {

namespace {

Qt::MouseButton QtButton(TMouseButton button) {
    switch (button) {
    case TMouseButton::mbRight:
        return Qt::RightButton;
    case TMouseButton::mbMiddle:
        return Qt::MiddleButton;
    case TMouseButton::mbLeft:
        break;
    }
    return Qt::LeftButton;
}

} // namespace

bool TZOLMain::HostTaskTray(std::shared_ptr<NotifyArea> area) {
    const TMouseEvent mouseDown = [this](TTaskTray&, TMouseButton button, TShiftState, int, int) {
        TaskTrayMouseDown(QtButton(button));
    };
    TaskTray =
        area ? HostMainWindowTray(*this, *PopupMenu, mouseDown, ProgramIcon(), std::move(area))
             : HostMainWindowTray(*this, *PopupMenu, mouseDown, ProgramIcon());
    if (!TaskTray)
        return false;
    // The tray icon is the way back to a hidden window, so the taskbar entry is not needed.
    SkipTaskbar(*this);
    return true;
}

} // namespace zol
