#pragma once

#include <QDBusServiceWatcher>
#include <QObject>
#include <QTimer>
#include <functional>

#include "qt/xembed_tray_watch.h"

namespace plimex::qt {

// Whether a notification area exists to show the program's icon in, and word
// when that changes: a StatusNotifierItem host on the session bus (the
// org.kde.StatusNotifierWatcher service reporting a registered host), or on
// X11 an XEmbed tray. At login the program and the panel start together, so
// the area may come up after the program; a panel may also restart.
class NotificationAreaWatch : public QObject {
    Q_OBJECT

  public:
    // changed: called with the new answer whenever it changed.
    explicit NotificationAreaWatch(std::function<void(bool)> changed);

    bool Available();

  private slots:
    void Recheck();

  private:
    void Report(bool available);

    std::function<void(bool)> changed_;
    QDBusServiceWatcher watcher_;
    XEmbedTrayWatch xembed_;
    QTimer hostGrace_;
    bool available_ = false;
};

}  // namespace plimex::qt
