#include "qt/tray_activation.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "core/tray_message.h"

namespace plimex::qt {

TrayProtocol CurrentTrayProtocol() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* registry = bus.isConnected() ? bus.interface() : nullptr;
    const bool watched =
        registry != nullptr &&
        registry->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value();
    return watched ? TrayProtocol::StatusNotifierItem : TrayProtocol::XEmbed;
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
