#pragma once

class QWidget;

namespace zol {

// Keeps the window's taskbar entry away from now on, each time it is shown again too (the
// window manager drops the state when the window is hidden). Only X11 window managers are
// told (_NET_WM_STATE_SKIP_TASKBAR); elsewhere nothing changes and false is returned.
bool SkipTaskbar(QWidget& window);

} // namespace zol
