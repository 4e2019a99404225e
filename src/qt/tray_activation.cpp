#include "qt/tray_activation.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

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

TrayIntent TrayIntentOf(QSystemTrayIcon::ActivationReason reason, TrayProtocol protocol) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return TrayIntent::OpenWindow;
        case QSystemTrayIcon::Context:
            return TrayIntent::ShowMenu;
        case QSystemTrayIcon::Trigger:
            return protocol == TrayProtocol::StatusNotifierItem ? TrayIntent::OpenWindow
                                                                : TrayIntent::None;
        case QSystemTrayIcon::MiddleClick:
        case QSystemTrayIcon::Unknown:
            return TrayIntent::None;
    }
    return TrayIntent::None;
}

}  // namespace plimex::qt
