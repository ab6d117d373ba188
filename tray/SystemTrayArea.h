#pragma once

#include "tray/NotifyArea.h"

#include <QSystemTrayIcon>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace zol {

// The callback messages one activation of a tray icon stands for, in order.
std::vector<std::intptr_t> CallbackMessages(QSystemTrayIcon::ActivationReason reason);

// The notification area of the desktop through QSystemTrayIcon: one tray icon per
// identifier. Where the desktop has no notification area every add fails.
class SystemTrayArea : public NotifyArea {
public:
    SystemTrayArea();
    ~SystemTrayArea() override;

    bool add(const NotifyData& data) override;
    bool modify(const NotifyData& data) override;
    bool remove(const NotifyData& data) override;
    QPoint cursorPos() override;
    void bringToFront(QWidget& form) override;
    void popup(QMenu& menu, QPoint at) override;

private:
    struct Entry {
        std::unique_ptr<QSystemTrayIcon> icon;
        NotifyData data;
    };

    static void show(Entry& entry, const NotifyData& data);
    void activated(std::int32_t id, QSystemTrayIcon::ActivationReason reason);

    std::map<std::int32_t, Entry> icons_;
    // Removed icons, kept hidden until no activation of theirs can be under way: an icon
    // may be removed by the very handler its own signal runs.
    std::vector<std::unique_ptr<QSystemTrayIcon>> retired_;
    int activations_ = 0;
};

} // namespace zol
