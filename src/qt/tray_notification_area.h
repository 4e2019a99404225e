#pragma once

#include <QSystemTrayIcon>

#include "platform/ansi_code_page.h"
#include "platform/notification_area.h"
#include "qt/icon_registry.h"

namespace plimex::qt {

// The shell's add and delete on one QSystemTrayIcon: the program's icon
// exists once at most.
class TrayNotificationArea : public NotificationArea {
  public:
    TrayNotificationArea(const IconRegistry& icons, const AnsiCodePage& codePage);

    // Like the shell: adding while the icon is shown, or deleting an icon
    // (by its identifier) that is not shown, fails and changes nothing.
    bool ShellNotifyIconA(std::uint32_t message, const NotifyIconBuffer& record) override;

    QSystemTrayIcon& icon() { return tray_; }

  private:
    const IconRegistry& icons_;
    const AnsiCodePage& codePage_;
    QSystemTrayIcon tray_;
    std::uint32_t shownId_ = 0;
};

}  // namespace plimex::qt
