#pragma once

#include "tray/NotifyArea.h"
#include "tray/TaskTray.h"

#include <QIcon>
#include <memory>

class QMenu;
class QWidget;

namespace zol {

// Builds the main window's tray icon "TaskTray" with its saved settings: tip "tessmarc",
// identifier 1, shown, the given icon, popupMenu on the left button and taskTrayMouseDown
// as its mouse-down event. The component is a child of window. Where the icon cannot be
// shown (no notification area) it returns null and the program goes on without a tray.
TTaskTray* HostMainWindowTray(QWidget& window, QMenu& popupMenu, TMouseEvent taskTrayMouseDown,
                              const QIcon& icon, std::shared_ptr<NotifyArea> area);

// The same on the desktop's own notification area.
TTaskTray* HostMainWindowTray(QWidget& window, QMenu& popupMenu, TMouseEvent taskTrayMouseDown,
                              const QIcon& icon);

} // namespace zol
