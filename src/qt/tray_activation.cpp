#include "qt/tray_activation.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

#include "core/tray_message.h"

namespace plimex::qt {

// The same test QSystemTrayIcon makes when it chooses its protocol: a
// watcher on the session bus that reports a host showing the items.
TrayProtocol CurrentTrayProtocol() {
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher).value()) {
        return TrayProtocol::XEmbed;
    }
    const QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return host.property("IsStatusNotifierHostRegistered").toBool()
               ? TrayProtocol::StatusNotifierItem
               : TrayProtocol::XEmbed;
}

std::optional<int> TrayMouseMessage(QSystemTrayIcon::ActivationReason reason,
                                    TrayProtocol protocol) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return kWmLButtonDblClk;
        case QSystemTrayIcon::Context:
            return kWmRButtonUp;
        case QSystemTrayIcon::Trigger:
            if (protocol == TrayProtocol::StatusNotifierItem) {
                return kWmLButtonDblClk;
            }
            return std::nullopt;
        case QSystemTrayIcon::MiddleClick:
        case QSystemTrayIcon::Unknown:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace plimex::qt
