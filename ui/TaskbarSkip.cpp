#include "TaskbarSkip.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace zol {

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Sets the state on the window: on a withdrawn window the property itself (Qt merges it
// into the states it writes before mapping), on a mapped one the request to the window
// manager through the root window.
class SkipTaskbarFilter : public QObject {
public:
    SkipTaskbarFilter(QWidget& window, xcb_connection_t* connection)
        : QObject(&window), window_(window), connection_(connection),
          state_(Atom(connection, "_NET_WM_STATE")),
          skip_(Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR")) {
        window.installEventFilter(this);
        if (window.isVisible())
            askWindowManager();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // The show event comes before the window is mapped.
        if (watched == &window_ && event->type() == QEvent::Show)
            setOnWithdrawnWindow();
        return false;
    }

private:
    void setOnWithdrawnWindow() {
        const auto id = static_cast<xcb_window_t>(window_.winId());
        // Without a window manager the property outlives a hide; it is not added twice.
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection_, 0, id, state_, XCB_ATOM_ATOM, 0, 1024);
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection_, cookie, nullptr), &std::free);
        if (reply && reply->format == 32) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
            const int count = xcb_get_property_value_length(reply.get()) / 4;
            if (std::find(atoms, atoms + count, skip_) != atoms + count)
                return;
        }
        xcb_change_property(connection_, XCB_PROP_MODE_APPEND, id, state_, XCB_ATOM_ATOM, 32, 1,
                            &skip_);
        xcb_flush(connection_);
    }

    void askWindowManager() {
        constexpr uint32_t Add = 1;
        constexpr uint32_t FromApplication = 1;
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = static_cast<xcb_window_t>(window_.winId());
        message.type = state_;
        message.data.data32[0] = Add;
        message.data.data32[1] = skip_;
        message.data.data32[3] = FromApplication;
        xcb_send_event(connection_, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

    QWidget& window_;
    xcb_connection_t* connection_;
    xcb_atom_t state_;
    xcb_atom_t skip_;
};

} // namespace

bool SkipTaskbar(QWidget& window) {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false;
    new SkipTaskbarFilter(window, x11->connection());
    return true;
}

} // namespace zol
