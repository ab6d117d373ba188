#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <cstdint>

namespace zol {

class TNotifyWindow;

// The record handed to the notification area on every add, modify and delete.
struct NotifyData {
    static constexpr std::uint32_t RecordSize = 88;
    static constexpr std::uint32_t NIF_MESSAGE = 1;
    static constexpr std::uint32_t NIF_ICON = 2;
    static constexpr std::uint32_t NIF_TIP = 4;
    static constexpr std::uint32_t CallbackMessage = 0x466; // WM_USER + 102
    static constexpr int TipBytes = 63;                     // a 64-byte field with its zero

    std::uint32_t cbSize = 0;
    QPointer<TNotifyWindow> hWnd; // receives the callback messages
    std::int32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    QIcon hIcon;
    QByteArray szTip; // UTF-8, at most TipBytes
};

// The tip as it fits the record: up to the first zero, then at most TipBytes bytes, cut
// before a character rather than inside its UTF-8 sequence.
QByteArray FitTip(const QString& tip);

} // namespace zol
