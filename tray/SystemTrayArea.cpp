#include "tray/SystemTrayArea.h"

#include "tray/NotifyWindow.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QWidget>
#include <QtDebug>
#include <exception>

namespace zol {

std::vector<std::intptr_t> CallbackMessages(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return {0x201, 0x202}; // left press and release
    case QSystemTrayIcon::Context:
        return {0x204, 0x205}; // right press and release
    case QSystemTrayIcon::DoubleClick:
        return {0x203};
    case QSystemTrayIcon::MiddleClick:
        return {0x207, 0x208};
    case QSystemTrayIcon::Unknown:
        break;
    }
    return {};
}

SystemTrayArea::SystemTrayArea() = default;

SystemTrayArea::~SystemTrayArea() = default;

void SystemTrayArea::show(Entry& entry, const NotifyData& data) {
    entry.data = data;
    if ((data.uFlags & NotifyData::NIF_ICON) != 0) {
        entry.icon->setIcon(data.hIcon);
    }
    // Without a tip flag the icon shows none, rather than a tip that was cleared.
    const bool tip = (data.uFlags & NotifyData::NIF_TIP) != 0;
    entry.icon->setToolTip(tip ? QString::fromUtf8(data.szTip) : QString());
}

bool SystemTrayArea::add(const NotifyData& data) {
    if (!QSystemTrayIcon::isSystemTrayAvailable() || icons_.count(data.uID) != 0) {
        return false;
    }
    Entry& entry = icons_[data.uID];
    entry.icon = std::make_unique<QSystemTrayIcon>();
    show(entry, data);
    const std::int32_t id = data.uID;
    QObject::connect(
        entry.icon.get(), &QSystemTrayIcon::activated, entry.icon.get(),
        [this, id](QSystemTrayIcon::ActivationReason reason) { activated(id, reason); });
    entry.icon->show();
    return true;
}

bool SystemTrayArea::modify(const NotifyData& data) {
    const auto it = icons_.find(data.uID);
    if (it == icons_.end()) {
        return false;
    }
    show(it->second, data);
    return true;
}

bool SystemTrayArea::remove(const NotifyData& data) {
    const auto it = icons_.find(data.uID);
    if (it == icons_.end()) {
        return false;
    }
    it->second.icon->hide();
    retired_.push_back(std::move(it->second.icon));
    icons_.erase(it);
    return true;
}

QPoint SystemTrayArea::cursorPos() {
    return QCursor::pos();
}

void SystemTrayArea::bringToFront(QWidget& form) {
    // Like the foreground call of the desktop, this does not show a hidden window.
    if (form.isVisible()) {
        form.raise();
        form.activateWindow();
    }
    QCoreApplication::processEvents();
}

void SystemTrayArea::popup(QMenu& menu, QPoint at) {
    menu.exec(at);
}

void SystemTrayArea::activated(std::int32_t id, QSystemTrayIcon::ActivationReason reason) {
    if (activations_ == 0) {
        retired_.clear();
    }
    ++activations_;
    for (const std::intptr_t message : CallbackMessages(reason)) {
        const auto it = icons_.find(id);
        if (it == icons_.end() || it->second.data.hWnd.isNull()) {
            break; // the icon went away while the previous message was handled
        }
        const NotifyData& data = it->second.data;
        // An error must not unwind through Qt's signal delivery.
        try {
            data.hWnd->Perform(data.uCallbackMessage, id, message);
        } catch (const std::exception& error) {
            qWarning("tray: %s", error.what());
        }
    }
    --activations_;
}

} // namespace zol
