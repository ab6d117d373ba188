#include "tray/MainWindowTray.h"

#include "tray/SystemTrayArea.h"

#include <QMenu>
#include <QWidget>
#include <QtDebug>

namespace zol {

TTaskTray* HostMainWindowTray(QWidget& window, QMenu& popupMenu, TMouseEvent taskTrayMouseDown,
                              const QIcon& icon, std::shared_ptr<NotifyArea> area) {
    auto* tray = new TTaskTray(&window, std::move(area));
    tray->setObjectName(QStringLiteral("TaskTray"));
    try {
        // In the published order, so the tip, icon and identifier are in place before the
        // icon is registered.
        tray->setPopupMenuL(&popupMenu);
        tray->setPopupMenuR(nullptr);
        tray->setTipString(QStringLiteral("tessmarc"));
        tray->setIcon(icon);
        tray->setIconID(1);
        tray->setRegistered(true);
        tray->OnMouseDown = std::move(taskTrayMouseDown);
        tray->Loaded();
    } catch (const EInvalidOperation& error) {
        qWarning("tray: %s", error.what());
        delete tray;
        return nullptr;
    }
    return tray;
}

TTaskTray* HostMainWindowTray(QWidget& window, QMenu& popupMenu, TMouseEvent taskTrayMouseDown,
                              const QIcon& icon) {
    return HostMainWindowTray(window, popupMenu, std::move(taskTrayMouseDown), icon,
                              std::make_shared<SystemTrayArea>());
}

} // namespace zol
