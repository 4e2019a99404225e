#include "qt/xembed_tray_watch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

namespace plimex::qt {

namespace {

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};

// The screen of the display this program runs on, as $DISPLAY names it.
int ScreenNumber() {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    const bool parsed = xcb_parse_display(nullptr, &host, &display, &screen) != 0;
    std::free(host);
    return parsed ? screen : 0;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const std::string& name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

XEmbedTrayWatch::XEmbedTrayWatch(std::function<void()> changed) : changed_(std::move(changed)) {
    // Another platform (offscreen, Wayland) may still offer the interface,
    // with no connection behind it.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return;
    connection_ = x11->connection();
    selection_ = InternAtom(connection_, "_NET_SYSTEM_TRAY_S" + std::to_string(ScreenNumber()));
    manager_ = InternAtom(connection_, "MANAGER");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XEmbedTrayWatch::~XEmbedTrayWatch() {
    if (connection_ != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool XEmbedTrayWatch::TrayExists() {
    if (connection_ == nullptr || selection_ == XCB_ATOM_NONE) return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeDeleter> reply(
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, selection_),
                                      nullptr));
    const xcb_window_t tray = reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
    if (tray != XCB_WINDOW_NONE && tray != watchedTray_) {
        const std::uint32_t structureNotify = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, tray, XCB_CW_EVENT_MASK, &structureNotify);
        xcb_flush(connection_);
        watchedTray_ = tray;
    }
    return tray != XCB_WINDOW_NONE;
}

// Qt selects structure events on the root window, which carries the MANAGER
// message; the events go on to Qt either way.
bool XEmbedTrayWatch::nativeEventFilter(const QByteArray& eventType, void* message,
                                        qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
        case XCB_CLIENT_MESSAGE: {
            const auto* client = static_cast<const xcb_client_message_event_t*>(message);
            if (client->type == manager_ && client->format == 32 &&
                client->data.data32[1] == selection_) {
                changed_();
            }
            break;
        }
        case XCB_DESTROY_NOTIFY: {
            const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
            if (destroyed->window == watchedTray_) {
                watchedTray_ = XCB_WINDOW_NONE;
                changed_();
            }
            break;
        }
        default:
            break;
    }
    return false;
}

}  // namespace plimex::qt
