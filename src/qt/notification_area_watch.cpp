#include "qt/notification_area_watch.h"

#include <QDBusConnection>
#include <utility>

#include "qt/tray_activation.h"

namespace plimex::qt {

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// How long a tray that appears may wait for a StatusNotifierItem host of the
// same desktop: GNOME's AppIndicator extension brings up both within a few
// milliseconds of each other, in either order.
constexpr int kHostGraceMs = 1000;

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
    hostGrace_.setSingleShot(true);
    hostGrace_.setInterval(kHostGraceMs);
    connect(&hostGrace_, &QTimer::timeout, this, [this] { Report(Available()); });
    available_ = Available();
}

bool NotificationAreaWatch::Available() {
    return CurrentTrayProtocol() == TrayProtocol::StatusNotifierItem || xembed_.TrayExists();
}

// Qt keeps the protocol it finds when the first icon is made for the whole
// run. So an XEmbed tray that comes up first is used only once a host of the
// same desktop had time to come too: the item then gets the menu that the
// desktop draws itself, not the program's own.
void NotificationAreaWatch::Recheck() {
    const bool hostRegistered = CurrentTrayProtocol() == TrayProtocol::StatusNotifierItem;
    const bool available = hostRegistered || xembed_.TrayExists();
    if (available && !available_ && !hostRegistered) {
        if (!hostGrace_.isActive()) hostGrace_.start();
        return;
    }
    hostGrace_.stop();
    Report(available);
}

void NotificationAreaWatch::Report(bool available) {
    if (available == available_) return;
    available_ = available;
    changed_(available);
}

}  // namespace plimex::qt
