#include "qt/notification_area_watch.h"

#include <QDBusConnection>
#include <utility>

#include "qt/tray_activation.h"

namespace plimex::qt {

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

}  // namespace

NotificationAreaWatch::NotificationAreaWatch(std::function<void(bool)> changed)
    : changed_(std::move(changed)),
      watcher_(kWatcher, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange),
      // Looked at again once the X event that told it has been handled.
      xembed_([this] {
          QMetaObject::invokeMethod(this, &NotificationAreaWatch::Recheck, Qt::QueuedConnection);
      }) {
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &NotificationAreaWatch::Recheck);
    // A host may register with a watcher that already runs.
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        bus.connect(QString(), QStringLiteral("/StatusNotifierWatcher"), kWatcher,
                    QLatin1String(signal), this, SLOT(Recheck()));
    }
    available_ = Available();
}

bool NotificationAreaWatch::Available() {
    return CurrentTrayProtocol() == TrayProtocol::StatusNotifierItem || xembed_.TrayExists();
}

void NotificationAreaWatch::Recheck() {
    const bool available = Available();
    if (available == available_) return;
    available_ = available;
    changed_(available);
}

}  // namespace plimex::qt
