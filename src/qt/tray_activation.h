#pragma once

#include <QSystemTrayIcon>

#include "platform/tray_icon.h"

namespace plimex::qt {

enum class TrayProtocol { XEmbed, StatusNotifierItem };

// The protocol QSystemTrayIcon speaks on this session: StatusNotifierItem
// when a watcher is registered on the session bus.
TrayProtocol CurrentTrayProtocol();

// What a tray activation asks for: a double click opens the window, the
// context request the menu; the rest asks nothing. A StatusNotifierItem host
// reports no double click, so its one activation opens the window.
TrayIntent TrayIntentOf(QSystemTrayIcon::ActivationReason reason, TrayProtocol protocol);

}  // namespace plimex::qt
