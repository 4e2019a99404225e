#pragma once

#include <QSystemTrayIcon>
#include <optional>

namespace plimex::qt {

enum class TrayProtocol { XEmbed, StatusNotifierItem };

// The protocol QSystemTrayIcon speaks on this session: StatusNotifierItem
// when a watcher is registered on the session bus.
TrayProtocol CurrentTrayProtocol();

// The mouse message a tray activation stands for: 515 for a double click,
// 517 for the context request; nothing for the rest. A StatusNotifierItem
// host reports no double click, so its one activation stands for it.
std::optional<int> TrayMouseMessage(QSystemTrayIcon::ActivationReason reason,
                                    TrayProtocol protocol);

}  // namespace plimex::qt
