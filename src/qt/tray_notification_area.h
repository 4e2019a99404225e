#pragma once

#include <QSystemTrayIcon>

#include "platform/notification_area.h"
#include "qt/icon_registry.h"

namespace plimex::qt {

// The shell's add and delete on one QSystemTrayIcon: the program's icon
// exists once at most.
class TrayNotificationArea : public NotificationArea {
  public:
    explicit TrayNotificationArea(const IconRegistry& icons) : icons_(icons) {}

    // Like the shell: adding while the icon is shown, or deleting an icon
    // (by its identifier) that is not shown, fails and changes nothing.
    bool Add(const TrayIconRecord& record) override;
    bool Delete(const TrayIconRecord& record) override;

    QSystemTrayIcon& icon() { return tray_; }

  private:
    const IconRegistry& icons_;
    QSystemTrayIcon tray_;
    std::uint32_t shownId_ = 0;
};

}  // namespace plimex::qt
