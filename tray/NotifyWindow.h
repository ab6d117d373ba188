#pragma once

#include <QObject>
#include <cstdint>

namespace zol {

// The one receiver of the notification area's callback messages, shared by every
// component of the process. It routes each message to the component whose identifier
// it carries.
class TNotifyWindow : public QObject {
    Q_OBJECT

public:
    explicit TNotifyWindow(QObject* owner);

    // Delivers a window message; only the tray callback is handled.
    void Perform(std::uint32_t msg, std::intptr_t wParam, std::intptr_t lParam);

    // The tray callback: wParam is the icon identifier, lParam the mouse message
    // (0x200 to 0x209) that happened on the icon.
    void WMTrayNotify(std::intptr_t wParam, std::intptr_t lParam);
};

} // namespace zol
