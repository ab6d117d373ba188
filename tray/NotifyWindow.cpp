#include "tray/NotifyWindow.h"

#include "tray/NotifyData.h"
#include "tray/TaskTray.h"

namespace zol {

namespace {

// Clears the busy flag however the dispatched call ends.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
};

} // namespace

TNotifyWindow::TNotifyWindow(QObject* owner) : QObject(owner) {}

void TNotifyWindow::Perform(std::uint32_t msg, std::intptr_t wParam, std::intptr_t lParam) {
    if (msg == NotifyData::CallbackMessage) {
        WMTrayNotify(wParam, lParam);
    }
}

void TNotifyWindow::WMTrayNotify(std::intptr_t wParam, std::intptr_t lParam) {
    auto& state = TaskTrayState();
    TTaskTray* tray = state.find(QString::number(wParam));
    if (tray == nullptr || state.NotifyBusy) {
        return;
    }
    const QPoint at = tray->Area().cursorPos();
    const int x = at.x();
    const int y = at.y();
    BusyScope busy(state.NotifyBusy);
    using B = TMouseButton;
    using S = TShiftState;
    switch (lParam) {
    case 0x200: // WM_MOUSEMOVE
        tray->MouseMove(x, y);
        break;
    case 0x201: // WM_LBUTTONDOWN
        tray->MouseDown(B::mbLeft, S::ssLeft, x, y);
        break;
    case 0x202: // WM_LBUTTONUP
        tray->MouseUp(B::mbLeft, S::ssLeft, x, y);
        break;
    case 0x203: // WM_LBUTTONDBLCLK
        tray->DblClick(B::mbLeft);
        break;
    case 0x204: // WM_RBUTTONDOWN
        tray->MouseDown(B::mbRight, S::ssRight, x, y);
        break;
    case 0x205: // WM_RBUTTONUP
        tray->MouseUp(B::mbRight, S::ssRight, x, y);
        break;
    case 0x206: // WM_RBUTTONDBLCLK
        tray->DblClick(B::mbRight);
        break;
    case 0x207: // WM_MBUTTONDOWN
        tray->MouseDown(B::mbMiddle, S::ssMiddle, x, y);
        break;
    case 0x208: // WM_MBUTTONUP
        tray->MouseUp(B::mbMiddle, S::ssMiddle, x, y);
        break;
    default: // WM_MBUTTONDBLCLK and anything else
        break;
    }
}

} // namespace zol
