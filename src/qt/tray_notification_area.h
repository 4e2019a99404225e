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

    // Like the shell: adding an icon that is shown, or deleting one that is
    // not, fails and changes nothing.
    bool ShellNotifyIconA(std::uint32_t message, const NotifyIconBuffer& record) override;

    QSystemTrayIcon& icon() { return tray_; }

  private:
    const IconRegistry& icons_;
    const AnsiCodePage& codePage_;
    QSystemTrayIcon tray_;
};

}  // namespace plimex::qt
