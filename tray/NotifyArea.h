#pragma once

#include "tray/NotifyData.h"

#include <QPoint>

class QMenu;
class QWidget;

namespace zol {

// The desktop's notification area and the few window services the tray component needs.
// The icon's mouse actions come back as callback messages to data.hWnd.
class NotifyArea {
public:
    virtual ~NotifyArea() = default;

    // Each returns whether the notification area accepted the call.
    virtual bool add(const NotifyData& data) = 0;
    virtual bool modify(const NotifyData& data) = 0;
    virtual bool remove(const NotifyData& data) = 0;

    // The mouse cursor's screen position.
    virtual QPoint cursorPos() = 0;
    // Brings the form to the foreground, then processes pending window events.
    virtual void bringToFront(QWidget& form) = 0;
    // Shows the menu at a screen position; returns when it closes.
    virtual void popup(QMenu& menu, QPoint at) = 0;
};

} // namespace zol
