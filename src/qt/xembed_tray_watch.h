#pragma once

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <functional>

namespace plimex::qt {

// On X11, the XEmbed notification area: the owner of the screen's
// _NET_SYSTEM_TRAY_S<n> selection. A tray that comes up announces itself with
// a MANAGER message on the root window; one that goes away destroys its
// window. Elsewhere (Wayland) there is none.
class XEmbedTrayWatch : private QAbstractNativeEventFilter {
  public:
    // changed: called, from within event dispatch, when a tray came or went.
    explicit XEmbedTrayWatch(std::function<void()> changed);
    ~XEmbedTrayWatch() override;
    XEmbedTrayWatch(const XEmbedTrayWatch&) = delete;
    XEmbedTrayWatch& operator=(const XEmbedTrayWatch&) = delete;

    // Whether a tray owns the selection now; its window is watched from then
    // on, so that its end is noticed.
    bool TrayExists();

  private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::function<void()> changed_;
    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t selection_ = XCB_ATOM_NONE;
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    xcb_window_t watchedTray_ = XCB_WINDOW_NONE;
};

}  // namespace plimex::qt
